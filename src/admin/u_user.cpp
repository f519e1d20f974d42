#include "u_user.h"

#include "AppError.h"
#include "Application.h"
#include "Connection.h"
#include "Credentials.h"
#include "DBCheckBox.h"
#include "DBEdit.h"
#include "DBGrid.h"
#include "Messages.h"
#include "PasswordHash.h"
#include "TextInput.h"
#include "Tables.h"

#include <QApplication>
#include <QEvent>
#include <QShowEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

TfrmUser* frmUser = nullptr;

QString Operators::listSql() { return QStringLiteral("Select * From ") + Table::operators; }

int Operators::storedCount() { return Connection::instance().scalar(QStringLiteral("SELECT count(*) FROM ") + Table::operators).toInt(); }

QString Operators::passwordMask() { return QStringLiteral("********"); }

const QList<RightInfo>& Operators::rights() { return allRights(); }

namespace {
QToolButton* toolButton(QToolBar* bar, const QString& caption, QStyle::StandardPixmap icon, const QString& name)
{
    auto* b = new QToolButton(bar);
    b->setText(caption);
    b->setIcon(bar->style()->standardIcon(icon));
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setObjectName(name);
    b->setAccessibleName(caption);
    b->setMinimumWidth(56);
    bar->addWidget(b);
    return b;
}

void setLocked(QLineEdit* box, bool locked)
{
    box->setReadOnly(locked);
    QPalette p = QApplication::palette(box);
    if (locked)
        p.setColor(QPalette::Base, QColor(0xA6, 0xCA, 0xF0)); // sky blue
    box->setPalette(p);
}
} // namespace

TfrmUser::TfrmUser(QWidget* owner) : QDialog(owner)
{
    setWindowTitle(QStringLiteral("操作员设置"));

    RzToolbar1 = new QToolBar(this);
    RzToolbar1->setIconSize(QSize(24, 24));
    btnAdd = toolButton(RzToolbar1, QStringLiteral("新增"), QStyle::SP_FileIcon, QStringLiteral("btnAdd"));
    btnModify = toolButton(RzToolbar1, QStringLiteral("编辑"), QStyle::SP_FileDialogDetailedView, QStringLiteral("btnModify"));
    btnDelete = toolButton(RzToolbar1, QStringLiteral("删除"), QStyle::SP_TrashIcon, QStringLiteral("btnDelete"));
    btnCancel = toolButton(RzToolbar1, QStringLiteral("取消"), QStyle::SP_DialogCancelButton, QStringLiteral("btnCancel"));
    btnSave = toolButton(RzToolbar1, QStringLiteral("保存"), QStyle::SP_DialogSaveButton, QStringLiteral("btnSave"));
    btnExit = toolButton(RzToolbar1, QStringLiteral("退出"), QStyle::SP_DialogCloseButton, QStringLiteral("btnExit"));

    DBGridEh1 = new DBGrid(this);
    DBGridEh1->setMinimumWidth(150);

    Label1 = new QLabel(QStringLiteral("用户名"), this);
    DBEdit1 = new DBEdit(this);
    Label1->setBuddy(DBEdit1);
    Label2 = new QLabel(QStringLiteral("密码"), this);
    DBEdit2 = new QLineEdit(this);
    DBEdit2->setEchoMode(QLineEdit::Password);
    DBEdit2->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    TextInput::guard(DBEdit2, maxPasswordLength);
    DBEdit2->installEventFilter(this);
    Label2->setBuddy(DBEdit2);

    GroupBox1 = new QGroupBox(QStringLiteral("系统权限"), this);
    GroupBox2 = new QGroupBox(QStringLiteral("现金日记账权限"), this);
    GroupBox3 = new QGroupBox(QStringLiteral("银行日记账权限"), this);
    QGroupBox* groups[] = {GroupBox1, GroupBox2, GroupBox3};
    QGridLayout* groupGrids[3];
    int filled[3] = {0, 0, 0};
    for (int g = 0; g < 3; ++g)
        groupGrids[g] = new QGridLayout(groups[g]);
    for (const RightInfo& r : Operators::rights()) {
        const auto g = static_cast<std::size_t>(r.group);
        auto* box = new DBCheckBox(r.caption, groups[g]);
        box->setObjectName(QStringLiteral("DBCheckBox%1").arg(rightBoxes.size() + 1));
        const int i = filled[g]++;
        groupGrids[g]->addWidget(box, i / 3, i % 3);
        rightBoxes << box;
    }

    auto* fields = new QGridLayout;
    fields->addWidget(Label1, 0, 0);
    fields->addWidget(DBEdit1, 0, 1);
    fields->addWidget(Label2, 0, 2);
    fields->addWidget(DBEdit2, 0, 3);
    auto* right = new QVBoxLayout;
    right->addLayout(fields);
    right->addWidget(GroupBox1);
    right->addWidget(GroupBox2);
    right->addWidget(GroupBox3);
    right->addStretch();
    auto* body = new QHBoxLayout;
    body->addWidget(DBGridEh1, 1);
    body->addLayout(right, 3);
    auto* all = new QVBoxLayout(this);
    all->setMenuBar(RzToolbar1);
    all->addLayout(body);
    resize(680, 420);

    setTabOrder(DBGridEh1->view(), DBEdit1);
    setTabOrder(DBEdit1, DBEdit2);
    QWidget* prev = DBEdit2;
    for (DBCheckBox* b : rightBoxes) {
        setTabOrder(prev, b);
        prev = b;
    }

    onSignal(btnAdd, &QToolButton::clicked, this, [this] { btnAddClick(); });
    onSignal(btnModify, &QToolButton::clicked, this, [this] { btnModifyClick(); });
    onSignal(btnDelete, &QToolButton::clicked, this, [this] { btnDeleteClick(); });
    onSignal(btnCancel, &QToolButton::clicked, this, [this] { btnCancelClick(); });
    onSignal(btnSave, &QToolButton::clicked, this, [this] { btnSaveClick(); });
    onSignal(btnExit, &QToolButton::clicked, this, [this] { btnExitClick(); });
    onSignal(DBEdit2, &QLineEdit::textEdited, this, [this] { passwordEdited(); });
    onSignal(&ADOQuery1, &Dataset::afterScroll, this, [this] { ADOQuery1AfterScroll(); });
    // The controls follow the row's state at once, also when a ticked box starts an edit.
    onSignal(&ADOQuery1, &Dataset::stateChanged, this, [this] {
        showStoredPassword();
        UpdateControls();
    });
    onSignal(&ADOQuery1, &Dataset::opened, this, [this] { showStoredPassword(); });

    FormCreate();
}

TfrmUser::~TfrmUser()
{
    if (frmUser == this)
        frmUser = nullptr;
}

void TfrmUser::FormCreate()
{
    ADOQuery1.setTable(Table::operators, OperatorField::key);
    ADOQuery1.setSaveBeforeMove([this] { saveRow(); });
    // The typed password becomes its hash whenever the row is written, by "保存" or by a move.
    ADOQuery1.setBeforeWrite([this] { storeTypedPassword(); });
    DBGridEh1->setDataset(&ADOQuery1);
    DBGridEh1->setColumns({GridColumn::text(OperatorField::name, QStringLiteral("操作员"), 120)});
    DBGridEh1->setFooterVisible(false);
    DBEdit1->bind(&ADOQuery1, OperatorField::name);
    for (int i = 0; i < rightBoxes.size(); ++i)
        rightBoxes[i]->bind(&ADOQuery1, Operators::rights().at(i).column);
    ADOQuery1.close();
    ADOQuery1.open(Operators::listSql());
    showStoredPassword();
    UpdateControls();
}

void TfrmUser::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The list is read once; after a restore it is read again so no row of the replaced file is
    // shown, edited or deleted.
    if (!event->spontaneous() && ADOQuery1.isOutdated())
        runGuarded([this] { FormCreate(); });
}

void TfrmUser::UpdateControls()
{
    const bool editing = ADOQuery1.isEditing();
    btnSave->setEnabled(editing);
    btnCancel->setEnabled(editing);
    btnModify->setEnabled(!editing);
    btnAdd->setEnabled(!editing);
    setLocked(DBEdit1, !editing);
    setLocked(DBEdit2, !editing);
}

void TfrmUser::ADOQuery1AfterScroll()
{
    showStoredPassword();
    UpdateControls();
}

void TfrmUser::showStoredPassword()
{
    if (passwordTyped_ && ADOQuery1.isEditing())
        return; // keep what is being typed
    passwordTyped_ = false;
    const bool stored = ADOQuery1.isOpen() && ADOQuery1.currentRow() >= 0 && !ADOQuery1.text(OperatorField::password).isEmpty();
    const QString shown = stored ? Operators::passwordMask() : QString();
    if (DBEdit2->text() != shown)
        DBEdit2->setText(shown);
}

void TfrmUser::passwordEdited()
{
    if (!ADOQuery1.isOpen())
        return;
    passwordTyped_ = true;
    if (!ADOQuery1.isEditing())
        ADOQuery1.edit();
    // Marks the field changed; the hash replaces this just before the row is written.
    ADOQuery1.setValue(OperatorField::password, QVariant());
}

void TfrmUser::storeTypedPassword()
{
    // Name and password are stored as the login will read them.
    const QString name = ADOQuery1.text(QStringLiteral("username"));
    if (trimBlanksAndControls(name) != name)
        ADOQuery1.setValue(QStringLiteral("username"), trimBlanksAndControls(name));
    if (!passwordTyped_)
        return; // the mask untouched: the stored hash stays
    const QString typed = trimBlanksAndControls(DBEdit2->text());
    ADOQuery1.setValue(OperatorField::password, typed.isEmpty() ? QVariant() : QVariant(PasswordHash::hash(typed)));
}

bool TfrmUser::eventFilter(QObject* watched, QEvent* event)
{
    // Typing into a shown mask replaces it rather than adding to it.
    if (watched == DBEdit2 && event->type() == QEvent::FocusIn && !passwordTyped_)
        QTimer::singleShot(0, DBEdit2, [box = DBEdit2] { box->selectAll(); });
    return QDialog::eventFilter(watched, event);
}

void TfrmUser::btnAddClick()
{
    ADOQuery1.append();
    UpdateControls();
}

void TfrmUser::btnModifyClick()
{
    ADOQuery1.edit();
    UpdateControls();
}

void TfrmUser::btnCancelClick()
{
    ADOQuery1.cancel();
    showStoredPassword();
    UpdateControls();
}

bool TfrmUser::saveRow()
{
    if (trimBlanksAndControls(DBEdit1->text()).trimmed().isEmpty()) {
        Messages::current().information(this, QStringLiteral("操作员不能为空"));
        return false;
    }
    if (trimBlanksAndControls(DBEdit2->text()).trimmed().isEmpty()) {
        Messages::current().information(this, QStringLiteral("密码不能为空"));
        return false;
    }
    try {
        ADOQuery1.post();
    } catch (const std::exception& e) {
        // The row stays pending; the error box shows the database's own text.
        throw AppError(QString::fromUtf8(e.what()));
    }
    return true;
}

void TfrmUser::btnSaveClick()
{
    if (!saveRow())
        return;
    UpdateControls();
    Messages::current().information(this, QStringLiteral("保存成功"));
}

void TfrmUser::btnDeleteClick()
{
    // The table, not the list, is asked: the list may be older than the file.
    if (Operators::storedCount() <= 1) {
        Messages::current().information(this, QStringLiteral("不能删除所有操作员信息"));
        return;
    }
    if (Messages::current().question(this, QStringLiteral("确定删除吗"), QStringLiteral("系统提示")))
        ADOQuery1.deleteCurrent();
    UpdateControls();
}

void TfrmUser::btnExitClick() { close(); }
