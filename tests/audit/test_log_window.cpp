// The window "操作日志" and its statement: filters by date, operator, kind, table and text over a
// log of several operators and months; newest first with the count below; before and after side
// by side with changed values marked; the check button.
#include "ChangeDetails.h"
#include "Connection.h"
#include "DBGrid.h"
#include "FakeMessages.h"
#include "LogQuery.h"
#include "Money.h"
#include "TestDatabase.h"
#include "uCaoZuoRiZhi.h"
#include "uDM.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;

namespace {
// Six rows over three months and three operators, written as the log itself would hold them.
void writeLog()
{
    struct R {
        const char16_t *time, *op, *kind, *table, *key, *before, *after;
    };
    const R rows[] = {
        {u"2024-01-05 10:00:00", u"张三", u"新增", u"XJRJZ", u"1", nullptr, u"{\"ZhanYao\":\"销售收入\",\"JieFang\":100000}"},
        {u"2024-01-20 11:00:00", u"李四", u"修改", u"XJRJZ", u"1", u"{\"JieFang\":100000}", u"{\"JieFang\":120000}"},
        {u"2024-02-03 09:00:00", u"张三", u"删除", u"YHRJZ", u"5", u"{\"Zhanyao\":\"付货款\"}", nullptr},
        {u"2024-02-10 08:30:00", u"admin", u"登录", nullptr, nullptr, nullptr, nullptr},
        {u"2024-03-01 12:00:00", u"李四", u"修改", u"bankInfo", u"2", u"{\"bankName\":\"工行\"}", u"{\"bankName\":\"建行\"}"},
        {u"2024-03-31 23:59:59", u"张三", u"导出", nullptr, nullptr, nullptr, u"{\"文件\":\"/home/会计/月报_50%.xls\",\"条数\":12}"},
    };
    const auto v = [](const char16_t* t) { return t ? QVariant(QString::fromUtf16(t)) : QVariant(); };
    for (const R& r : rows)
        Connection::instance().run(u"INSERT INTO CaoZuoRiZhi (ShiJian, CaoZuoYuan, LeiBie, BiaoMing, JiLuHao, XiuGaiQian, XiuGaiHou) "
                                   "VALUES (?, ?, ?, ?, ?, ?, ?)"_s,
                                   {v(r.time), v(r.op), v(r.kind), v(r.table), v(r.key), v(r.before), v(r.after)});
}

QString numbersOf(const LogQuery::Filter& f)
{
    const LogQuery::Statement st = LogQuery::listing(f);
    Dataset ds;
    ds.open(st.sql, st.params);
    QStringList out;
    for (int i = 0; i < ds.rowCount(); ++i)
        out << ds.valueAt(i, 0).toString();
    return out.join(u',');
}
} // namespace

class TestLogWindow : public QObject {
    Q_OBJECT
    std::unique_ptr<TestDatabase> db;

private Q_SLOTS:
    void initTestCase() { DM = new TDM(QCoreApplication::instance()); }
    void init()
    {
        db = std::make_unique<TestDatabase>(TestDatabase::Content::Empty);
        writeLog();
    }
    void cleanup() { db.reset(); }

    void filters_data()
    {
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::addColumn<QString>("who");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("numbers");
        const QDate none;
        QTest::newRow("all, newest first") << none << none << "" << "" << "" << "" << "6,5,4,3,2,1";
        QTest::newRow("February") << QDate(2024, 2, 1) << QDate(2024, 2, 29) << "" << "" << "" << "" << "4,3";
        QTest::newRow("to a day includes it") << none << QDate(2024, 1, 20) << "" << "" << "" << "" << "2,1";
        QTest::newRow("from the last day") << QDate(2024, 3, 31) << none << "" << "" << "" << "" << "6";
        QTest::newRow("operator, any case") << none << none << "ADMIN" << "" << "" << "" << "4";
        QTest::newRow("operator") << none << none << "李四" << "" << "" << "" << "5,2";
        QTest::newRow("operator and kind") << none << none << "张三" << "删除" << "" << "" << "3";
        QTest::newRow("kind") << none << none << "" << "修改" << "" << "" << "5,2";
        QTest::newRow("table") << none << none << "" << "" << "XJRJZ" << "" << "2,1";
        QTest::newRow("text after") << none << none << "" << "" << "" << "建行" << "5";
        QTest::newRow("text before") << none << none << "" << "" << "" << "工行" << "5";
        QTest::newRow("number text") << none << none << "" << "" << "" << "120000" << "2";
        QTest::newRow("percent is a percent") << none << none << "" << "" << "" << "50%" << "6";
        QTest::newRow("underscore is an underscore") << none << none << "" << "" << "" << "报_5" << "6";
        QTest::newRow("wildcards are no wildcards") << none << none << "" << "" << "" << "月_" << "";
        QTest::newRow("column names are no content") << none << none << "" << "" << "" << "JieFang" << "";
        QTest::newRow("everything at once") << QDate(2024, 1, 1) << QDate(2024, 3, 31) << "李四" << "修改" << "bankInfo"
                                            << "建" << "5";
    }
    void filters()
    {
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        QFETCH(QString, who);
        QFETCH(QString, kind);
        QFETCH(QString, table);
        QFETCH(QString, text);
        QFETCH(QString, numbers);
        QCOMPARE(numbersOf({from, to, who, kind, table, text}), numbers);
    }

    void changesSideBySide()
    {
        const QVector<FieldChange> c = changeDetails(u"XJRJZ"_s, u"{\"JieFang\":100000}"_s, u"{\"JieFang\":120000}"_s);
        QCOMPARE(c.size(), 1);
        QCOMPARE(c[0].caption, u"借方（增加）"_s);
        QCOMPARE(c[0].before, Money::fromUnits(100000).toString());
        QCOMPARE(c[0].after, Money::fromUnits(120000).toString());
        QVERIFY(c[0].changed);
        const QVector<FieldChange> added =
            changeDetails(u"XJRJZ"_s, QString(), u"{\"autoID\":1,\"YeWuRQ\":\"2024-03-02 09:00:00\",\"ZhanYao\":\"销售收入\",\"Detail\":null}"_s);
        QStringList captions;
        for (const FieldChange& f : added) {
            captions << f.caption;
            QVERIFY(!f.changed && f.before.isEmpty());
        }
        QCOMPARE(captions, (QStringList{u"编号"_s, u"日期"_s, u"摘要"_s, u"明细"_s}));
    }

    void theWindow()
    {
        FakeMessages msgs;
        auto w = std::make_unique<TfrmCaoZuoRiZhi>(nullptr);
        w->show();
        QCOMPARE(w->windowTitle(), u"操作日志"_s);
        QCOMPARE(w->DBGridEh1->dataset()->rowCount(), 6);
        QCOMPARE(w->DBGridEh1->footerText(0), u"共6条"_s);
        QVERIFY(w->cbOperator->findText(u"李四"_s) >= 0);

        w->cbOperator->setCurrentText(u"李四"_s);
        w->btnQuery->trigger();
        QCOMPARE(w->DBGridEh1->dataset()->rowCount(), 2);
        QCOMPARE(w->DBGridEh1->footerText(0), u"共2条"_s);
        // The newest is current: the account renamed, before and after side by side, marked.
        QCOMPARE(w->tblChange->rowCount(), 1);
        QCOMPARE(w->tblChange->item(0, 0)->text(), u"开户银行"_s);
        QCOMPARE(w->tblChange->item(0, 1)->text(), u"工行"_s);
        QCOMPARE(w->tblChange->item(0, 2)->text(), u"建行"_s);
        QVERIFY(w->tblChange->item(0, 2)->font().bold());
        w->DBGridEh1->dataset()->moveTo(1);
        QCOMPARE(w->tblChange->item(0, 0)->text(), u"借方（增加）"_s);

        w->btnCheck->trigger();
        QCOMPARE(msgs.last(), u"日志完整，共6条"_s);
    }
};

QTEST_MAIN(TestLogWindow)
#include "test_log_window.moc"
