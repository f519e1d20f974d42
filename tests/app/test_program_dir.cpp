// The program finds RARU.DLL beside its executable, never in the current directory, also when
// the folder's path holds spaces and Chinese characters.
#include "Database.h"
#include "uDM.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestProgramDir : public QObject {
    Q_OBJECT

    struct Run {
        int exitCode;
        QStringList lines;
    };
    // Copies the probe into `folder` and starts it there with `cwd` as its working directory.
    static Run runProbeIn(const QString& folder, const QString& cwd)
    {
        const QString exe = QDir(folder).filePath(QStringLiteral("probe"));
        QFile::remove(exe);
        if (!QFile::copy(QStringLiteral(ZZ_PROBE_PATH), exe))
            return {-1, {QStringLiteral("cannot copy the probe")}};
        QProcess p;
        p.setWorkingDirectory(cwd);
        p.start(exe, {});
        if (!p.waitForFinished(60000))
            return {-2, {QStringLiteral("probe did not finish")}};
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts)};
    }

private Q_SLOTS:
    void programDirIsTheExecutablesFolder()
    {
        TDM dm;
        QCOMPARE(dm.ProgramDir(), QCoreApplication::applicationDirPath() + u'/');
        QCOMPARE(dm.DatabasePath(), QCoreApplication::applicationDirPath() + QStringLiteral("/RARU.DLL"));
    }

    void opensTheFileBesideTheExecutable_data()
    {
        QTest::addColumn<QString>("folderName");
        QTest::newRow("plain") << QStringLiteral("program");
        QTest::newRow("spaces") << QStringLiteral("my books 2024");
        QTest::newRow("chinese and spaces") << QStringLiteral("我的 账本 #1/岚拓 日记账");
    }
    void opensTheFileBesideTheExecutable()
    {
        QFETCH(QString, folderName);
        QTemporaryDir root;
        const QString folder = root.filePath(folderName);
        QVERIFY(QDir().mkpath(folder));
        Database::createDelivered(QDir(folder).filePath(QStringLiteral("RARU.DLL")));
        // A different database in the working directory must not be the one opened.
        const QString elsewhere = root.filePath(QStringLiteral("elsewhere"));
        QVERIFY(QDir().mkpath(elsewhere));
        Database::createEmpty(QDir(elsewhere).filePath(QStringLiteral("RARU.DLL")));

        const Run r = runProbeIn(folder, elsewhere);
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.lines.size(), 2);
        QCOMPARE(QFileInfo(r.lines.at(0)).canonicalFilePath(),
                 QFileInfo(QDir(folder).filePath(QStringLiteral("RARU.DLL"))).canonicalFilePath());
        QCOMPARE(r.lines.at(1), QStringLiteral("1")); // the delivered admin, not the empty decoy
    }

    void missingFileIsReportedWithItsPathAndNotCreated()
    {
        QTemporaryDir root;
        const QString folder = root.filePath(QStringLiteral("空 目录"));
        QVERIFY(QDir().mkpath(folder));
        const Run r = runProbeIn(folder, root.path());
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(r.lines.size(), 2);
        QVERIFY2(r.lines.at(1).contains(QDir(folder).filePath(QStringLiteral("RARU.DLL"))), qPrintable(r.lines.at(1)));
        QVERIFY(!QFile::exists(QDir(folder).filePath(QStringLiteral("RARU.DLL"))));
    }
};

QTEST_GUILESS_MAIN(TestProgramDir)
#include "test_program_dir.moc"
