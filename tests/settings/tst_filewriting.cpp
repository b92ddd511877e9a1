// Writing files whole or not at all: a write cut off or refused is reported and, where it
// failed before the replacement, leaves the old file; names that are not valid UTF-8 read
// and write like any other.

#include "analog/analogini.h"
#include "settings/filenamecodec.h"
#include "settings/filewriting.h"
#include "settings/profileimportexport.h"
#include "settings/profilename.h"

#include <QDir>
#include <QTextCodec>
#include <QtTest>

#include <fstream>
#include <string>

using namespace settingsfiles;

class TestFileWriting : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void failingWriterKeepsOldFile_data();
    void failingWriterKeepsOldFile();
    void cutOffWriteIsReportedFailed();
    void existingTargetIsReadWithinLimit();
    void nonUtf8NamesOpen_data();
    void nonUtf8NamesOpen();
    void fileNameCodecRoundTripsText_data();
    void fileNameCodecRoundTripsText();

private:
    QTemporaryDir folder_;
};

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeRaw(const std::string &path, const QByteArray &bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.constData(), bytes.size());
}

} // namespace

void TestFileWriting::initTestCase()
{
    QVERIFY(folder_.isValid());
    // As the programs do at start-up; the test machine runs a UTF-8 locale or the C one.
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
    installFileNameCodec();
    QCOMPARE(QTextCodec::codecForLocale(), fileNameCodec());
}

// The disk fills up or the device fails part way: the writer says so, the old file stays.
void TestFileWriting::failingWriterKeepsOldFile_data()
{
    QTest::addColumn<int>("answer"); // what the writer claims, -2: half the bytes written and said
    QTest::newRow("write error") << -1;
    QTest::newRow("nothing written") << 0;
    QTest::newRow("half written") << -2;
}

void TestFileWriting::failingWriterKeepsOldFile()
{
    QFETCH(int, answer);
    const QString path = folder_.filePath(QStringLiteral("kept.ini"));
    writeRaw(path.toStdString(), "old content\n");
    const QByteArray bytes(4096, 'x');
    QString error;
    const bool written = writeFileVerified(path, bytes, &error, [answer](QIODevice &device, const QByteArray &data) {
        if (answer == -2)
            return device.write(data.left(data.size() / 2));
        return qint64(answer);
    });
    QVERIFY(!written);
    QVERIFY2(error.contains(QStringLiteral("of 4096 bytes")), qPrintable(error));
    QCOMPARE(readAll(path), QByteArray("old content\n"));
    // No temporary file is left beside it.
    QCOMPARE(QDir(folder_.path()).entryList(QDir::Files), QStringList{QStringLiteral("kept.ini")});
}

// The disk takes fewer bytes than the writer believed it wrote: only the read-back shows it.
void TestFileWriting::cutOffWriteIsReportedFailed()
{
    const QString path = folder_.filePath(QStringLiteral("cut.ini"));
    const QByteArray bytes(4096, 'y');
    QString error;
    QVERIFY(!writeFileVerified(path, bytes, &error, [](QIODevice &device, const QByteArray &data) {
        device.write(data.left(1024));
        return qint64(data.size());
    }));
    QVERIFY2(error.contains(QStringLiteral("differ")), qPrintable(error));
    QVERIFY(writeFileVerified(path, bytes, &error));
    QCOMPARE(readAll(path), bytes);
}

void TestFileWriting::existingTargetIsReadWithinLimit()
{
    const QString path = folder_.filePath(QStringLiteral("limit.ini"));
    QCOMPARE(readExistingTarget(path, 10).kind, ExistingTarget::Missing);
    writeRaw(path.toStdString(), "0123456789");
    const ExistingTarget within = readExistingTarget(path, 10);
    QCOMPARE(within.kind, ExistingTarget::Regular);
    QCOMPARE(within.bytes, QByteArray("0123456789"));
    const ExistingTarget beyond = readExistingTarget(path, 9);
    QCOMPARE(beyond.kind, ExistingTarget::TooLarge);
    QVERIFY(beyond.bytes.isEmpty());
    QCOMPARE(readExistingTarget(folder_.path(), 10).kind, ExistingTarget::NotRegular);
}

// A name in Latin-1 or cut off mid-character on a UTF-8 system: listed by the folder as the
// file dialog lists it, then imported and exported under that name.
void TestFileWriting::nonUtf8NamesOpen_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::newRow("Latin-1") << QByteArray("r\xE9glages.ini");
    QTest::newRow("lone continuation byte") << QByteArray("\x80\xBF.ini");
    QTest::newRow("cut-off sequence") << QByteArray("pedals\xE2\x82.ini");
    QTest::newRow("valid UTF-8") << QByteArray("r\xC3\xA9glages.ini");
}

void TestFileWriting::nonUtf8NamesOpen()
{
    QFETCH(QByteArray, name);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const std::string raw = QFile::encodeName(folder.path()).toStdString() + '/' + name.toStdString();
    writeRaw(raw, "[Veltrane2_Profiles_V2]\nProfile1\\name=Bytes\n"
                  "[VeltRANE_Analog_Axis_Settings_V1]\n"
                  "ypin=1\nyinvert=0\nymin=100\nymax=65435\nzpin=0\nzinvert=0\nzmin=100\nzmax=65435\n"
                  "brakepin=4\nbrakeinvert=1\nbrakemin=100\nbrakemax=65435\nthrottlepin=3\nthrottleinvert=0\n"
                  "throttlemin=100\nthrottlemax=65435\nclutchpin=0\nclutchinvert=0\nclutchmin=100\nclutchmax=65435\n"
                  "rudderpin=0\nrudderinvert=0\nruddermin=100\nruddermax=65435\nhatpin=0\nhatinvert=0\nhatmin=100\n"
                  "hatmax=65435\n");
    const QStringList listed = QDir(folder.path()).entryList(QDir::Files);
    QCOMPARE(listed.size(), 1);
    const QString path = folder.filePath(listed.first());
    QCOMPARE(QFile::encodeName(path).toStdString(), raw);

    ProfileList list;
    QVERIFY(profiles::ImportExport(9500, true).importFile(path, QLatin1String(profiles::kProfilesGroup), list));
    QCOMPARE(list.size(), std::size_t(1));
    QCOMPARE(profileName(*list[0]), QStringLiteral("Bytes"));
    wire::AnalogSettings record;
    QVERIFY(analog::importAnalogFile(path, record));
    QCOMPARE(record.field(wire::AxisBrake, wire::AnalogPin), 4u);

    // Written back under the same bytes, not beside them under a replacement character.
    QVERIFY(analog::exportAnalogFile(path, record));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), listed);
    std::ifstream back(raw, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(back)), std::istreambuf_iterator<char>());
    QVERIFY(text.find("brakepin=4") != std::string::npos);
}

void TestFileWriting::fileNameCodecRoundTripsText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("ASCII") << QByteArray("plain.ini") << QStringLiteral("plain.ini");
    QTest::newRow("two-byte") << QByteArray("\xC2\xB0") << QString(QChar(0xB0));
    QTest::newRow("four-byte") << QByteArray("\xF0\x9F\x8F\x81") << QString::fromUtf8("\xF0\x9F\x8F\x81");
    QTest::newRow("Latin-1 byte") << QByteArray("\xE9") << QString(QChar(0xDCE9));
    QTest::newRow("overlong slash") << QByteArray("\xC0\xAF") << (QString(QChar(0xDCC0)) + QChar(0xDCAF));
    QTest::newRow("encoded surrogate") << QByteArray("\xED\xA0\x80")
                                       << (QString(QChar(0xDCED)) + QChar(0xDCA0) + QChar(0xDC80));
    QTest::newRow("beyond U+10FFFF") << QByteArray("\xF4\x90\x80\x80")
                                     << (QString(QChar(0xDCF4)) + QChar(0xDC90) + QChar(0xDC80) + QChar(0xDC80));
}

void TestFileWriting::fileNameCodecRoundTripsText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QTextCodec *codec = fileNameCodec();
    QCOMPARE(codec->toUnicode(bytes), text);
    QCOMPARE(codec->fromUnicode(text), bytes);
    // Fed a byte at a time, as a stream decoder does, the result is the same (a sequence cut
    // off at the end waits for more, so one more character closes the stream).
    QTextDecoder decoder(codec);
    QString streamed;
    for (char c : bytes + '!')
        streamed += decoder.toUnicode(&c, 1);
    QCOMPARE(streamed, text + QLatin1Char('!'));
}

QTEST_GUILESS_MAIN(TestFileWriting)
#include "tst_filewriting.moc"
