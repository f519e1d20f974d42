#include "u_user.h"
#include "TypeInto.h"

#include "Application.h"
#include "Connection.h"
#include "DBCheckBox.h"
#include "DBEdit.h"
#include "Database.h"
#include "FakeMessages.h"
#include "PasswordHash.h"
#include "TestDatabase.h"
#include "uDM.h"
#include "WindowRef.h"

#include <QCoreApplication>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QLabel>
#include <memory>

using namespace Qt::StringLiterals;

namespace {
const QColor skyBlue(0xA6, 0xCA, 0xF0);

int operatorCount() { return TestDatabase::scalar(QStringLiteral("SELECT count(*) FROM tuser")).toInt(); }
QString storedPassword(const QString& name)
{
    return TestDatabase::scalar(QStringLiteral("SELECT password FROM tuser WHERE username=?"), {name}).toString();
}
DBCheckBox* boxFor(TfrmUser& f, const QString& column)
{
    for (int i = 0; i < Operators::rights().size(); ++i)
        if (Operators::rights().at(i).column == column)
            return f.rightBoxes.at(i);
    return nullptr;
}
// Types into the password box as a user would, replacing what it shows.
void typePassword(TfrmUser& f, const QString& text) { typeInto(f.DBEdit2, text); }
// Non-ASCII text cannot be typed key by key; it arrives as one edit, like an input method's.
void typeName(TfrmUser& f, const QString& text)
{
    f.DBEdit1->setText(text);
    Q_EMIT f.DBEdit1->textEdited(text);
}
} // namespace

class TestOperators : public QObject {
    Q_OBJECT
    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<FakeMessages> msgs;
    std::unique_ptr<TfrmUser> form;

    TfrmUser& open()
    {
        form.reset();
        form.reset(&windowOf(frmUser, nullptr));
        return *form;
    }

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
        form.reset();
        msgs.reset();
        db.reset();
    }

    void windowWhoseListCannotBeReadIsNeverReferenced()
    {
        // No database file where the program looks: making the window fails while it reads.
        QTemporaryDir dir;
        Connection::instance().setDatabasePath(dir.filePath(QStringLiteral("RARU.DLL")));
        QVERIFY_THROWS_EXCEPTION(std::exception, openModal(frmUser, nullptr));
        QCOMPARE(frmUser, nullptr);
        Connection::instance().close();
    }

    void captionsAndGroups()
    {
        TfrmUser& f = open();
        QCOMPARE(f.windowTitle(), QStringLiteral("操作员设置"));
        QCOMPARE(frmUser, &f);
        QCOMPARE(f.rightBoxes.size(), 14);
        const QStringList groups{QStringLiteral("系统权限"), QStringLiteral("现金日记账权限"), QStringLiteral("银行日记账权限")};
        QCOMPARE(f.GroupBox1->title(), groups[0]);
        QCOMPARE(f.GroupBox2->title(), groups[1]);
        QCOMPARE(f.GroupBox3->title(), groups[2]);
        QCOMPARE(boxFor(f, QStringLiteral("F11"))->text(), QStringLiteral("摘要设置"));
        QCOMPARE(boxFor(f, QStringLiteral("F11"))->parentWidget(), f.GroupBox3);
        QCOMPARE(boxFor(f, QStringLiteral("F13"))->text(), QStringLiteral("银行统计（按年度）"));
        QCOMPARE(boxFor(f, QStringLiteral("F6"))->parentWidget(), f.GroupBox2);
        QCOMPARE(boxFor(f, QStringLiteral("F1"))->parentWidget(), f.GroupBox1);
        QStringList columns;
        for (const auto& r : Operators::rights())
            columns << r.column;
        QCOMPARE(columns, (QStringList{u"F1"_s, u"F2"_s, u"F3"_s, u"F4"_s, u"F5"_s, u"F6"_s, u"F7"_s, u"F8"_s, u"F9"_s, u"F0"_s, u"F11"_s, u"F12"_s, u"F13"_s, u"F14"_s}));
        const QStringList buttons{f.btnAdd->text(), f.btnModify->text(), f.btnDelete->text(), f.btnCancel->text(), f.btnSave->text(), f.btnExit->text()};
        QCOMPARE(buttons, (QStringList{u"新增"_s, u"编辑"_s, u"删除"_s, u"取消"_s, u"保存"_s, u"退出"_s}));
        QCOMPARE(f.Label1->buddy(), f.DBEdit1);
        QCOMPARE(f.Label2->buddy(), f.DBEdit2);
        QCOMPARE(f.DBEdit2->echoMode(), QLineEdit::Password);
        form.reset();
        QCOMPARE(frmUser, nullptr);
    }

    void controlStates_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("editing");
        QTest::newRow("opened") << u"none"_s << false;
        QTest::newRow("编辑") << u"modify"_s << true;
        QTest::newRow("新增") << u"add"_s << true;
        QTest::newRow("ticking a right") << u"tick"_s << true;
        QTest::newRow("编辑 then 取消") << u"modify-cancel"_s << false;
        QTest::newRow("新增 then 取消") << u"add-cancel"_s << false;
        QTest::newRow("编辑 then 保存") << u"modify-save"_s << false;
    }
    void controlStates()
    {
        QFETCH(QString, action);
        QFETCH(bool, editing);
        TfrmUser& f = open();
        if (action.startsWith(QStringLiteral("modify")))
            f.btnModify->click();
        if (action.startsWith(QStringLiteral("add")))
            f.btnAdd->click();
        if (action == QStringLiteral("tick"))
            boxFor(f, QStringLiteral("F3"))->click();
        if (action.endsWith(QStringLiteral("-cancel")))
            f.btnCancel->click();
        if (action.endsWith(QStringLiteral("-save")))
            f.btnSave->click();
        QCOMPARE(f.ADOQuery1.isEditing(), editing);
        QCOMPARE(f.btnSave->isEnabled(), editing);
        QCOMPARE(f.btnCancel->isEnabled(), editing);
        QCOMPARE(f.btnModify->isEnabled(), !editing);
        QCOMPARE(f.btnAdd->isEnabled(), !editing);
        QVERIFY(f.btnDelete->isEnabled());
        QVERIFY(f.btnExit->isEnabled());
        for (QLineEdit* box : {static_cast<QLineEdit*>(f.DBEdit1), f.DBEdit2}) {
            QCOMPARE(box->isReadOnly(), !editing);
            QCOMPARE(box->palette().color(QPalette::Base) == skyBlue, !editing);
        }
        for (DBCheckBox* b : f.rightBoxes)
            QVERIFY(b->isEnabled());
    }

    void tickingStartsAnEditAndIsStoredWhenTheRowMoves()
    {
        TestDatabase::addOperator(QStringLiteral("clerk"), QStringLiteral("pw"), {});
        TfrmUser& f = open();
        QCOMPARE(f.ADOQuery1.text(QStringLiteral("username")), QStringLiteral("admin"));
        boxFor(f, QStringLiteral("F7"))->click();
        QVERIFY(f.ADOQuery1.isEditing());
        f.ADOQuery1.moveTo(1); // a move posts the pending row
        QCOMPARE(f.ADOQuery1.state(), Dataset::State::Browsing);
        QCOMPARE(TestDatabase::scalar(QStringLiteral("SELECT F7 FROM tuser WHERE username='admin'")).toInt(), 0);
        QVERIFY(!boxFor(f, QStringLiteral("F7"))->isChecked()); // clerk holds none
        f.ADOQuery1.moveTo(0);
        QVERIFY(!boxFor(f, QStringLiteral("F7"))->isChecked());
        QVERIFY(boxFor(f, QStringLiteral("F6"))->isChecked());
    }

    void aMoveOffARowThatFailsTheSaveChecksIsRefused()
    {
        TfrmUser& f = open();
        const int before = TestDatabase::scalar(QStringLiteral("SELECT count(*) FROM tuser")).toInt();
        f.btnAdd->click();
        typeInto(f.DBEdit1, QStringLiteral("  "));
        QVERIFY(!runGuarded([&] { f.ADOQuery1.moveTo(0); }));
        QCOMPARE(msgs->texts(), QStringList{QStringLiteral("操作员不能为空")});
        QCOMPARE(f.ADOQuery1.state(), Dataset::State::Inserting);
        QCOMPARE(TestDatabase::scalar(QStringLiteral("SELECT count(*) FROM tuser")).toInt(), before);
    }

    void saveChecks_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("message");
        QTest::newRow("no name") << u""_s << u"secret"_s << u"操作员不能为空"_s;
        QTest::newRow("blank name") << u"   "_s << u"secret"_s << u"操作员不能为空"_s;
        QTest::newRow("no password") << u"clerk"_s << u""_s << u"密码不能为空"_s;
        QTest::newRow("blank password") << u"clerk"_s << u"   "_s << u"密码不能为空"_s;
    }
    void saveChecks()
    {
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(QString, message);
        TfrmUser& f = open();
        f.btnAdd->click();
        if (!name.isEmpty())
            typeName(f, name);
        if (!password.isEmpty())
            typePassword(f, password);
        f.btnSave->click();
        QCOMPARE(msgs->texts(), QStringList{message});
        QCOMPARE(operatorCount(), 1);
        QCOMPARE(f.ADOQuery1.state(), Dataset::State::Inserting);
    }

    void clearedPasswordOfStoredOperatorIsRefused()
    {
        TfrmUser& f = open();
        const QString before = storedPassword(QStringLiteral("admin"));
        f.btnModify->click();
        typePassword(f, QString());
        QCOMPARE(f.DBEdit2->text(), QString());
        f.btnSave->click();
        QCOMPARE(msgs->texts(), QStringList{u"密码不能为空"_s});
        QCOMPARE(storedPassword(QStringLiteral("admin")), before);
    }

    void newOperatorIsStoredHashedWithoutRights()
    {
        const QString typed = QStringLiteral("Tiger#2024pw");
        {
            TfrmUser& f = open();
            f.btnAdd->click();
            typeName(f, QStringLiteral("张会计"));
            typePassword(f, typed);
            f.btnSave->click();
            QCOMPARE(msgs->texts(), QStringList{u"保存成功"_s});
            QCOMPARE(f.ADOQuery1.state(), Dataset::State::Browsing);
            QCOMPARE(f.DBEdit2->text(), Operators::passwordMask());
            form.reset();
        }
        QCOMPARE(operatorCount(), 2);
        const QString stored = storedPassword(QStringLiteral("张会计"));
        QVERIFY(stored.startsWith(QStringLiteral("$argon2id$")));
        QVERIFY(PasswordHash::verify(stored, typed));
        QVERIFY(!PasswordHash::verify(stored, typed.toLower()));
        // Nowhere in the file: neither in a row nor in a page left behind.
        Connection::instance().close();
        QFile file(db->path());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(!bytes.contains(typed.toUtf8()));
        QVERIFY(!bytes.contains(QByteArray(reinterpret_cast<const char*>(typed.utf16()), typed.size() * 2)));
        // No right was ticked: every gated command is refused for the new operator.
        DM->CurrentUser = QStringLiteral("张会计");
        for (const QString& column : Database::rightsColumns())
            QVERIFY2(!DM->HasRight(column), qPrintable(column));
    }

    void untouchedMaskKeepsTheStoredHash()
    {
        TfrmUser& f = open();
        const QString before = storedPassword(QStringLiteral("admin"));
        QCOMPARE(f.DBEdit2->text(), Operators::passwordMask());
        f.btnModify->click();
        boxFor(f, QStringLiteral("F9"))->click();
        f.btnSave->click();
        QCOMPARE(msgs->texts(), QStringList{u"保存成功"_s});
        QCOMPARE(storedPassword(QStringLiteral("admin")), before);
        QVERIFY(PasswordHash::verify(storedPassword(QStringLiteral("admin")), Database::deliveredPassword));
        QCOMPARE(TestDatabase::scalar(QStringLiteral("SELECT F9 FROM tuser WHERE username='admin'")).toInt(), 0);
    }

    void changedPasswordReplacesTheOldOne()
    {
        TfrmUser& f = open();
        f.btnModify->click();
        typePassword(f, QStringLiteral("54321"));
        QVERIFY(f.passwordTyped());
        f.btnSave->click();
        const QString stored = storedPassword(QStringLiteral("admin"));
        QVERIFY(PasswordHash::verify(stored, QStringLiteral("54321")));
        QVERIFY(!PasswordHash::verify(stored, Database::deliveredPassword));
        QVERIFY(!f.passwordTyped());
        QCOMPARE(f.DBEdit2->text(), Operators::passwordMask());
    }

    void typedPasswordIsHashedWhenTheRowMoves()
    {
        TestDatabase::addOperator(QStringLiteral("clerk"), QStringLiteral("old"), {QStringLiteral("F5")});
        TfrmUser& f = open();
        f.ADOQuery1.moveTo(1);
        f.btnModify->click();
        typePassword(f, QStringLiteral("fresh-one"));
        f.ADOQuery1.moveTo(0);
        const QString stored = storedPassword(QStringLiteral("clerk"));
        QVERIFY(PasswordHash::verify(stored, QStringLiteral("fresh-one")));
        QVERIFY(!stored.contains(QStringLiteral("fresh-one")));
        QCOMPARE(f.DBEdit2->text(), Operators::passwordMask()); // admin's row shows its own mask
        QVERIFY(!f.passwordTyped());
    }

    void cancelForgetsTheTypedPassword()
    {
        TfrmUser& f = open();
        const QString before = storedPassword(QStringLiteral("admin"));
        f.btnModify->click();
        typePassword(f, QStringLiteral("never"));
        f.btnCancel->click();
        QCOMPARE(f.DBEdit2->text(), Operators::passwordMask());
        QCOMPARE(storedPassword(QStringLiteral("admin")), before);
    }

    void postFailureKeepsTheRowPending()
    {
        TfrmUser& f = open();
        f.btnAdd->click();
        // Past the box's length limit only by bypassing it: the database refuses the row.
        f.ADOQuery1.setValue(QStringLiteral("username"), QString(60, u'x'));
        typePassword(f, QStringLiteral("pw"));
        f.btnSave->click();
        QCOMPARE(msgs->shown.size(), 1);
        QCOMPARE(msgs->shown.first().kind, FakeMessages::Kind::Error);
        QCOMPARE(f.ADOQuery1.state(), Dataset::State::Inserting);
        QVERIFY(f.btnSave->isEnabled());
        QCOMPARE(operatorCount(), 1);
    }

    void lastOperatorCannotBeDeleted()
    {
        TfrmUser& f = open();
        f.btnDelete->click();
        QCOMPARE(msgs->texts(), QStringList{u"不能删除所有操作员信息"_s});
        QCOMPARE(operatorCount(), 1);
    }

    void deleteAsksFirst_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("是") << true;
        QTest::newRow("否") << false;
    }
    void deleteAsksFirst()
    {
        QFETCH(bool, yes);
        TestDatabase::addOperator(QStringLiteral("clerk"), QStringLiteral("pw"), {});
        TfrmUser& f = open();
        f.ADOQuery1.moveTo(1);
        msgs->answers << yes;
        f.btnDelete->click();
        QCOMPARE(msgs->shown.size(), 1);
        QCOMPARE(msgs->shown.first().kind, FakeMessages::Kind::Question);
        QCOMPARE(msgs->shown.first().text, QStringLiteral("确定删除吗"));
        QCOMPARE(msgs->shown.first().caption, QStringLiteral("系统提示"));
        QCOMPARE(operatorCount(), yes ? 1 : 2);
        QCOMPARE(TestDatabase::scalar(QStringLiteral("SELECT count(*) FROM tuser WHERE username='clerk'")).toInt(), yes ? 0 : 1);
        QCOMPARE(f.ADOQuery1.rowCount(), yes ? 1 : 2);
    }

    void deletingTheLoggedInOperatorRefusesEveryCommand()
    {
        TestDatabase::addOperator(QStringLiteral("clerk"), QStringLiteral("pw"), Database::rightsColumns());
        TfrmUser& f = open();
        QVERIFY(DM->HasRight(QStringLiteral("F2")));
        QVERIFY(f.ADOQuery1.locate(QStringLiteral("username"), QStringLiteral("admin")));
        f.btnDelete->click();
        QCOMPARE(operatorCount(), 1);
        for (const QString& column : Database::rightsColumns())
            QVERIFY2(!DM->HasRight(column), qPrintable(column));
        DM->CurrentUser = QStringLiteral("clerk");
        QVERIFY(DM->HasRight(QStringLiteral("F2")));
    }

    void rightRemovedTakesEffectAtTheNextLookup()
    {
        TfrmUser& f = open();
        QVERIFY(DM->HasRight(QStringLiteral("F2")));
        QVERIFY(DM->HasRight(QStringLiteral("F13")));
        boxFor(f, QStringLiteral("F2"))->click();
        QVERIFY(DM->HasRight(QStringLiteral("F2"))); // not yet stored
        f.btnSave->click();
        QVERIFY(!DM->HasRight(QStringLiteral("F2")));
        QVERIFY(DM->HasRight(QStringLiteral("F13")));
        boxFor(f, QStringLiteral("F2"))->click();
        f.btnSave->click();
        QVERIFY(DM->HasRight(QStringLiteral("F2")));
    }

    void renamedOperatorKeepsTheStoredSpellingAndHash()
    {
        TfrmUser& f = open();
        const QString before = storedPassword(QStringLiteral("admin"));
        f.btnModify->click();
        typeName(f, QStringLiteral("Boss"));
        f.btnSave->click();
        QCOMPARE(TestDatabase::scalar(QStringLiteral("SELECT username FROM tuser")).toString(), QStringLiteral("Boss"));
        QCOMPARE(storedPassword(QStringLiteral("Boss")), before);
    }
};

QTEST_MAIN(TestOperators)
#include "test_operators.moc"
