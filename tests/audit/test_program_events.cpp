// What the program logs itself: logins (never a password), backups, restores (into the restored
// file, whose log goes on), data initialisations (one row per journal) and exports.
#include "DBGrid.h"
#include "Dataset.h"
#include "FakeFileDialogs.h"
#include "FakeMessages.h"
#include "LogCheck.h"
#include "LogFixture.h"
#include "TestDatabase.h"
#include "uDM.h"
#include "uLogin.h"
#include "u_.h"
#include "u_DBbak.h"

#include <QDialog>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;
using LogFixture::Row;

namespace {
void run(const QString& sql) { Connection::instance().run(sql); }
void addCash(int n)
{
    for (int i = 0; i < n; ++i)
        run(u"INSERT INTO XJRJZ (YeWuRQ, ZhanYao, JieFang, Fillter) VALUES ('2024-03-02 09:00:00', '销售收入', 10000, 'admin')"_s);
}
void addBank(int n)
{
    for (int i = 0; i < n; ++i)
        run(u"INSERT INTO YHRJZ (yewuRQ, Zhanyao, DaiFang, KaiHuBank, Fillter) VALUES ('2024-03-02 09:00:00', '付货款', 10000, '工行', 'admin')"_s);
}
QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class TestProgramEvents : public QObject {
    Q_OBJECT
    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<FakeMessages> msgs;
    QTemporaryDir out;

private Q_SLOTS:
    void initTestCase() { DM = new TDM(QCoreApplication::instance()); }
    void init()
    {
        db = std::make_unique<TestDatabase>();
        msgs = std::make_unique<FakeMessages>();
        DM->CurrentUser = u"admin"_s;
    }
    void cleanup()
    {
        msgs.reset();
        db.reset();
    }

    void loginsAreLoggedWithoutThePassword()
    {
        DM->CurrentUser.clear();
        const qlonglong base = LogFixture::lastNumber();
        QCOMPARE(checkLogin(u" ADMIN "_s, u"12345"_s), u"admin"_s);
        QCOMPARE(checkLogin(u"admin"_s, u"Wrong-Pass-7"_s), QString());
        QCOMPARE(checkLogin(u"无此人"_s, u"另一个密码Secret-9"_s), QString());
        const QList<Row> rows = LogFixture::rowsAfter(base);
        QCOMPARE(rows.size(), 3);
        const QStringList seen{rows[0].kind + u'/' + rows[0].operatorName, rows[1].kind + u'/' + rows[1].operatorName,
                               rows[2].kind + u'/' + rows[2].operatorName};
        QCOMPARE(seen, (QStringList{u"登录/admin"_s, u"登录失败/admin"_s, u"登录失败/无此人"_s}));
        for (const Row& r : rows)
            QVERIFY(r.before.isNull() && r.after.isNull() && r.table.isEmpty());
        QVERIFY(LogCheck::run().intact());

        Connection::instance().close();
        const QByteArray file = bytesOf(db->path());
        QVERIFY(file.contains(QStringLiteral("无此人").toUtf8()));
        for (const QString& typed : {u"Wrong-Pass-7"_s, u"另一个密码Secret-9"_s}) {
            QVERIFY2(!file.contains(typed.toUtf8()), qPrintable(typed));
            QVERIFY2(!file.contains(QByteArray(reinterpret_cast<const char*>(typed.utf16()), typed.size() * 2)), qPrintable(typed));
        }
    }

    void backupNamesItsTarget()
    {
        const QString target = out.filePath(u"备份/RARU.DLL"_s);
        QDir().mkpath(out.filePath(u"备份"_s));
        BackupRestore::backup(target);
        const QList<Row> rows = LogFixture::rowsAfter(LogFixture::lastNumber() - 1);
        QCOMPARE(rows[0].kind, u"备份"_s);
        QCOMPARE(rows[0].operatorName, u"admin"_s);
        QCOMPARE(rows[0].after.toString(), u"{\"文件\":%1}"_s.arg(u'"' + target + u'"'));
    }

    void theRestoredLogGoesOnWithTheRestore()
    {
        addBank(3);
        const QString copy = out.filePath(u"copy.DLL"_s);
        Connection::instance().backupTo(copy);
        const qlonglong inCopy = LogFixture::lastNumber();
        addCash(2); // in the live file only
        DM->CurrentUser = u"会计乙"_s;

        BackupRestore::restore(copy);

        const QList<Row> rows = LogFixture::rowsAfter(inCopy);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].number, inCopy + 1);
        QCOMPARE(rows[0].kind, u"恢复"_s);
        QCOMPARE(rows[0].operatorName, u"会计乙"_s);
        QCOMPARE(LogFixture::json(rows[0].after).value(u"文件"_s).toString(), copy);
        QCOMPARE(LogCheck::run().message(), u"日志完整，共%1条"_s.arg(inCopy + 1));
        QCOMPARE(db->scalar(u"SELECT count(*) FROM XJRJZ"_s).toInt(), 0);
    }

    void initialisationLogsOneRowPerJournal()
    {
        addCash(3);
        addBank(2);
        const qlonglong base = LogFixture::lastNumber();
        DataInitialisation::run(true, true, nullptr);
        QList<Row> rows = LogFixture::rowsAfter(base);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0].kind, u"数据初始化"_s);
        QCOMPARE(rows[0].table, u"XJRJZ"_s);
        QCOMPARE(rows[0].before.toString(), u"{\"条数\":3}"_s);
        QCOMPARE(rows[0].after.toString(), u"{\"条数\":0}"_s);
        QCOMPARE(rows[1].table, u"YHRJZ"_s);
        QCOMPARE(rows[1].before.toString(), u"{\"条数\":2}"_s);
        QCOMPARE(db->scalar(u"SELECT count(*) FROM XJRJZ"_s).toInt() + db->scalar(u"SELECT count(*) FROM YHRJZ"_s).toInt(), 0);

        // The journal goes on as before: the next entry and its deletion are logged row by row.
        addCash(1);
        run(u"DELETE FROM XJRJZ"_s);
        rows = LogFixture::rowsAfter(base + 2);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[1].kind, u"删除"_s);
        QCOMPARE(LogCheck::run().message(), u"日志完整，共%1条"_s.arg(base + 4));
    }

    void exportNamesWindowTypeFileAndRows()
    {
        addCash(3);
        QDialog window;
        window.setWindowTitle(u"现金日记账"_s);
        Dataset list;
        list.open(u"SELECT * FROM XJRJZ ORDER BY autoID"_s);
        auto* grid = new DBGrid(&window);
        grid->setDataset(&list);
        grid->setColumns({GridColumn::text(u"ZhanYao"_s, u"摘要"_s, 100)});
        FakeFileDialogs dialogs;
        dialogs.saveAnswers << SaveFileAnswer{true, out.filePath(u"三月"_s), 2};
        const qlonglong base = LogFixture::lastNumber();
        DM->ExportGrid(grid, u"现金日记账报表"_s);
        const QString written = out.filePath(u"三月.CSV"_s);
        QVERIFY(QFile::exists(written));
        const QList<Row> rows = LogFixture::rowsAfter(base);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].kind, u"导出"_s);
        QCOMPARE(rows[0].after.toString(),
                 u"{\"窗口\":\"现金日记账\",\"文件类型\":\"CSV\",\"文件\":\"%1\",\"条数\":3}"_s.arg(written));

        // Cancelled: nothing written, nothing logged.
        DM->ExportGrid(grid, u"现金日记账报表"_s);
        QCOMPARE(LogFixture::lastNumber(), base + 1);
    }
};

QTEST_MAIN(TestProgramEvents)
#include "test_program_events.moc"
