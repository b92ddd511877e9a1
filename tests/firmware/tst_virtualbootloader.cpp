// The virtual base's bootloader: erase time, the write pointer, the flash's end, the
// delayed CRC, starting only a verified image, and a base left without a program.

#include "basesim/basebootloader.h"
#include "device/wire/bootloaderframes.h"
#include "device/wire/bytes.h"
#include "tests/basesim/basesimbench.h"

#include <QtTest>

using basesim::BaseConfig;

namespace {

struct BootloaderBench : Bench {
    BootloaderBench() : Bench(inBootloader()) {}

    static BaseConfig inBootloader()
    {
        BaseConfig config = operationalConfig();
        config.inBootloader = true;
        return config;
    }

    int erase()
    {
        const int n = send(wire::bootloaderCommand(wire::BootloaderCommand::UnlockErase));
        wait(basesim::kBootloaderEraseMs);
        return n;
    }

    void sendImage(const std::vector<std::uint8_t> &image)
    {
        for (std::size_t at = 0; at < image.size(); at += wire::kFirmwareChunkSize)
            send(wire::firmwareChunk(at == 0, image.data() + at,
                                     std::min(wire::kFirmwareChunkSize, image.size() - at)));
    }

    void verify(const std::vector<std::uint8_t> &image)
    {
        send(wire::verifyRequest(wire::crc32(image.data(), image.size()), std::uint32_t(image.size())));
    }

    // The status the bootloader answers with, or nothing.
    std::optional<wire::BootloaderStatus> status()
    {
        send(wire::bootloaderCommand(wire::BootloaderCommand::Status));
        wire::ReplyBuffer reply{};
        if (readInto(reply) <= 0 || reply[0] != wire::kBootloaderInReportId)
            return std::nullopt;
        return wire::bootloaderStatusOf(reply);
    }

    std::uint32_t reportedCrc() { return status() ? wire::bootloaderCrc(*status()) : 0xFFFFFFFFu; }
};

std::vector<std::uint8_t> imageOf(std::size_t length, std::uint8_t major, std::uint8_t minor, std::uint8_t patch)
{
    std::vector<std::uint8_t> image(length);
    for (std::size_t i = 0; i < length; ++i)
        image[i] = std::uint8_t(i * 7 + 3);
    if (length > 418) {
        image[416] = patch;
        image[417] = minor;
        image[418] = major;
    }
    return image;
}

} // namespace

class TestVirtualBootloader : public QObject {
    Q_OBJECT

private slots:
    void answersOnlyItsOwnReportId();
    void dataBeforeEraseIsRefused();
    void firstChunkRestartsWritePointer();
    void dataPastFlashCapacityIsRefused();
    void crcIsReportedSecondsAfterVerify();
    void startNeedsVerifiedImage_data();
    void startNeedsVerifiedImage();
    void erasedBaseStaysInBootloaderAcrossPowerCycles();
    void faultsOfTheTransfer();
};

void TestVirtualBootloader::answersOnlyItsOwnReportId()
{
    BootloaderBench bench;
    QVERIFY(bench.status());
    // The same command code under the application's report id goes unanswered.
    wire::CommandFrame frame = wire::bootloaderCommand(wire::BootloaderCommand::Status);
    frame[0] = wire::kCommandReportId;
    bench.send(frame);
    wire::ReplyBuffer reply{};
    QCOMPARE(bench.readInto(reply), 0);
}

void TestVirtualBootloader::dataBeforeEraseIsRefused()
{
    BootloaderBench bench;
    const auto image = imageOf(110, 1, 0, 16);
    bench.send(wire::bootloaderCommand(wire::BootloaderCommand::UnlockErase));
    bench.wait(basesim::kBootloaderEraseMs - 10);
    QCOMPARE(bench.status()->at(1), std::uint8_t(basesim::PhaseErasing));
    bench.sendImage(image);
    QCOMPARE(bench.base.state().bootloader.writePointer, std::size_t(0));
    QCOMPARE(bench.status()->at(2), std::uint8_t(basesim::BootloaderDataBeforeErase));

    // The error stays until the next erase: an image with a hole is never good.
    bench.wait(10);
    bench.sendImage(image);
    bench.verify(image);
    bench.wait(basesim::kBootloaderVerifyMs);
    QCOMPARE(bench.status()->at(1), std::uint8_t(basesim::PhaseVerifyFailed));
}

void TestVirtualBootloader::firstChunkRestartsWritePointer()
{
    BootloaderBench bench;
    bench.erase();
    const auto stale = imageOf(500, 9, 9, 9);
    const auto image = imageOf(440, 1, 0, 16);
    bench.sendImage(stale);
    bench.sendImage(image);
    QCOMPARE(bench.base.state().bootloader.writePointer, image.size());
    bench.verify(image);
    bench.wait(basesim::kBootloaderVerifyMs);
    QCOMPARE(bench.reportedCrc(), wire::crc32(image.data(), image.size()));
    QCOMPARE(bench.status()->at(1), std::uint8_t(basesim::PhaseVerified));
}

void TestVirtualBootloader::dataPastFlashCapacityIsRefused()
{
    BootloaderBench bench;
    bench.erase();
    const std::vector<std::uint8_t> chunk(55, 0xA5);
    const std::size_t fullChunks = wire::kProgramFlashCapacity / 55;
    for (std::size_t i = 0; i < fullChunks; ++i)
        bench.send(wire::firmwareChunk(i == 0, chunk.data(), 55));
    const std::size_t rest = wire::kProgramFlashCapacity - fullChunks * 55;
    QVERIFY(rest > 0 && rest < 55);
    QCOMPARE(bench.status()->at(2), std::uint8_t(basesim::BootloaderOk));
    // A full chunk no longer fits; the exact rest still does.
    bench.send(wire::firmwareChunk(false, chunk.data(), 55));
    QCOMPARE(bench.base.state().bootloader.writePointer, fullChunks * 55);
    QCOMPARE(bench.status()->at(2), std::uint8_t(basesim::BootloaderFlashFull));
    QCOMPARE(bench.base.state().program.image.size(), fullChunks * 55);
}

void TestVirtualBootloader::crcIsReportedSecondsAfterVerify()
{
    BootloaderBench bench;
    bench.erase();
    const auto image = imageOf(1000, 1, 0, 16);
    bench.sendImage(image);
    bench.verify(image);
    QCOMPARE(bench.reportedCrc(), 0u);
    bench.wait(basesim::kBootloaderVerifyMs - 10);
    QCOMPARE(bench.reportedCrc(), 0u);
    bench.wait(10);
    QCOMPARE(bench.reportedCrc(), wire::crc32(image.data(), image.size()));
}

void TestVirtualBootloader::startNeedsVerifiedImage_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("starts");
    QTest::newRow("verified") << "verified" << true;
    QTest::newRow("never verified") << "unverified" << false;
    QTest::newRow("CRC not yet computed") << "early" << false;
    QTest::newRow("length does not match") << "length" << false;
    QTest::newRow("CRC does not match") << "crc" << false;
}

void TestVirtualBootloader::startNeedsVerifiedImage()
{
    QFETCH(QString, how);
    QFETCH(bool, starts);
    BootloaderBench bench;
    bench.erase();
    const auto image = imageOf(2000, 1, 2, 3);
    bench.sendImage(image);
    const std::uint32_t crc = wire::crc32(image.data(), image.size());
    if (how == "length")
        bench.send(wire::verifyRequest(crc, std::uint32_t(image.size() + 1)));
    else if (how == "crc")
        bench.send(wire::verifyRequest(crc ^ 1, std::uint32_t(image.size())));
    else if (how != "unverified")
        bench.verify(image);
    if (how != "early")
        bench.wait(basesim::kBootloaderVerifyMs);
    bench.send(wire::bootloaderCommand(wire::BootloaderCommand::StartApplication));
    bench.send(wire::bootloaderCommand(wire::BootloaderCommand::NoOperation));
    bench.wait(basesim::kApplicationStartMs + basesim::kBootloaderEnumerationMs + basesim::kBootToOperationalMs);

    const basesim::BaseState &state = bench.base.state();
    QCOMPARE(!state.inBootloader, starts);
    if (starts) {
        QCOMPARE(bench.base.currentProductId(), basesim::productIdOf(state.model));
        bench.reopen();
        const auto status = bench.Bench::status();
        QVERIFY(status);
        QCOMPARE(int(status->firmwareMajor), 1);
        QCOMPARE(int(status->firmwareMinor), 2);
        QCOMPARE(int(status->firmwarePatch), 3);
        QCOMPARE(status->operatingMode, std::uint32_t(wire::ModeOperational));
    } else {
        QCOMPARE(bench.base.currentProductId(), kProductIdUpdateMode);
        QCOMPARE(bench.status()->at(2), std::uint8_t(basesim::BootloaderNotVerified));
        QCOMPARE(int(state.firmwarePatch), 15);
    }
}

void TestVirtualBootloader::erasedBaseStaysInBootloaderAcrossPowerCycles()
{
    // Sent there by the application's own command, as the wizard does.
    Bench bench(operationalConfig());
    bench.send(DeviceCommand::startBootloader);
    bench.send(DeviceCommand::WriteNOP);
    bench.wait(basesim::kBootloaderJumpMs);
    QVERIFY(!bench.base.plugged());
    bench.wait(basesim::kBootloaderEnumerationMs);
    QCOMPARE(bench.base.currentProductId(), kProductIdUpdateMode);
    bench.reopen();

    // Not yet erased: a power cycle brings the old application back.
    bench.base.powerCycle();
    QVERIFY(!bench.base.state().inBootloader);
    bench.reopen();
    QCOMPARE(bench.send(DeviceCommand::startBootloader), 60);
    bench.wait(basesim::kBootloaderJumpMs + basesim::kBootloaderEnumerationMs);
    bench.reopen();
    QCOMPARE(bench.send(wire::bootloaderCommand(wire::BootloaderCommand::UnlockErase)), 60);
    for (int cycle = 0; cycle < 2; ++cycle) {
        bench.base.powerCycle();
        QVERIFY(bench.base.state().inBootloader);
        QCOMPARE(bench.base.currentProductId(), kProductIdUpdateMode);
    }
}

void TestVirtualBootloader::faultsOfTheTransfer()
{
    const auto image = imageOf(550, 1, 0, 16);
    {
        BootloaderBench bench;
        bench.base.faults().bootloaderCrcNeverComputed = true;
        bench.erase();
        bench.sendImage(image);
        bench.verify(image);
        bench.wait(60000);
        QCOMPARE(bench.reportedCrc(), 0u);
    }
    {
        BootloaderBench bench;
        bench.base.faults().corruptFirmwareChunk = 3;
        bench.erase();
        bench.sendImage(image);
        bench.verify(image);
        bench.wait(basesim::kBootloaderVerifyMs);
        const std::uint32_t crc = bench.reportedCrc();
        QVERIFY(crc != 0 && crc != wire::crc32(image.data(), image.size()));
        QVERIFY(bench.base.state().program.image[3 * 55] != image[3 * 55]);
    }
    {
        BootloaderBench bench;
        bench.base.faults().unplugAfterFirmwareChunks = 4;
        bench.erase();
        bench.sendImage(image);
        QVERIFY(!bench.base.plugged());
        QCOMPARE(bench.base.state().bootloader.chunksReceived, 4u);
    }
}

QTEST_MAIN(TestVirtualBootloader)
#include "tst_virtualbootloader.moc"
