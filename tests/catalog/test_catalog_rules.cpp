// The catalogues' rules without a window (save checks, delete guard), and a move off a pending
// row in either window: it runs the checks of "保存" and is refused with the same message.
#include "Catalog.h"
#include "CatalogTestKit.h"
#include "DBGrid.h"
#include "DBNavigator.h"
#include "uZhanYao.h"
#include "u_BankInfo.h"

#include <QHeaderView>
#include <QRadioButton>
#include <QTableView>
#include <QToolButton>

using namespace Qt::StringLiterals;
using Kind = FakeMessages::Kind;
using CatalogTestKit::type;

namespace {
const Catalog::Design& designNamed(const QString& name)
{
    return name == QStringLiteral("summaries") ? Catalog::summaries() : Catalog::bankAccounts();
}

// One catalogue window as the move tests drive it.
struct Window {
    std::unique_ptr<QDialog> dialog;
    Dataset* list;
    QPushButton* add;
    DBGrid* grid;
    DBNavigator* navigator;
};

Window windowNamed(const QString& name)
{
    if (name == QStringLiteral("summaries")) {
        auto* w = new TfrmZhanYao(nullptr);
        return {std::unique_ptr<QDialog>(w), &w->ADODataSet1, w->btnNew, w->DBGridEh1, w->DBNavigator1};
    }
    auto* w = new TfrmbankInfo(nullptr);
    return {std::unique_ptr<QDialog>(w), &w->ADOQuery1, w->btnAdd, w->DBGridEh1, w->DBNavigator1};
}

int rowsOf(const Catalog::Design& d) { return TestDatabase::scalar(QStringLiteral("Select count(*) From ") + d.table).toInt(); }
}

class TestCatalogRules : public QObject {
    Q_OBJECT
    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<FakeMessages> messages;

private Q_SLOTS:
    void init()
    {
        db = std::make_unique<TestDatabase>();
        messages = std::make_unique<FakeMessages>();
        TestDatabase::exec(QStringLiteral("INSERT INTO ZhanYao (KuMuCode, ZhanYao, ZYType) VALUES ('101', '销售收入', '增加')"));
        TestDatabase::exec(QStringLiteral("INSERT INTO bankInfo (bankName) VALUES ('工行营业部')"));
    }
    void cleanup()
    {
        messages.reset();
        db.reset();
    }

    void saveRefusal_data()
    {
        QTest::addColumn<QString>("catalogue");
        QTest::addColumn<QStringList>("values"); // field=value of the new row
        QTest::addColumn<QString>("refusal");
        QTest::newRow("summary complete") << "summaries" << QStringList{u"KuMuCode=201"_s, u"ZhanYao=利息"_s, u"ZYType=增加"_s} << "";
        QTest::newRow("summary, code of blanks first") << "summaries" << QStringList{u"KuMuCode= "_s} << "科目代码不能为空";
        QTest::newRow("summary, no text") << "summaries" << QStringList{u"KuMuCode=201"_s} << "摘要不能为空";
        QTest::newRow("summary, no category") << "summaries" << QStringList{u"KuMuCode=201"_s, u"ZhanYao=利息"_s} << "请选择一类别";
        QTest::newRow("summary, other category") << "summaries"
            << QStringList{u"KuMuCode=201"_s, u"ZhanYao=利息"_s, u"ZYType=其他"_s} << "请选择一类别";
        QTest::newRow("account named") << "banks" << QStringList{u"bankName=中行"_s} << "";
        QTest::newRow("account of blanks") << "banks" << QStringList{u"bankName=  "_s} << "开户银行不能为空";
        QTest::newRow("account without name") << "banks" << QStringList{} << "开户银行不能为空";
    }
    void saveRefusal()
    {
        QFETCH(QString, catalogue);
        QFETCH(QStringList, values);
        QFETCH(QString, refusal);
        const Catalog::Design& d = designNamed(catalogue);
        Dataset list;
        list.setTable(d.table, d.keyField);
        list.open(d.listSql);
        list.append();
        for (const QString& v : values)
            list.setValue(v.section(u'=', 0, 0), v.section(u'=', 1));
        QCOMPARE(Catalog::saveRefusal(d, list), refusal);
    }

    void deleteRefusal_data()
    {
        QTest::addColumn<QString>("catalogue");
        QTest::addColumn<QString>("entry"); // an entry carrying the row's text
        QTest::addColumn<QString>("refusal");
        QTest::newRow("summary unused") << "summaries" << "" << "";
        QTest::newRow("summary in a cash entry") << "summaries" << "INSERT INTO XJRJZ (ZhanYao) VALUES ('销售收入')" << "已有日记账信息不能删除";
        QTest::newRow("summary in a bank entry") << "summaries" << "INSERT INTO YHRJZ (Zhanyao) VALUES ('销售收入')" << "已有日记账信息不能删除";
        QTest::newRow("account unused") << "banks" << "" << "";
        QTest::newRow("account of a bank entry") << "banks" << "INSERT INTO YHRJZ (KaiHuBank) VALUES ('工行营业部')" << "已有日记账信息不能删除";
        QTest::newRow("account text in a cash entry") << "banks" << "INSERT INTO XJRJZ (Detail) VALUES ('工行营业部')" << "";
    }
    void deleteRefusal()
    {
        QFETCH(QString, catalogue);
        QFETCH(QString, entry);
        QFETCH(QString, refusal);
        if (!entry.isEmpty())
            TestDatabase::exec(entry);
        const Catalog::Design& d = designNamed(catalogue);
        Dataset list;
        list.setTable(d.table, d.keyField);
        list.open(d.listSql);
        QCOMPARE(Catalog::deleteRefusal(d, list), refusal);
        list.close();
        list.open(d.listSql + QStringLiteral(" where 1<>1"));
        QCOMPARE(Catalog::deleteRefusal(d, list), QStringLiteral("没有要删除的记录"));
    }

    void moveOffAPendingRowRunsTheSaveChecks_data()
    {
        QTest::addColumn<QString>("catalogue");
        QTest::addColumn<QString>("move");
        QTest::addColumn<int>("kind"); // how the refusal is shown, as by "保存"
        QTest::addColumn<QString>("message");
        const int info = int(Kind::Information), error = int(Kind::Error);
        const QString summary = QStringLiteral("科目代码不能为空"), account = errorBoxText(QStringLiteral("开户银行不能为空"));
        for (const char* move : {"navigator", "grid click", "title click"}) {
            QTest::newRow(qPrintable(QStringLiteral("summaries, ") + QLatin1String(move))) << "summaries" << move << info << summary;
            QTest::newRow(qPrintable(QStringLiteral("banks, ") + QLatin1String(move))) << "banks" << move << error << account;
        }
        QTest::newRow("summaries, double-click pick") << "summaries" << "double click" << info << summary;
    }
    void moveOffAPendingRowRunsTheSaveChecks()
    {
        QFETCH(QString, catalogue);
        QFETCH(QString, move);
        QFETCH(int, kind);
        QFETCH(QString, message);
        const Catalog::Design& d = designNamed(catalogue);
        Window w = windowNamed(catalogue);
        w.dialog->resize(600, 440);
        w.dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.dialog.get()));
        w.add->click();
        // A changed row that fails the first check.
        w.list->setValue(d.checks.first().field, QStringLiteral("  "));
        QTableView* view = w.grid->view();
        const QRect firstRow = view->visualRect(w.grid->model()->index(0, 0));
        if (move == QStringLiteral("navigator"))
            w.navigator->firstButton()->click();
        else if (move == QStringLiteral("grid click"))
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, firstRow.center());
        else if (move == QStringLiteral("double click"))
            QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, firstRow.center());
        else
            QTest::mouseClick(view->horizontalHeader()->viewport(), Qt::LeftButton, {},
                              QPoint(view->horizontalHeader()->sectionViewportPosition(0) + 5, 5));
        QVERIFY(!messages->shown.isEmpty());
        QCOMPARE(int(messages->shown[0].kind), kind);
        QCOMPARE(messages->shown[0].text, message);
        QCOMPARE(w.list->state(), Dataset::State::Inserting);
        QCOMPARE(rowsOf(d), 1);
        QVERIFY(w.dialog->isVisible());
    }

    void moveOffAPendingRowThatPassesSavesIt()
    {
        auto* w = new TfrmZhanYao(nullptr);
        const std::unique_ptr<QDialog> owned(w);
        w->show();
        w->btnNew->click();
        type(w->DBEdit2, QStringLiteral("201"));
        type(w->DBEdit1, QStringLiteral("利息"));
        w->RadioButton2->setChecked(true);
        w->DBNavigator1->firstButton()->click();
        QVERIFY(messages->shown.isEmpty());
        QCOMPARE(w->ADODataSet1.state(), Dataset::State::Browsing);
        QCOMPARE(TestDatabase::scalar(QStringLiteral("Select ZYType || '|' || (FilltDate IS NOT NULL) From ZhanYao where ZhanYao = '利息'")).toString(),
                 QStringLiteral("减少|1"));
    }
};

QTEST_MAIN(TestCatalogRules)
#include "test_catalog_rules.moc"
