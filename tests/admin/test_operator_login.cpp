// The login accepts exactly the password that the operator dialog stored.
#include "u_user.h"
#include "TypeInto.h"

#include "DBEdit.h"
#include "Database.h"
#include "FakeMessages.h"
#include "TestDatabase.h"
#include "TextInput.h"
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

    // Blanks at either end are stored as the login trims them, so the operator can log in.
    void blanksAroundNameAndPasswordStillLogIn()
    {
        {
            TfrmUser f(nullptr);
            f.btnAdd->click();
            type(f.DBEdit1, u"  Clerk "_s);
            type(f.DBEdit2, u" s3cret  "_s);
            f.btnSave->click();
            QCOMPARE(msgs->texts(), QStringList{u"保存成功"_s});
        }
        QCOMPARE(TestDatabase::scalar(u"SELECT username FROM tuser WHERE userID = (SELECT max(userID) FROM tuser)"_s).toString(),
                 u"Clerk"_s);
        QCOMPARE(checkLogin(u"Clerk"_s, u"s3cret"_s), u"Clerk"_s);
        QCOMPARE(checkLogin(u" clerk "_s, u" s3cret "_s), u"Clerk"_s);
    }

    // Both password boxes take the same longest password; a longer paste is refused whole, never
    // stored cut.
    void passwordBoxesAgreeOnTheLongestPassword()
    {
        TfrmUser f(nullptr);
        TfrmLogin login(nullptr);
        QCOMPARE(TextInput::limit(f.DBEdit2), maxPasswordLength);
        QCOMPARE(TextInput::limit(login.Edit2), maxPasswordLength);
        const QString longest(maxPasswordLength, u'p');
        f.btnAdd->click();
        type(f.DBEdit1, u"long"_s);
        f.DBEdit2->setFocus();
        f.DBEdit2->insert(longest + u'q');
        QCoreApplication::processEvents();
        QCOMPARE(f.DBEdit2->text(), QString());
        QCOMPARE(msgs->texts(), QStringList{TextInput::tooLongMessage(maxPasswordLength)});
        type(f.DBEdit2, longest);
        f.btnSave->click();
        QCOMPARE(msgs->last(), u"保存成功"_s);
        login.Edit2->insert(longest);
        QCOMPARE(checkLogin(u"long"_s, login.Edit2->text()), u"long"_s);
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
