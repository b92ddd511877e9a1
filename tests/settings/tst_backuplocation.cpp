// Where the automatic backup goes: the program's folder when a file can be made there,
// otherwise the per-user data folder, made on the way.

#include "settings/backuplocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

class TestBackupLocation : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void writableProgramFolderKeepsTheBackup();
    void unwritableProgramFolderFallsBackToTheDataFolder_data();
    void unwritableProgramFolderFallsBackToTheDataFolder();

private:
    static QString dataFolder() { return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation); }

    QTemporaryDir homes_;
    int home_ = 0;
};

void TestBackupLocation::initTestCase()
{
    QVERIFY(homes_.isValid());
    QCoreApplication::setOrganizationName(QStringLiteral("Halvern Labs"));
}

// Every case starts without a data folder.
void TestBackupLocation::init()
{
    qputenv("XDG_DATA_HOME", QFile::encodeName(homes_.filePath(QString::number(++home_))));
    QVERIFY(!QFileInfo::exists(dataFolder()));
}

void TestBackupLocation::writableProgramFolderKeepsTheBackup()
{
    QTemporaryDir program;
    QCOMPARE(profiles::automaticBackupPath(program.path()), program.filePath("profiles_autobackup.ini"));
    // Finding out leaves nothing behind, and no data folder is made for nothing.
    QCOMPARE(QDir(program.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
    QVERIFY(!QFileInfo::exists(dataFolder()));
}

void TestBackupLocation::unwritableProgramFolderFallsBackToTheDataFolder_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("read-only folder") << "read-only";
    QTest::newRow("folder gone") << "missing";
    QTest::newRow("a file in the folder's place") << "file";
}

void TestBackupLocation::unwritableProgramFolderFallsBackToTheDataFolder()
{
    QFETCH(QString, kind);
    QTemporaryDir scratch;
    const QString program = scratch.filePath("bin");
    if (kind == "read-only") {
        QVERIFY(QDir().mkdir(program));
        QVERIFY(QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup
                                                   | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther));
        if (::geteuid() == 0)
            QSKIP("permission bits do not stop the administrator; the other rows cover the fallback");
    } else if (kind == "file") {
        QFile file(program);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\n");
    }

    const QString path = profiles::automaticBackupPath(program);
    QCOMPARE(path, dataFolder() + "/profiles_autobackup.ini");
    QVERIFY(dataFolder().contains("Halvern Labs"));
    QVERIFY(QFileInfo(dataFolder()).isDir());
    QFile backup(path);
    QVERIFY(backup.open(QIODevice::WriteOnly));
    if (kind == "read-only")
        QVERIFY(QDir(program).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

QTEST_MAIN(TestBackupLocation)
#include "tst_backuplocation.moc"
