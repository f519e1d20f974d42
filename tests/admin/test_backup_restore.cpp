#include "u_DBbak.h"

#include "AppError.h"
#include "Application.h"
#include "Connection.h"
#include "DatabaseFile.h"
#include "FakeFileDialogs.h"
#include "FakeMessages.h"
#include "OtherProgram.h"
#include "TestDatabase.h"
#include "uDM.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <memory>
#include <thread>

using namespace Qt::StringLiterals;

namespace {
int liveCashRows() { return TestDatabase::scalar(u"SELECT count(*) FROM XJRJZ"_s).toInt(); }

void addCash(const QString& summary)
{
    TestDatabase::exec(u"INSERT INTO XJRJZ (YeWuRQ, ZhanYao, JieFang, DaiFang, YuE, Fillter, Detail) VALUES ('2024-03-02 09:00:00', ?, 10000, 0, 10000, 'admin', ?)"_s,
                       {summary, QString(150, u'账')});
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}
} // namespace

class TestBackupRestore : public QObject {
    Q_OBJECT
    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<FakeMessages> msgs;
    std::unique_ptr<FakeFileDialogs> dialogs;
    std::unique_ptr<QTemporaryDir> out;

    // Runs the dialog's action as RunBackupRestore does after "确定": an error goes to the box.
    void backupThroughDialog(const QString& folder)
    {
        Tfrm_DBbak d(nullptr);
        dialogs->folderAnswers << folder;
        d.PageControl1->setCurrentWidget(d.TabSheet1);
        d.SpeedButton1->click();
        runGuarded([&] { d.Perform(QDialog::Accepted); });
    }
    void restoreThroughDialog(const QString& file)
    {
        Tfrm_DBbak d(nullptr);
        dialogs->openAnswers << file;
        d.SpeedButton2->click();
        runGuarded([&] { d.Perform(QDialog::Accepted); });
    }
    QString lastError() const
    {
        for (auto it = msgs->shown.crbegin(); it != msgs->shown.crend(); ++it)
            if (it->kind == FakeMessages::Kind::Error)
                return it->text;
        return {};
    }

private Q_SLOTS:
    void initTestCase() { DM = new TDM(QCoreApplication::instance()); }
    void init()
    {
        db = std::make_unique<TestDatabase>();
        msgs = std::make_unique<FakeMessages>();
        dialogs = std::make_unique<FakeFileDialogs>();
        out = std::make_unique<QTemporaryDir>();
        DM->CurrentUser = u"admin"_s;
        for (int i = 0; i < 3; ++i)
            addCash(u"原有%1"_s.arg(i));
    }
    void cleanup()
    {
        dialogs.reset();
        msgs.reset();
        db.reset();
        out.reset();
    }

    void dialogLayout()
    {
        Tfrm_DBbak d(nullptr);
        QCOMPARE(d.windowTitle(), u"数据库备份/恢复"_s);
        QCOMPARE(d.PageControl1->count(), 2);
        QCOMPARE(d.PageControl1->tabText(0), u"备份数据"_s);
        QCOMPARE(d.PageControl1->tabText(1), u"恢复数据"_s);
        QCOMPARE(d.PageControl1->currentWidget(), d.TabSheet2);
        QVERIFY(d.Edit1->isReadOnly());
        QVERIFY(d.Edit2->isReadOnly());
        QVERIFY(d.Edit1->text().isEmpty() && d.Edit2->text().isEmpty());
        QCOMPARE(d.SpeedButton1->text(), u"选择路径"_s);
        QCOMPARE(d.SpeedButton2->text(), u"选择路径"_s);
        QCOMPARE(d.btnOK->text(), u"确定"_s);
        QCOMPARE(d.btnExit->text(), u"退出"_s);
    }

    void pickers()
    {
        Tfrm_DBbak d(nullptr);
        dialogs->folderAnswers << out->path();
        d.SpeedButton1->click();
        QCOMPARE(dialogs->folderRequests, QStringList{u"请选择要备份的目录"_s});
        QCOMPARE(d.Edit1->text(), out->path() + u"/RARU.DLL"_s);
        d.SpeedButton1->click(); // cancelled: the path stays
        QCOMPARE(d.Edit1->text(), out->path() + u"/RARU.DLL"_s);
        dialogs->openAnswers << u"/somewhere/账本.DLL"_s;
        d.SpeedButton2->click();
        QCOMPARE(dialogs->openRequests.size(), 1);
        QVERIFY(dialogs->openRequests.first().endsWith(u"|数据库文件 (*.DLL *.dll)"_s));
        QCOMPARE(d.Edit2->text(), u"/somewhere/账本.DLL"_s);
    }

    void backupTargetHasOneSeparator_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("target");
        QTest::newRow("root") << u"/"_s << u"/RARU.DLL"_s;
        QTest::newRow("folder") << u"/home/会计/备份"_s << u"/home/会计/备份/RARU.DLL"_s;
        QTest::newRow("folder with separator") << u"/mnt/usb/"_s << u"/mnt/usb/RARU.DLL"_s;
        QTest::newRow("drive root") << u"D:\\"_s << u"D:\\RARU.DLL"_s;
    }
    void backupTargetHasOneSeparator()
    {
        QFETCH(QString, folder);
        QFETCH(QString, target);
        QCOMPARE(BackupRestore::backupTarget(folder), target);
        Tfrm_DBbak d(nullptr);
        dialogs->folderAnswers << folder;
        d.SpeedButton1->click();
        QCOMPARE(d.Edit1->text(), target);
    }

    void emptyPathsAndCancel_data()
    {
        QTest::addColumn<bool>("backupTab");
        QTest::addColumn<int>("result");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("backup without path") << true << int(QDialog::Accepted) << QStringList{u"没有要备份的路径，操作退出"_s};
        QTest::newRow("restore without path") << false << int(QDialog::Accepted) << QStringList{u"没有要恢复的路径，操作退出"_s};
        QTest::newRow("退出 on backup") << true << int(QDialog::Rejected) << QStringList{};
        QTest::newRow("退出 on restore") << false << int(QDialog::Rejected) << QStringList{};
    }
    void emptyPathsAndCancel()
    {
        QFETCH(bool, backupTab);
        QFETCH(int, result);
        QFETCH(QStringList, messages);
        Tfrm_DBbak d(nullptr);
        if (backupTab)
            d.PageControl1->setCurrentWidget(d.TabSheet1);
        d.Perform(result);
        QCOMPARE(msgs->texts(), messages);
    }

    void onlyTheActiveTabActs()
    {
        const QString backup = out->filePath(u"RARU.DLL"_s);
        DatabaseFile(db->path()).backupTo(backup);
        addCash(u"备份之后"_s);
        Tfrm_DBbak d(nullptr);
        dialogs->folderAnswers << out->path();
        d.PageControl1->setCurrentWidget(d.TabSheet1);
        d.SpeedButton1->click();
        d.PageControl1->setCurrentWidget(d.TabSheet2);
        d.Perform(QDialog::Accepted); // restore tab without a path: no backup either
        QCOMPARE(msgs->texts(), QStringList{u"没有要恢复的路径，操作退出"_s});
        QCOMPARE(readScalar(backup, u"SELECT count(*) FROM XJRJZ"_s).toInt(), 3);
    }

    void runBackupRestoreDrivesTheDialog()
    {
        const QString backup = out->filePath(u"RARU.DLL"_s);
        dialogs->folderAnswers << out->path();
        QTimer::singleShot(0, [] {
            auto* d = qobject_cast<Tfrm_DBbak*>(QApplication::activeModalWidget());
            QVERIFY(d);
            QCOMPARE(d->PageControl1->currentWidget(), d->TabSheet2);
            d->PageControl1->setCurrentWidget(d->TabSheet1);
            d->SpeedButton1->click();
            d->btnOK->click();
        });
        RunBackupRestore(nullptr);
        QCOMPARE(msgs->texts(), QStringList{u"数据库备份成功！"_s});
        QCOMPARE(readScalar(backup, u"SELECT count(*) FROM XJRJZ"_s).toInt(), 3);
        QCOMPARE(readScalar(backup, u"PRAGMA integrity_check"_s).toString(), u"ok"_s);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);

        msgs->clear();
        QTimer::singleShot(0, [] { qobject_cast<Tfrm_DBbak*>(QApplication::activeModalWidget())->btnExit->click(); });
        RunBackupRestore(nullptr);
        QVERIFY(msgs->texts().isEmpty());
    }

    void backupWhileAnotherConnectionWrites()
    {
        // A writer of its own commits pairs of rows back to back while backups run.
        std::atomic<bool> stop{false};
        std::atomic<int> committedPairs{0};
        std::atomic<int> writerFailures{0};
        const QString live = db->path();
        std::thread writer([&] {
            OtherProgram w(live);
            int pair = 0;
            while (!stop) {
                ++pair;
                bool ok = w.exec(u"BEGIN"_s);
                for (int half = 0; half < 2 && ok; ++half)
                    ok = w.exec(u"INSERT INTO YHRJZ (yewuRQ, Zhanyao, JieFang, Fillter, KaiHuBank, Detail) VALUES ('2024-03-03 10:00:00', ?, 100, 'admin', '工商银行', ?)"_s,
                                {u"pair %1"_s.arg(pair), QString(100, u'行')});
                if (ok && w.exec(u"COMMIT"_s))
                    committedPairs = pair;
                else {
                    w.exec(u"ROLLBACK"_s);
                    ++writerFailures;
                    --pair;
                }
            }
        });
        struct Join {
            std::atomic<bool>& stop;
            std::thread& t;
            ~Join()
            {
                stop = true;
                if (t.joinable())
                    t.join();
            }
        } join{stop, writer};
        while (committedPairs < 20 && writerFailures == 0)
            QThread::msleep(1);
        const QString backup = out->filePath(u"RARU.DLL"_s);
        int lastCount = -1;
        for (int round = 0; round < 8; ++round) {
            const int before = committedPairs;
            try {
                DatabaseFile(db->path()).backupTo(backup);
            } catch (const AppError& e) {
                QFAIL(qPrintable(e.message()));
            }
            QCOMPARE(readScalar(backup, u"PRAGMA integrity_check"_s).toString(), u"ok"_s);
            const int rows = readScalar(backup, u"SELECT count(*) FROM YHRJZ"_s).toInt();
            // Every pair committed before the backup began is there, and no pair is torn.
            QVERIFY2(rows >= 2 * before, qPrintable(u"%1 rows, %2 pairs committed"_s.arg(rows).arg(before)));
            QCOMPARE(rows % 2, 0);
            QCOMPARE(readScalar(backup, u"SELECT count(DISTINCT Zhanyao) FROM YHRJZ"_s).toInt() * 2, rows);
            QVERIFY(rows >= lastCount);
            lastCount = rows;
            QThread::msleep(5);
        }
        stop = true;
        writer.join();
        QCOMPARE(writerFailures.load(), 0);
        QVERIFY(!QFile::exists(backup + u".part"_s));
    }

    void backingUpTwiceOverwrites()
    {
        backupThroughDialog(out->path());
        QCOMPARE(msgs->texts(), QStringList{u"数据库备份成功！"_s});
        const QString backup = out->filePath(u"RARU.DLL"_s);
        QCOMPARE(readScalar(backup, u"SELECT count(*) FROM XJRJZ"_s).toInt(), 3);
        addCash(u"第二次"_s);
        msgs->clear();
        backupThroughDialog(out->path());
        QCOMPARE(msgs->texts(), QStringList{u"数据库备份成功！"_s});
        QCOMPARE(readScalar(backup, u"SELECT count(*) FROM XJRJZ"_s).toInt(), 4);
        QCOMPARE(QDir(out->path()).entryList(QDir::Files), QStringList{u"RARU.DLL"_s});
    }

    void failedBackupShowsWhyAndKeepsTheEarlierOne()
    {
        backupThroughDialog(out->path());
        const QString backup = out->filePath(u"RARU.DLL"_s);
        const QByteArray earlier = fileBytes(backup);
        QVERIFY(!earlier.isEmpty());
        addCash(u"之后"_s);
        // The copy cannot be written where it goes before the rename: a folder stands there.
        QVERIFY(QDir().mkpath(backup + u".part/blocked"_s));
        msgs->clear();
        backupThroughDialog(out->path());
        QCOMPARE(msgs->shown.size(), 1);
        QVERIFY2(lastError().startsWith(u"数据库备份失败"_s), qPrintable(lastError()));
        QCOMPARE(fileBytes(backup), earlier);
        QCOMPARE(liveCashRows(), 4);
    }

    void backupIntoAFileAsFolderShowsWhy()
    {
        const QString plain = out->filePath(u"note.txt"_s);
        writeFile(plain, "not a folder");
        backupThroughDialog(plain);
        QCOMPARE(msgs->shown.size(), 1);
        QCOMPARE(msgs->shown.first().kind, FakeMessages::Kind::Error);
        QVERIFY2(lastError().startsWith(u"数据库备份失败"_s) && lastError().size() > 10, qPrintable(lastError()));
        QCOMPARE(fileBytes(plain), QByteArray("not a folder"));
    }

    void backupOntoTheLiveFileIsRefused()
    {
        const QByteArray before = fileBytes(db->path());
        backupThroughDialog(db->folder());
        QVERIFY2(lastError().startsWith(u"数据库备份失败"_s), qPrintable(lastError()));
        addCash(u"仍可写入"_s);
        QCOMPARE(liveCashRows(), 4);
        QCOMPARE(readScalar(db->path(), u"SELECT count(*) FROM XJRJZ"_s).toInt(), 4);
        QVERIFY(!before.isEmpty());
    }

    void badRestoreIsRefused_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("text file") << u"text"_s << u"文件头"_s;
        QTest::newRow("empty file") << u"empty"_s << u"文件头"_s;
        QTest::newRow("truncated copy") << u"truncated"_s << u"损坏"_s;
        QTest::newRow("damaged page") << u"damaged"_s << u"损坏"_s;
        QTest::newRow("another schema") << u"foreign"_s << u"缺少数据表"_s;
        QTest::newRow("a table without its columns") << u"oldcolumns"_s << u"缺少字段"_s;
        QTest::newRow("missing path") << u"missing"_s << u"不存在"_s;
        QTest::newRow("a folder") << u"folder"_s << u"不是文件"_s;
    }
    void badRestoreIsRefused()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        for (int i = 0; i < 60; ++i)
            addCash(u"填充%1"_s.arg(i)); // enough pages for a cut to hit the tables
        const QString good = out->filePath(u"good.DLL"_s);
        DatabaseFile(db->path()).backupTo(good);
        const QString chosen = out->filePath(u"chosen.DLL"_s);
        if (kind == u"text"_s)
            writeFile(chosen, QByteArray("这不是数据库文件，只是一些文字。\n").repeated(40));
        else if (kind == u"empty"_s)
            writeFile(chosen, {});
        else if (kind == u"truncated"_s)
            writeFile(chosen, fileBytes(good).left(fileBytes(good).size() / 2));
        else if (kind == u"damaged"_s) {
            QByteArray bytes = fileBytes(good);
            for (qsizetype i = 4096 + 8; i < 4096 + 600 && i < bytes.size(); ++i)
                bytes[i] = char(0xA5);
            writeFile(chosen, bytes);
        } else if (kind == u"foreign"_s)
            DatabaseFile::create(chosen, {{u"CREATE TABLE invoices (id INTEGER PRIMARY KEY, total INTEGER)"_s, {}},
                                            {u"INSERT INTO invoices (total) VALUES (5)"_s, {}}});
        else if (kind == u"oldcolumns"_s) {
            QList<Connection::Statement> st;
            for (const QString& t : {u"XJRJZ"_s, u"YHRJZ"_s, u"ZhanYao"_s, u"bankInfo"_s, u"tuser"_s, u"FinscalYearMonth"_s})
                st << Connection::Statement{u"CREATE TABLE "_s + t + u" (x)"_s, {}};
            DatabaseFile::create(chosen, st);
        } else if (kind == u"folder"_s)
            QVERIFY(QDir().mkpath(chosen));
        const QByteArray liveBefore = fileBytes(db->path());
        const int rowsBefore = liveCashRows();

        restoreThroughDialog(chosen);
        QCOMPARE(msgs->shown.size(), 1);
        QCOMPARE(msgs->shown.first().kind, FakeMessages::Kind::Error);
        QVERIFY2(lastError().contains(reason), qPrintable(lastError()));
        QVERIFY(!msgs->texts().contains(u"数据库恢复成功！"_s));
        QCOMPARE(fileBytes(db->path()), liveBefore);
        QVERIFY(!QFile::exists(db->path() + u".bak"_s));
        QVERIFY(!QFile::exists(db->path() + u".part"_s));
        QCOMPARE(liveCashRows(), rowsBefore);
    }

    void goodRestoreIsSeenByTheNextQuery()
    {
        const QString copy = out->filePath(u"三月备份.DLL"_s);
        DatabaseFile(db->path()).backupTo(copy);
        for (int i = 0; i < 5; ++i)
            addCash(u"恢复后消失%1"_s.arg(i));
        TestDatabase::exec(u"UPDATE tuser SET F3=0"_s);
        QCOMPARE(liveCashRows(), 8);

        restoreThroughDialog(copy);
        QCOMPARE(msgs->texts(), QStringList{u"数据库恢复成功！"_s});
        QCOMPARE(liveCashRows(), 3);
        QVERIFY(DM->HasRight(u"F3"_s));
        QVERIFY(Connection::instance().isOpen());
        // The replaced data stays beside the live file.
        const QString kept = db->path() + u".bak"_s;
        QCOMPARE(readScalar(kept, u"SELECT count(*) FROM XJRJZ"_s).toInt(), 8);
        QCOMPARE(readScalar(kept, u"SELECT F3 FROM tuser"_s).toInt(), 0);
        QCOMPARE(readScalar(kept, u"PRAGMA integrity_check"_s).toString(), u"ok"_s);
        QVERIFY(QFile::exists(copy)); // the chosen file is copied, not moved
        QVERIFY(!QFile::exists(db->path() + u".part"_s));
        // The restored file takes writes like the old one.
        addCash(u"恢复之后"_s);
        QCOMPARE(readScalar(db->path(), u"SELECT count(*) FROM XJRJZ"_s).toInt(), 4);

        // A second restore replaces the earlier .bak with the data it replaced.
        msgs->clear();
        restoreThroughDialog(copy);
        QCOMPARE(msgs->texts(), QStringList{u"数据库恢复成功！"_s});
        QCOMPARE(readScalar(kept, u"SELECT count(*) FROM XJRJZ"_s).toInt(), 4);
        QCOMPARE(liveCashRows(), 3);
    }

    void restoreWaitsForNoOtherWriter()
    {
        const QString copy = out->filePath(u"copy.DLL"_s);
        DatabaseFile(db->path()).backupTo(copy);
        {
            // Another program in the middle of a write to the live file.
            OtherProgram other(db->path());
            QVERIFY(other.exec(u"BEGIN IMMEDIATE"_s));
            QVERIFY(other.exec(u"INSERT INTO bankInfo (bankName) VALUES ('另一个程序')"_s));
            restoreThroughDialog(copy);
            QVERIFY2(lastError().contains(u"其他程序"_s), qPrintable(lastError()));
            QVERIFY(other.exec(u"COMMIT"_s));
        }
        // Its write landed in the live file, which was not replaced.
        QCOMPARE(TestDatabase::scalar(u"SELECT count(*) FROM bankInfo WHERE bankName='另一个程序'"_s).toInt(), 1);
        QCOMPARE(liveCashRows(), 3);
        QVERIFY(!QFile::exists(db->path() + u".bak"_s));
        QVERIFY(!QFile::exists(db->path() + u".part"_s));
    }

    void restoreReachesAnotherProgramOnTheFile()
    {
        const QString copy = out->filePath(u"copy.DLL"_s);
        DatabaseFile(db->path()).backupTo(copy);
        addCash(u"恢复后消失"_s);
        OtherProgram other(db->path());
        QCOMPARE(other.scalar(u"SELECT count(*) FROM XJRJZ"_s).toInt(), 4);
        restoreThroughDialog(copy);
        QCOMPARE(msgs->texts(), QStringList{u"数据库恢复成功！"_s});
        // The other program sees the restored books, and what it writes next the program sees.
        QCOMPARE(other.scalar(u"SELECT count(*) FROM XJRJZ"_s).toInt(), 3);
        QVERIFY(other.exec(u"INSERT INTO XJRJZ (YeWuRQ, ZhanYao, Fillter) VALUES ('2024-03-04 09:00:00', '另一个程序', 'admin')"_s));
        QCOMPARE(liveCashRows(), 4);
        QCOMPARE(readScalar(db->path() + u".bak"_s, u"SELECT count(*) FROM XJRJZ"_s).toInt(), 4);
    }

    void restoreRefusesSchemaObjectsNotTheProgramsOwn_data()
    {
        QTest::addColumn<QStringList>("change");
        QTest::addColumn<QString>("reason");
        QTest::newRow("a trigger") << QStringList{u"CREATE TRIGGER zero AFTER INSERT ON XJRJZ BEGIN UPDATE XJRJZ SET YuE = 0; END"_s}
                                   << u"触发器 zero"_s;
        QTest::newRow("a view") << QStringList{u"CREATE VIEW everything AS SELECT * FROM XJRJZ"_s} << u"视图 everything"_s;
        QTest::newRow("a table") << QStringList{u"CREATE TABLE notes (x)"_s} << u"数据表 notes"_s;
        QTest::newRow("an index") << QStringList{u"CREATE INDEX one_detail ON XJRJZ (Detail)"_s} << u"索引 one_detail"_s;
        QTest::newRow("an index of the program's name, defined otherwise")
            << QStringList{u"DROP INDEX XJRJZ_ZhanYao"_s, u"CREATE INDEX XJRJZ_ZhanYao ON XJRJZ (Detail)"_s}
            << u"XJRJZ_ZhanYao 的定义"_s;
        QTest::newRow("a table without its checks")
            << QStringList{u"CREATE TABLE FY (YearMonth TEXT)"_s, u"INSERT INTO FY SELECT YearMonth FROM FinscalYearMonth"_s,
                           u"DROP TABLE FinscalYearMonth"_s, u"ALTER TABLE FY RENAME TO FinscalYearMonth"_s}
            << u"FinscalYearMonth 的定义"_s;
        QTest::newRow("an index missing") << QStringList{u"DROP INDEX XJRJZ_ZhanYao"_s} << u"缺少索引 XJRJZ_ZhanYao"_s;
    }
    void restoreRefusesSchemaObjectsNotTheProgramsOwn()
    {
        QFETCH(QStringList, change);
        QFETCH(QString, reason);
        const QString chosen = out->filePath(u"chosen.DLL"_s);
        DatabaseFile(db->path()).backupTo(chosen);
        {
            OtherProgram editor(chosen);
            for (const QString& sql : change)
                QVERIFY2(editor.exec(sql), qPrintable(editor.error()));
        }
        const QByteArray liveBefore = fileBytes(db->path());
        restoreThroughDialog(chosen);
        QCOMPARE(msgs->shown.size(), 1);
        QVERIFY2(lastError().startsWith(u"不能恢复"_s) && lastError().contains(reason), qPrintable(lastError()));
        QCOMPARE(fileBytes(db->path()), liveBefore);
        QVERIFY(!QFile::exists(db->path() + u".bak"_s));
        QVERIFY(!QFile::exists(db->path() + u".part"_s));
    }

    void restoreAcceptsWhatSqliteKeepsForItself()
    {
        const QString chosen = out->filePath(u"analysed.DLL"_s);
        DatabaseFile(db->path()).backupTo(chosen);
        QVERIFY(OtherProgram(chosen).exec(u"ANALYZE"_s)); // statistics tables of SQLite's own
        restoreThroughDialog(chosen);
        QCOMPARE(msgs->texts(), QStringList{u"数据库恢复成功！"_s});
    }

    void restoreCheckRunsOnTheCopyThatGoesLive()
    {
        const QString copy = out->filePath(u"copy.DLL"_s);
        DatabaseFile(db->path()).backupTo(copy);
        const QByteArray before = fileBytes(db->path());
        QVERIFY_THROWS_EXCEPTION(AppError, DatabaseFile(db->path()).restoreFrom(copy, [](const QString& c) {
            QVERIFY(c != u""_s);
            throw AppError(u"refused"_s);
        }));
        QCOMPARE(fileBytes(db->path()), before);
        QVERIFY(!QFile::exists(db->path() + u".bak"_s));
        QCOMPARE(liveCashRows(), 3);
    }
};

QTEST_MAIN(TestBackupRestore)
#include "test_backup_restore.moc"
