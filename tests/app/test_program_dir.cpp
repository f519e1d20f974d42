// The program finds RARU.DLL beside its executable, never in the current directory, also when
// the folder's path holds spaces and Chinese characters; installed, it keeps the books in the
// user's data folder.
#include "Database.h"
#include "uDM.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

class TestProgramDir : public QObject {
    Q_OBJECT

    struct Run {
        int exitCode;
        QStringList lines;
    };
    // Copies the probe into `folder` and starts it there with `cwd` as its working directory and
    // `dataHome` as the user's data home.
    static Run runProbeIn(const QString& folder, const QString& cwd, const QString& dataHome = QString())
    {
        const QString exe = QDir(folder).filePath(QStringLiteral("probe"));
        QFile::remove(exe);
        if (!QFile::copy(QStringLiteral(ZZ_PROBE_PATH), exe))
            return {-1, {QStringLiteral("cannot copy the probe")}};
        QProcess p;
        p.setWorkingDirectory(cwd);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_DATA_HOME"), dataHome.isEmpty() ? QDir(cwd).filePath(QStringLiteral("data-home")) : dataHome);
        p.setProcessEnvironment(env);
        p.start(exe, {});
        if (!p.waitForFinished(60000))
            return {-2, {QStringLiteral("probe did not finish")}};
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts)};
    }

private Q_SLOTS:
    void programDirIsTheExecutablesFolder()
    {
        // The build folder holds the delivered file beside the executables, writable: it is used.
        TDM dm;
        QCOMPARE(dm.ProgramDir(), QCoreApplication::applicationDirPath() + u'/');
        QCOMPARE(dm.DatabasePath(), QCoreApplication::applicationDirPath() + QStringLiteral("/RARU.DLL"));
    }

    // The installed layout: the executable in bin/, the delivered database in share/zizedozuvar/.
    // The first start places a copy in the user's data folder and opens it; the next start opens
    // the same file with what was written into it.
    void installedProgramKeepsTheBooksInTheUsersDataFolder()
    {
        QTemporaryDir root;
        const QString bin = root.filePath(QStringLiteral("usr/bin"));
        const QString share = root.filePath(QStringLiteral("usr/share/zizedozuvar"));
        const QString home = root.filePath(QStringLiteral("家/.local/share"));
        const QString cwd = root.filePath(QStringLiteral("elsewhere"));
        for (const QString& d : {bin, share, cwd})
            QVERIFY(QDir().mkpath(d));
        const QString delivered = QDir(share).filePath(QStringLiteral("RARU.DLL"));
        Database::createDelivered(delivered);
        const QByteArray deliveredBytes = [&] { QFile f(delivered); f.open(QIODevice::ReadOnly); return f.readAll(); }();

        const QString own = QDir(home).filePath(QStringLiteral("zizedozuvar/RARU.DLL"));
        Run r = runProbeIn(bin, cwd, home);
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.lines.value(0), own);
        QCOMPARE(r.lines.value(1), QStringLiteral("1"));
        QVERIFY(QFileInfo::exists(own));
        QVERIFY(!QFileInfo::exists(QDir(bin).filePath(QStringLiteral("RARU.DLL"))));
        QVERIFY(!QFileInfo::exists(QDir(cwd).filePath(QStringLiteral("RARU.DLL"))));
        {
            QFile f(delivered);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readAll(), deliveredBytes); // the delivered file itself is never written
        }
        // Books kept there are opened again, not replaced by a new copy.
        QFile::remove(own);
        Database::createEmpty(own);
        r = runProbeIn(bin, cwd, home);
        QCOMPARE(r.lines.value(0), own);
        QCOMPARE(r.lines.value(1), QStringLiteral("0"));
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

    // No database anywhere: the one in the user's data folder is named as missing, and no empty
    // one is made in either place.
    void missingFileIsReportedWithItsPathAndNotCreated()
    {
        QTemporaryDir root;
        const QString folder = root.filePath(QStringLiteral("空 目录"));
        const QString home = root.filePath(QStringLiteral("home"));
        QVERIFY(QDir().mkpath(folder));
        const Run r = runProbeIn(folder, root.path(), home);
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(r.lines.size(), 2);
        const QString own = QDir(home).filePath(QStringLiteral("zizedozuvar/RARU.DLL"));
        QVERIFY2(r.lines.at(1).contains(own), qPrintable(r.lines.at(1)));
        QVERIFY(!QFile::exists(QDir(folder).filePath(QStringLiteral("RARU.DLL"))));
        QVERIFY(!QFile::exists(own));
    }
};

QTEST_GUILESS_MAIN(TestProgramDir)
#include "test_program_dir.moc"
