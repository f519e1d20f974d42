#include "uLogin.h"

#include "Application.h"
#include "Connection.h"
#include "Messages.h"
#include "PasswordHash.h"
#include "ShellServices.h"
#include "uDM.h"
#include "Tables.h"

#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>

TfrmLogin* frmLogin = nullptr;

namespace {
// The one place the program's look is dressed up: the controls on this dialog's panel. Rules are
// scoped to the panel so that a message box opened over the dialog keeps the plain look.
const char* const loginStyle = R"(
QFrame#Panel1 {
    border: 1px solid #7f9db9;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fbfdff, stop:1 #dde8f4);
}
#Panel1 QLabel { color: #1f3a5f; background: transparent; }
#Panel1 QLabel#Label3 { color: #2a5a8c; font-weight: bold; }
#Panel1 QFrame#Bevel1 { border: none; border-top: 1px solid #9fb6cf; border-bottom: 1px solid #ffffff; }
#Panel1 QComboBox, #Panel1 QLineEdit {
    border: 1px solid #8fa9c6; border-radius: 3px; padding: 1px 4px;
    background: #ffffff; color: #10243c; selection-background-color: #3d7ab8;
}
#Panel1 QComboBox:focus, #Panel1 QLineEdit:focus { border: 1px solid #3d7ab8; }
#Panel1 QComboBox::drop-down {
    subcontrol-origin: padding; subcontrol-position: top right; width: 16px;
    border: none; border-left: 1px solid #c8d6e5;
}
#Panel1 QComboBox::down-arrow { image: url(:/shell/icons/arrow-down.png); width: 9px; height: 6px; }
#Panel1 QPushButton {
    border: 1px solid #4f7fae; border-radius: 3px; color: #ffffff;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #6d9fd2, stop:1 #3c6fa3);
}
#Panel1 QPushButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #80b0e0, stop:1 #4a7db2); }
#Panel1 QPushButton:pressed { background: #335f8c; }
#Panel1 QPushButton:focus { border: 1px solid #1d3f63; }
)";
} // namespace

QString trimBlanksAndControls(const QString& text)
{
    qsizetype begin = 0, end = text.size();
    while (begin < end && text.at(begin).unicode() <= u' ')
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= u' ')
        --end;
    return text.mid(begin, end - begin);
}

QStringList loginUserNames()
{
    return Connection::instance().column(
        QStringLiteral("Select %1 From %2 ORDER BY %3").arg(OperatorField::name, Table::operators, OperatorField::key));
}

QString checkLogin(const QString& typedName, const QString& typedPassword)
{
    const QString name = trimBlanksAndControls(typedName);
    const QString password = trimBlanksAndControls(typedPassword);
    // The name column compares without regard to case; the password only through its hash.
    const Rows users = Connection::instance().rows(
        QStringLiteral("Select %1,%2 From %3 where %1=? ORDER BY %4").arg(OperatorField::name, OperatorField::password, Table::operators, OperatorField::key), {name});
    for (const auto& user : users.rows) {
        if (PasswordHash::verify(user[1].toString(), password))
            return user[0].toString();
    }
    return {};
}

TfrmLogin::TfrmLogin(QWidget* owner) : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint)
{
    // The shell is a static library: its resources are registered by hand.
    Q_INIT_RESOURCE(shell);
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(QStringLiteral("登陆"));
    setFixedSize(259, 185);
    setStyleSheet(QString::fromUtf8(loginStyle));

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setGeometry(0, 0, 259, 185);

    Label3 = new QLabel(QStringLiteral("登陆>>"), panel);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setGeometry(14, 10, 120, 18);

    Bevel1 = new QFrame(panel);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setGeometry(10, 32, 239, 2);

    Label1 = new QLabel(QStringLiteral("用户名："), panel);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(34, 58, 60, 22);

    ComboBox1 = new QComboBox(panel);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(true);
    // Typing a name and pressing Enter must not add it to the list of operators.
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setGeometry(96, 58, 128, 22);
    Label1->setBuddy(ComboBox1);

    Label2 = new QLabel(QStringLiteral("口  令："), panel);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(34, 94, 60, 22);

    Edit2 = new QLineEdit(panel);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setEchoMode(QLineEdit::Password);
    // Echoed as "*". The box takes its mask character only at a style change, so one is sent
    // once the sheet is in force.
    Edit2->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    Edit2->ensurePolished();
    QEvent styleChange(QEvent::StyleChange);
    QApplication::sendEvent(Edit2, &styleChange);
    Edit2->setGeometry(96, 94, 128, 22);
    Label2->setBuddy(Edit2);

    btnOK = new QPushButton(QStringLiteral("确定"), panel);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setGeometry(52, 140, 70, 26);

    btnExit = new QPushButton(QStringLiteral("退出"), panel);
    btnExit->setObjectName(QStringLiteral("btnExit"));
    btnExit->setGeometry(138, 140, 70, 26);

    // No default button: Enter logs in from the password box only.
    for (QPushButton* b : {btnOK, btnExit}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    setTabOrder(btnOK, Edit2);
    setTabOrder(Edit2, btnExit);
    setTabOrder(btnExit, ComboBox1);

    onSignal(btnOK, &QPushButton::clicked, this, [this] { btnOKClick(); });
    onSignal(btnExit, &QPushButton::clicked, this, [this] { btnExitClick(); });
    onSignal(Edit2, &QLineEdit::returnPressed, this, [this] { btnOKClick(); });
}

TfrmLogin::~TfrmLogin()
{
    if (frmLogin == this)
        frmLogin = nullptr;
}

void TfrmLogin::FormShow()
{
    const QStringList names = loginUserNames();
    ComboBox1->clear();
    ComboBox1->clearEditText();
    ComboBox1->addItems(names);
    // Filling the list selects its first item; the name box still starts empty.
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->clearEditText();
}

void TfrmLogin::btnOKClick()
{
    const QString user = checkLogin(ComboBox1->currentText(), Edit2->text());
    if (user.isEmpty()) {
        Messages::current().information(this, QStringLiteral("用户名或密码不正确，请重新输入"));
        ComboBox1->setFocus();
        return;
    }
    DM->CurrentUser = user;
    accept();
}

void TfrmLogin::btnExitClick()
{
    ShellServices::current().quit();
    reject();
}

void TfrmLogin::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    runGuarded([this] { FormShow(); });
    if (!shownBefore_) {
        shownBefore_ = true;
        btnOK->setFocus();
    }
}

void TfrmLogin::keyPressEvent(QKeyEvent* event)
{
    // There is no cancel button: Escape does not close the dialog.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
