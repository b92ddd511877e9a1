// Flashing through the bootloader against the virtual base on the manual clock: the whole
// run, the chunking, each failure with its text, and a bad image that must never erase.

#include "device/devicelink.h"
#include "device/wire/bootloaderframes.h"
#include "device/wire/bytes.h"
#include "firmware/firmwareflasher.h"
#include "session/includedfirmware.h"
#include "tests/support/logcapture.h"
#include "tests/support/manualclock.h"
#include "basesim/virtualbase.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

namespace {

struct RecordingView final : FlashView {
    QStringList texts;
    QStringList titles;
    QStringList progress;
    bool began = false;
    bool wrapped = false;
    bool progressVisible = false;
    QString buttons = "start";

    void beginFlash() override { began = true; }
    void setTitle(const QString &title) override { titles << title; }
    void setMainText(const QString &text, bool wordWrap) override
    {
        texts << text;
        wrapped = wordWrap;
    }
    void setProgressVisible(bool visible) override { progressVisible = visible; }
    void setProgressText(const QString &text) override { progress << text; }
    void showFailureButtons() override { buttons = "cancel"; }
    void showSuccessButtons() override { buttons = "next"; }
};

// A clock, a base waiting in its bootloader, and a link that found it there.
struct FlashFixture {
    explicit FlashFixture(int major = 1, int minor = 0, int patch = 14)
        : base(config(major, minor, patch)), link(base)
    {
        base.enterBootloader();
        open();
    }

    static basesim::BaseConfig config(int major, int minor, int patch)
    {
        basesim::BaseConfig c;
        c.startOperational = true;
        c.firmwareMajor = std::uint8_t(major);
        c.firmwareMinor = std::uint8_t(minor);
        c.firmwarePatch = std::uint8_t(patch);
        return c;
    }

    void open()
    {
        QVERIFY(link.openUpdateMode());
        base.clearReceivedFrames();
    }

    QList<wire::CommandFrame> framesOf(wire::BootloaderCommand command) const
    {
        QList<wire::CommandFrame> frames;
        for (const wire::CommandFrame &frame : base.receivedFrames())
            if (frame[0] == wire::kBootloaderOutReportId && wire::bootloaderCommandOf(frame) == command)
                frames << frame;
        return frames;
    }

    // Lets the started application come up, then asks it for its version.
    QString runningVersion()
    {
        clock.advance(10000);
        base.update();
        if (base.state().inBootloader || !link.connectDevice())
            return "bootloader";
        bool valid = false;
        if (!link.askVeltraneStatusNew(valid) || !valid)
            return "no status";
        return QString("%1.%2.%3").arg(link.status().firmwareMajor).arg(link.status().firmwareMinor).arg(link.status().firmwarePatch);
    }

    ManualClock clock;
    basesim::VirtualBase base;
    DeviceLink link;
};

QString writeImage(const QTemporaryDir &dir, const QByteArray &bytes)
{
    const QString path = dir.filePath("image.bootloadable");
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}

QByteArray imageOf(int length, int major, int minor, int patch)
{
    QByteArray image(length, '\0');
    for (int i = 0; i < length; ++i)
        image[i] = char(i * 13 + 1);
    if (length > 418) {
        image[416] = char(patch);
        image[417] = char(minor);
        image[418] = char(major);
    }
    return image;
}

using Setup = std::function<void(basesim::VirtualBase &)>;

} // namespace

Q_DECLARE_METATYPE(Setup)

class TestFlashFirmware : public QObject {
    Q_OBJECT

private slots:
    void flashesBuiltInImage();
    void chunking_data();
    void chunking();
    void failures_data();
    void failures();
    void badImageIsRefusedBeforeErasing_data();
    void badImageIsRefusedBeforeErasing();
};

void TestFlashFirmware::flashesBuiltInImage()
{
    FlashFixture fixture(1, 0, 14);
    RecordingView view;
    LogCapture log(&fixture.link);
    const linkclock::Milliseconds start = fixture.clock.peek();

    QVERIFY(flashFirmware(fixture.link, QLatin1String(kIncludedFirmwareImage), view));

    QVERIFY(view.began);
    QCOMPARE(view.titles, QStringList{"Updating firmware"});
    QCOMPARE(view.texts, QStringList({"Unlocking and erasing program flash memory.",
                                      "Unlocking and erasing program flash memory ..",
                                      "Unlocking and erasing program flash memory ....",
                                      "Unlocking and erasing program flash memory .....",
                                      "Unlocking and erasing program flash memory .........",
                                      "Firmware upload progress",
                                      "Verifying... this should take around 5 seconds."}));
    QCOMPARE(view.progress.size(), 5120);
    QCOMPARE(view.progress.first(), QString("55/281560 bytes sent."));
    QCOMPARE(view.progress.last(), QString("281560/281560 bytes sent."));
    QVERIFY(!view.progressVisible);
    QCOMPARE(view.buttons, QString("next"));
    QVERIFY(log.contains("verifying update"));
    QVERIFY(log.contains("firmware update succesfull"));
    // The normal link is down: the closing no-operation only reports its failure.
    QVERIFY(log.contains("WriteNOP Fail"));
    QVERIFY(!fixture.link.deviceHandle());

    // Erase, image, verify with the image's CRC and length, start.
    QFile file{QLatin1String(kIncludedFirmwareImage)};
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray image = file.readAll();
    const std::uint32_t crc = wire::crc32(reinterpret_cast<const std::uint8_t *>(image.constData()), std::size_t(image.size()));
    QCOMPARE(fixture.base.receivedFrames().front()[1], std::uint8_t(8));
    const auto verify = fixture.framesOf(wire::BootloaderCommand::Verify);
    QCOMPARE(verify.size(), 1);
    QCOMPARE(wire::getU32(verify[0].data(), 60, 2), crc);
    QCOMPARE(wire::getU32(verify[0].data(), 60, 6), 281560u);
    QCOMPARE(fixture.framesOf(wire::BootloaderCommand::StartApplication).size(), 1);
    // At least the mandated waits: 2800 ms erase, 4 ms per chunk, 10 + 1000 + 5000 ms
    // before the first poll, 1000 ms after it.
    QVERIFY(fixture.clock.peek() - start >= 30290);

    QCOMPARE(fixture.runningVersion(), QString("1.0.15"));
}

void TestFlashFirmware::chunking_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("chunks");
    QTest::addColumn<int>("lastChunk");
    QTest::newRow("multiple of 55") << 440 << 8 << 55;
    QTest::newRow("one byte over") << 441 << 9 << 1;
    QTest::newRow("odd rest") << 1000 << 19 << 10;
}

void TestFlashFirmware::chunking()
{
    QFETCH(int, length);
    QFETCH(int, chunks);
    QFETCH(int, lastChunk);
    QTemporaryDir dir;
    const QByteArray image = imageOf(length, 1, 0, 20);
    FlashFixture fixture;
    RecordingView view;
    QVERIFY(flashFirmware(fixture.link, writeImage(dir, image), view));

    const auto sent = fixture.framesOf(wire::BootloaderCommand::ImageData);
    QCOMPARE(sent.size(), chunks);
    QByteArray received;
    for (int i = 0; i < sent.size(); ++i) {
        QCOMPARE(int(sent[i][2]), i == 0 ? 1 : 0);
        QCOMPARE(int(sent[i][3]), i + 1 < sent.size() ? 55 : lastChunk);
        received.append(reinterpret_cast<const char *>(sent[i].data() + 4), sent[i][3]);
    }
    QCOMPARE(received, image);
    QCOMPARE(view.progress.last(), QString("%1/%1 bytes sent.").arg(length));
    QCOMPARE(fixture.runningVersion(), QString("1.0.20"));
}

void TestFlashFirmware::failures_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("statusRequests");

    QTest::newRow("erase cannot be sent") << Setup([](basesim::VirtualBase &b) { b.faults().failWrites = true; })
                                          << "Sending command failed"
                                          << "could not send unlock command to device" << 0;
    QTest::newRow("unplugged mid-stream")
        << Setup([](basesim::VirtualBase &b) { b.faults().unplugAfterFirmwareChunks = 20; })
        << "Unable to send Veltrane flash file to the board. Troubleshooting instructions: If you are using a USB hub, retry firmware update when Veltrane is connected directly to the PC. Also try with shorter USB cable or without an extension cable if you are using one."
        << "sending file failed" << 0;
    QTest::newRow("CRC never computed")
        << Setup([](basesim::VirtualBase &b) { b.faults().bootloaderCrcNeverComputed = true; })
        << "Firmware update failed." << "" << 59;
    QTest::newRow("status unanswered")
        << Setup([](basesim::VirtualBase &b) { b.faults().dropReplies = true; })
        << "Firmware update failed." << "firmware update failed - could not request crc32 for verification" << 1;
    QTest::newRow("foreign reports after 50 ms")
        << Setup([](basesim::VirtualBase &b) { b.faults().foreignFloodMs = 80; })
        << "Firmware update failed." << "timemout failure2 at askVeltraneBootloaderStatusNew()" << 1;
    QTest::newRow("corrupted chunk")
        << Setup([](basesim::VirtualBase &b) { b.faults().corruptFirmwareChunk = 17; })
        << "Veltrane returned wrong checksum from received data, causing the firmware update to fail."
        << "firmware update unsuccesfull (crc32 did not match)" << 1;
    // The cable goes just as the start command is due: no success may be claimed.
    QTest::newRow("start cannot be sent") << Setup([](basesim::VirtualBase &b) {
        b.faults().tamperReply = [&b](wire::ReplyBuffer &reply) {
            if (wire::getU32(reply.data(), reply.size(), 10) != 0)
                b.faults().failWrites = true;
        };
    }) << "Firmware update failed." << "could not send the start command" << 1;
}

// Each failure ends with its text and Cancel, and leaves a base that a power cycle and a
// second run bring back.
void TestFlashFirmware::failures()
{
    QFETCH(Setup, setup);
    QFETCH(QString, text);
    QFETCH(QString, message);
    QFETCH(int, statusRequests);
    QTemporaryDir dir;
    const QString path = writeImage(dir, imageOf(3000, 1, 0, 16));
    FlashFixture fixture;
    setup(fixture.base);
    RecordingView view;
    LogCapture log(&fixture.link);

    QVERIFY(!flashFirmware(fixture.link, path, view));
    QCOMPARE(view.texts.last(), text);
    if (!message.isEmpty())
        QVERIFY2(log.contains(message), qPrintable(log.messages().join('\n')));
    QVERIFY(!log.contains("firmware update succesfull"));
    QCOMPARE(fixture.framesOf(wire::BootloaderCommand::Status).size(), statusRequests);
    const bool afterVerify = statusRequests > 0;
    QCOMPARE(view.buttons, afterVerify ? QString("cancel") : QString("start"));
    QCOMPARE(view.wrapped, text.startsWith("Unable to send"));
    QVERIFY(fixture.base.state().inBootloader);

    fixture.base.faults() = basesim::Faults{};
    fixture.base.plug();
    fixture.base.powerCycle();
    const bool erased = statusRequests > 0 || text.startsWith("Unable to send");
    QCOMPARE(fixture.base.state().inBootloader, erased);
    if (erased) {
        fixture.open();
        RecordingView again;
        QVERIFY(flashFirmware(fixture.link, path, again));
    }
    QCOMPARE(fixture.runningVersion(), erased ? QString("1.0.16") : QString("1.0.14"));
}

void TestFlashFirmware::badImageIsRefusedBeforeErasing_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing") << "missing";
    QTest::newRow("empty") << "empty";
    QTest::newRow("no room for the version") << "short";
    QTest::newRow("larger than the flash") << "large";
    QTest::newRow("a folder") << "folder";
}

void TestFlashFirmware::badImageIsRefusedBeforeErasing()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    QString path = dir.filePath("absent.bootloadable");
    if (kind == "empty")
        path = writeImage(dir, QByteArray());
    else if (kind == "short")
        path = writeImage(dir, imageOf(418, 1, 0, 16));
    else if (kind == "large")
        path = writeImage(dir, imageOf(int(wire::kProgramFlashCapacity) + 1, 1, 0, 16));
    else if (kind == "folder")
        path = dir.path();
    FlashFixture fixture;
    RecordingView view;
    LogCapture log(&fixture.link);

    QVERIFY(!flashFirmware(fixture.link, path, view));
    QCOMPARE(view.texts, QStringList{"Unable to open Veltrane flash file."});
    QVERIFY(log.contains("Opening flash file failed"));
    QVERIFY(fixture.base.receivedFrames().empty());
    QVERIFY(fixture.base.state().program.intact);
    // Nothing was erased: the old firmware comes back with the power.
    fixture.base.powerCycle();
    QCOMPARE(fixture.runningVersion(), QString("1.0.14"));
}

QTEST_GUILESS_MAIN(TestFlashFirmware)
#include "tst_flashfirmware.moc"
