// The login: the credential check against a real database file, and the dialog's boxes,
// messages, keys and focus.
#include "Application.h"
#include "FakeMessages.h"
#include "FakeShell.h"
#include "PasswordHash.h"
#include "TestDatabase.h"
#include "uDM.h"
#include "uLogin.h"
#include "WindowRef.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

class TestLogin : public QObject {
    Q_OBJECT

    // Operators of the table of cases, in the order they are stored, with their password
    // hashes made once (each hash costs a tenth of a second by design).
    QList<QPair<QString, QString>> operators;

    void addOperators()
    {
        for (const auto& [name, hash] : operators)
            TestDatabase::exec(QStringLiteral("INSERT INTO tuser (username, password) VALUES (?, ?)"), {name, hash});
    }

private Q_SLOTS:
    void initTestCase()
    {
        DM = new TDM(this);
        const QList<QPair<QString, QString>> plain = {
            {QStringLiteral("Zhang"), QStringLiteral("Secret1")},
            {QStringLiteral("O'Neil"), QStringLiteral("it's me")},
            {QStringLiteral("王会计"), QStringLiteral("密码12")},
            // Three rows of one name (letter case aside), with different and with equal passwords.
            {QStringLiteral("Dup"), QStringLiteral("first")},
            {QStringLiteral("DUP"), QStringLiteral("second")},
            {QStringLiteral("dup"), QStringLiteral("first")},
        };
        for (const auto& [name, password] : plain)
            operators << qMakePair(name, PasswordHash::hash(password));
        // A row that holds a plain password instead of a hash never logs in.
        operators << qMakePair(QStringLiteral("plain"), QStringLiteral("plain"));
    }
    void init() { DM->CurrentUser.clear(); }

    void checkLogin_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("expected"); // stored spelling, empty: refused
        QTest::newRow("exact") << "Zhang" << "Secret1" << "Zhang";
        QTest::newRow("name lower case") << "zhang" << "Secret1" << "Zhang";
        QTest::newRow("name upper case") << "ZHANG" << "Secret1" << "Zhang";
        QTest::newRow("password other case") << "Zhang" << "secret1" << "";
        QTest::newRow("password upper case") << "Zhang" << "SECRET1" << "";
        QTest::newRow("wrong password") << "Zhang" << "Secret2" << "";
        QTest::newRow("password prefix") << "Zhang" << "Secret" << "";
        QTest::newRow("empty password") << "Zhang" << "" << "";
        QTest::newRow("blanks around both") << "  zhang \t" << " Secret1  " << "Zhang";
        QTest::newRow("control characters around") << "\x01Zhang\r\n" << "\tSecret1\x1f" << "Zhang";
        QTest::newRow("inner blank kept") << "Zh ang" << "Secret1" << "";
        QTest::newRow("quotes in name and password") << "o'neil" << "it's me" << "O'Neil";
        QTest::newRow("quote doubled is not the same") << "O''Neil" << "it's me" << "";
        QTest::newRow("pasted condition") << "x' OR '1'='1" << "x' OR '1'='1" << "";
        QTest::newRow("chinese") << QString::fromUtf8("王会计") << QString::fromUtf8("密码12") << QString::fromUtf8("王会计");
        QTest::newRow("unknown name") << "Li" << "Secret1" << "";
        QTest::newRow("empty name") << "" << "" << "";
        QTest::newRow("duplicate: second password") << "dup" << "second" << "DUP";
        QTest::newRow("duplicate: first of two that verify") << "DUP" << "first" << "Dup";
        QTest::newRow("plain text password row") << "plain" << "plain" << "";
    }
    void checkLogin()
    {
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(QString, expected);
        TestDatabase db(TestDatabase::Content::Empty);
        addOperators();
        QCOMPARE(::checkLogin(name, password), expected);
        QCOMPARE(TestDatabase::scalar(QStringLiteral("SELECT count(*) FROM tuser")).toInt(), 7);
    }

    void trimRule()
    {
        QCOMPARE(trimBlanksAndControls(QStringLiteral(" \t a b \x7f")), QStringLiteral("a b \x7f"));
        QCOMPARE(trimBlanksAndControls(QStringLiteral("\x1f\x01")), QString());
        QCOMPARE(trimBlanksAndControls(QStringLiteral("中文")), QStringLiteral("中文"));
    }

    void userNamesInStoredOrder()
    {
        TestDatabase db(TestDatabase::Content::Empty);
        TestDatabase::addOperator(QStringLiteral("b"), QStringLiteral("x"), {});
        TestDatabase::addOperator(QStringLiteral("a"), QStringLiteral("x"), {});
        TestDatabase::exec(QStringLiteral("INSERT INTO tuser (username, password) VALUES (NULL, 'x')"));
        QCOMPARE(loginUserNames(), (QStringList{QStringLiteral("b"), QStringLiteral("a"), QString()}));
    }

    void dialogLooksAsDesigned()
    {
        TestDatabase db;
        const std::unique_ptr<TfrmLogin> made(&windowOf(frmLogin, nullptr));
        TfrmLogin& dlg = *made;
        QCOMPARE(frmLogin, &dlg);
        QVERIFY(dlg.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(dlg.size(), QSize(259, 185));
        QCOMPARE(dlg.Label3->text(), QStringLiteral("登陆>>"));
        QCOMPARE(dlg.Label1->text(), QStringLiteral("用户名："));
        QCOMPARE(dlg.Label2->text(), QStringLiteral("口  令："));
        QCOMPARE(dlg.btnOK->text(), QStringLiteral("确定"));
        QCOMPARE(dlg.btnExit->text(), QStringLiteral("退出"));
        QCOMPARE(dlg.Label1->buddy(), dlg.ComboBox1);
        QCOMPARE(dlg.Label2->buddy(), dlg.Edit2);
        QVERIFY(dlg.ComboBox1->isEditable());
        QCOMPARE(dlg.Edit2->echoMode(), QLineEdit::Password);
        dlg.Edit2->setText(QStringLiteral("abc"));
        QCOMPARE(dlg.Edit2->displayText(), QStringLiteral("***"));
        dlg.Edit2->clear();
        QCOMPARE(dlg.Edit2->maxLength(), 32767); // no limit of its own
        QVERIFY(!dlg.btnOK->isDefault() && !dlg.btnOK->autoDefault());
        QVERIFY(!dlg.btnExit->isDefault() && !dlg.btnExit->autoDefault());
        // The look is dressed on this dialog alone.
        QVERIFY(!dlg.styleSheet().isEmpty());
        QVERIFY(qApp->styleSheet().isEmpty());
    }

    void tabOrder()
    {
        TestDatabase db;
        TfrmLogin dlg(nullptr);
        QList<QWidget*> order;
        QWidget* w = dlg.btnOK;
        do {
            // The combo box's own edit line is part of it, not a stop of its own.
            if ((w->focusPolicy() & Qt::TabFocus) && !qobject_cast<QComboBox*>(w->parentWidget()))
                order << w;
            w = w->nextInFocusChain();
        } while (w != dlg.btnOK && order.size() < 10);
        QCOMPARE(order, (QList<QWidget*>{dlg.btnOK, dlg.Edit2, dlg.btnExit, dlg.ComboBox1}));
    }

    void showingRefillsListEmptiesNameKeepsPassword()
    {
        TestDatabase db;
        TfrmLogin dlg(nullptr);
        dlg.show();
        QCOMPARE(dlg.ComboBox1->count(), 1);
        QCOMPARE(dlg.ComboBox1->itemText(0), QStringLiteral("admin"));
        QCOMPARE(dlg.ComboBox1->currentText(), QString());
        QCOMPARE(dlg.focusWidget(), dlg.btnOK);
        dlg.ComboBox1->setEditText(QStringLiteral("typed"));
        dlg.Edit2->setText(QStringLiteral("kept"));
        dlg.hide();

        TestDatabase::addOperator(QStringLiteral("clerk"), QStringLiteral("x"), {});
        dlg.show();
        QCOMPARE(dlg.ComboBox1->count(), 2);
        QCOMPARE(dlg.ComboBox1->itemText(1), QStringLiteral("clerk"));
        QCOMPARE(dlg.ComboBox1->currentText(), QString());
        QCOMPARE(dlg.Edit2->text(), QStringLiteral("kept"));
    }

    void successWritesStoredSpellingAndCloses()
    {
        TestDatabase db;
        FakeMessages messages;
        TfrmLogin dlg(nullptr);
        dlg.show();
        dlg.ComboBox1->setEditText(QStringLiteral(" ADMIN "));
        dlg.Edit2->setText(QStringLiteral("12345"));
        dlg.btnOK->click();
        QCOMPARE(DM->CurrentUser, QStringLiteral("admin"));
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QVERIFY(!dlg.isVisible());
        QVERIFY(messages.shown.isEmpty());
    }

    void nameNotInListLogsIn()
    {
        TestDatabase db;
        FakeMessages messages;
        TfrmLogin dlg(nullptr);
        dlg.show();
        TestDatabase::addOperator(QStringLiteral("Late"), QStringLiteral("pw"), {});
        QCOMPARE(dlg.ComboBox1->findText(QStringLiteral("Late")), -1);
        dlg.ComboBox1->setEditText(QStringLiteral("late"));
        dlg.Edit2->setText(QStringLiteral("pw"));
        dlg.btnOKClick();
        QCOMPARE(DM->CurrentUser, QStringLiteral("Late"));
    }

    void failureSaysSoAndGoesBackToTheName()
    {
        TestDatabase db;
        FakeMessages messages;
        DM->CurrentUser = QStringLiteral("previous");
        TfrmLogin dlg(nullptr);
        dlg.show();
        dlg.ComboBox1->setEditText(QStringLiteral("admin"));
        dlg.Edit2->setText(QStringLiteral("54321"));
        dlg.Edit2->setFocus();
        dlg.btnOK->click();
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown[0].kind, FakeMessages::Kind::Information);
        QCOMPARE(messages.shown[0].text, QStringLiteral("用户名或密码不正确，请重新输入"));
        QVERIFY(messages.shown[0].caption.isEmpty() || messages.shown[0].caption == appTitle());
        QCOMPARE(dlg.focusWidget(), dlg.ComboBox1);
        QVERIFY(dlg.isVisible());
        QCOMPARE(dlg.ComboBox1->currentText(), QStringLiteral("admin"));
        QCOMPARE(dlg.Edit2->text(), QStringLiteral("54321"));
        QCOMPARE(DM->CurrentUser, QStringLiteral("previous"));
    }

    void enterInPasswordBoxLogsIn()
    {
        TestDatabase db;
        FakeMessages messages;
        TfrmLogin dlg(nullptr);
        dlg.show();
        dlg.ComboBox1->setEditText(QStringLiteral("admin"));
        dlg.Edit2->setText(QStringLiteral("12345"));
        QTest::keyClick(dlg.Edit2, Qt::Key_Return);
        QCOMPARE(DM->CurrentUser, QStringLiteral("admin"));
        QVERIFY(!dlg.isVisible());
    }

    void enterInNameBoxAndEscapeDoNothing()
    {
        TestDatabase db;
        FakeMessages messages;
        TfrmLogin dlg(nullptr);
        dlg.show();
        dlg.ComboBox1->setEditText(QStringLiteral("admin"));
        dlg.Edit2->setText(QStringLiteral("12345"));
        QTest::keyClick(dlg.ComboBox1, Qt::Key_Return);
        QTest::keyClick(&dlg, Qt::Key_Escape);
        QTest::keyClick(dlg.Edit2, Qt::Key_Escape);
        QVERIFY(dlg.isVisible());
        QVERIFY(messages.shown.isEmpty());
        QVERIFY(DM->CurrentUser.isEmpty());
        QCOMPARE(dlg.ComboBox1->count(), 1); // the typed name was not added to the list
    }

    void exitEndsTheProgram()
    {
        TestDatabase db;
        DM->CurrentUser = QStringLiteral("admin");
        FakeShell shell;
        TfrmLogin dlg(nullptr);
        const int& quits = shell.quits;
        for (int showing = 0; showing < 2; ++showing) {
            dlg.show();
            dlg.ComboBox1->setEditText(QStringLiteral("someone"));
            dlg.btnExit->click();
            QCOMPARE(quits, showing + 1);
            QVERIFY(!dlg.isVisible());
        }
        QCOMPARE(DM->CurrentUser, QStringLiteral("admin"));
    }

    void exitLeavesTheModalLoopAndTheMessageLoop()
    {
        TestDatabase db;
        TfrmLogin dlg(nullptr);
        bool modalReturned = false;
        QTimer::singleShot(0, &dlg, [&] {
            QTimer::singleShot(0, dlg.btnExit, &QPushButton::click);
            dlg.exec();
            modalReturned = true;
        });
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(modalReturned);
        QVERIFY(!dlg.isVisible());
    }

    void referenceClearedOnDestruction()
    {
        TestDatabase db;
        {
            const std::unique_ptr<TfrmLogin> made(&windowOf(frmLogin, nullptr));
            QCOMPARE(frmLogin, made.get());
        }
        QVERIFY(!frmLogin);
    }
};

QTEST_MAIN(TestLogin)
#include "test_login.moc"
