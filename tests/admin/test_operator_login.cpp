// The login accepts exactly the password that the operator dialog stored.
#include "u_user.h"
#include "TypeInto.h"

#include "DBEdit.h"
#include "Database.h"
#include "FakeMessages.h"
#include "TestDatabase.h"
#include "uDM.h"
#include "uLogin.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <memory>

using namespace Qt::StringLiterals;

class TestOperatorLogin : public QObject {
    Q_OBJECT
    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<FakeMessages> msgs;

    static void type(QLineEdit* box, const QString& text) { typeInto(box, text); }

private Q_SLOTS:
    void initTestCase() { DM = new TDM(QCoreApplication::instance()); }
    void init()
    {
        db = std::make_unique<TestDatabase>();
        msgs = std::make_unique<FakeMessages>();
        DM->CurrentUser = Database::deliveredOperator;
    }
    void cleanup()
    {
        msgs.reset();
        db.reset();
    }

    void newOperatorLogsInWithExactlyItsPassword()
    {
        {
            TfrmUser f(nullptr);
            f.btnAdd->click();
            type(f.DBEdit1, u"Clerk"_s);
            type(f.DBEdit2, u"s3cret-Pw"_s);
            f.btnSave->click();
            QCOMPARE(msgs->texts(), QStringList{u"保存成功"_s});
        }
        QCOMPARE(checkLogin(u"clerk"_s, u"s3cret-Pw"_s), u"Clerk"_s);
        QCOMPARE(checkLogin(u"Clerk"_s, u"s3cret-pw"_s), QString());
        QCOMPARE(checkLogin(u"Clerk"_s, u"s3cret-P"_s), QString());
        QCOMPARE(checkLogin(u"Clerk"_s, QString()), QString());
    }

    void changedPasswordReplacesTheOldOneAtLogin()
    {
        {
            TfrmUser f(nullptr);
            f.btnModify->click();
            type(f.DBEdit2, u"98765"_s);
            f.btnSave->click();
        }
        QCOMPARE(checkLogin(Database::deliveredOperator, u"98765"_s), Database::deliveredOperator);
        QCOMPARE(checkLogin(Database::deliveredOperator, Database::deliveredPassword), QString());
    }

    void untouchedMaskKeepsTheLogin()
    {
        {
            TfrmUser f(nullptr);
            f.btnModify->click();
            f.btnSave->click();
        }
        QCOMPARE(checkLogin(Database::deliveredOperator, Database::deliveredPassword), Database::deliveredOperator);
        QCOMPARE(checkLogin(Database::deliveredOperator, Operators::passwordMask()), QString());
    }
};

QTEST_MAIN(TestOperatorLogin)
#include "test_operator_login.moc"
