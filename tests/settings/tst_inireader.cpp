// The import reader must read every ordinary file exactly as Qt's INI reader does, and
// must never hand "@Variant(...)"-style values to a decoder.

#include "settings/inireader.h"
#include "settings/profileimportexport.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCodec>

class TestIniReader : public QObject {
    Q_OBJECT

private slots:
    void matchesQtOnOrdinaryFiles_data();
    void matchesQtOnOrdinaryFiles();
    void typedFormsAreNeverDecoded_data();
    void typedFormsAreNeverDecoded();
    void hostileVariantFileImportsSafely();

private:
    QString write(const QByteArray &content)
    {
        const QString path = folder_.filePath(QString::number(++files_) + QStringLiteral(".ini"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
            return QString();
        return path;
    }

    QTemporaryDir folder_;
    int files_ = 0;
};

void TestIniReader::matchesQtOnOrdinaryFiles_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("sections and nested keys")
        << QByteArray("[V2profiles]\nProfile1\\name=Road\nProfile1\\gamma=1500\n[Other]\nkey=0\n");
    QTest::newRow("general section") << QByteArray("[General]\ntop=1\n[%General]\ninner=2\n");
    QTest::newRow("blanks around keys and values") << QByteArray("[A]\n  key   =   some value  \t\n");
    QTest::newRow("quoted values keep blanks") << QByteArray("[A]\nname=\"  padded  \"\n");
    QTest::newRow("escapes") << QByteArray("[A]\nname=tab\\there \\\"q\\\" back\\\\slash \\x41\\102\n");
    QTest::newRow("comma list") << QByteArray("[A]\nlist=a, b ,c\nsingle=\"x, y\"\n");
    QTest::newRow("comment lines") << QByteArray("; leading comment\n[A]\n;key=1\nkey=2 ; trailing\n");
    QTest::newRow("percent escapes in keys") << QByteArray("[My%20Group]\nkey%3D=1\n%U00e9t%U00e9=2\n");
    QTest::newRow("windows line ends") << QByteArray("[A]\r\nkey=1\r\nother=two words\r\n");
    QTest::newRow("line continuation") << QByteArray("[A]\nkey=first \\\nsecond\n");
    QTest::newRow("lines without equals") << QByteArray("[A]\njunk\nkey=1\n");
    QTest::newRow("duplicate keys") << QByteArray("[A]\nkey=1\nkey=2\n");
    QTest::newRow("doubled at sign") << QByteArray("[A]\nname=@@home\n");
    QTest::newRow("high bytes") << QByteArray("[A]\nname=Caf\xe9 \x80uro\n");
    QTest::newRow("unterminated section") << QByteArray("[A\nkey=1\n");
}

void TestIniReader::matchesQtOnOrdinaryFiles()
{
    QFETCH(QByteArray, content);
    for (const char *codecName : {"Windows-1252", static_cast<const char *>(nullptr)}) {
        // A file of its own each time: Qt caches what it parsed by path.
        const QString path = write(content);
        QVERIFY(!path.isEmpty());
        QSettings qt(path, QSettings::IniFormat);
        if (codecName)
            qt.setIniCodec(codecName);
        QTextCodec *codec = codecName ? QTextCodec::codecForName(codecName) : nullptr;
        const QSettings::SettingsMap ours = settingsfiles::parseIni(content, codec);

        QStringList theirKeys = qt.allKeys();
        theirKeys.sort();
        QCOMPARE(ours.keys(), theirKeys);
        for (const QString &key : theirKeys)
            QCOMPARE(ours.value(key), qt.value(key));
    }
}

void TestIniReader::typedFormsAreNeverDecoded_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<bool>("kept");
    QTest::addColumn<QString>("text");
    // A string list whose count asks for gigabytes when Qt decodes it.
    QTest::newRow("variant list") << QByteArray("@Variant(\\0\\0\\0\\v\\0\\xff\\xff\\xff\\xf0)") << false << QString();
    QTest::newRow("variant spelled in escapes") << QByteArray("\\x40Variant(\\0\\0\\0\\x2\\0\\0\\0\\0\\x5)") << false
                                               << QString();
    QTest::newRow("date time") << QByteArray("@DateTime(\\0)") << false << QString();
    QTest::newRow("byte array") << QByteArray("@ByteArray(abc)") << false << QString();
    QTest::newRow("plain string form") << QByteArray("@String(abc)") << true << QStringLiteral("abc");
    QTest::newRow("at sign not a form") << QByteArray("@home") << true << QStringLiteral("@home");
}

void TestIniReader::typedFormsAreNeverDecoded()
{
    QFETCH(QByteArray, value);
    QFETCH(bool, kept);
    QFETCH(QString, text);
    const QSettings::SettingsMap map = settingsfiles::parseIni("[A]\nkey=" + value + "\n", nullptr);
    QCOMPARE(map.contains(QStringLiteral("A/key")), kept);
    if (kept)
        QCOMPARE(map.value(QStringLiteral("A/key")).toString(), text);
}

// Qt's reader crashes the process on this file (an unbounded allocation); the import
// reads it as a profile with the default name and values.
void TestIniReader::hostileVariantFileImportsSafely()
{
    const QString path = write("[Veltrane2_Profiles_V2]\nProfile1\\name=Road\n"
                               "Profile1\\steeringrange=@Variant(\\0\\0\\0\\v2\\0\\0\\x3\\x84)\n"
                               "Profile2\\name=@Variant(\\0\\0\\0\\v\\0\\xff\\xff\\xff\\xf0)\n");
    QVERIFY(!path.isEmpty());
    const profiles::ImportExport io(8000, true);
    ProfileList list;
    list.push_back(std::make_unique<profDataNew>());
    QVERIFY(io.importFile(path, QLatin1String(profiles::kProfilesGroup), list, nullptr));
    QCOMPARE(list.size(), std::size_t(2)); // Profile2's name is no name: the list ends there
    QCOMPARE(QString::fromUtf8(list[1]->nameBytes().data(), int(list[1]->nameBytes().size())),
             QStringLiteral("Road"));
}

QTEST_GUILESS_MAIN(TestIniReader)
#include "tst_inireader.moc"
