#include "u_BankInfo.h"

#include "Application.h"
#include "CatalogForm.h"
#include "DBEdit.h"
#include "DBGrid.h"
#include "DBNavigator.h"
#include "Tables.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

TfrmbankInfo* frmbankInfo = nullptr;

TfrmbankInfo::TfrmbankInfo(QWidget* owner) : QDialog(owner), catalog_(Catalog::bankAccounts(), ADOQuery1, this)
{
    setWindowTitle(QStringLiteral("开户银行"));

    DBGridEh1 = new DBGrid(this);
    DBGridEh1->setFooterVisible(false);
    DBNavigator1 = new DBNavigator(this);
    Label1 = new QLabel(QStringLiteral("开户银行："), this);
    DBEdit1 = new DBEdit(this);
    Label1->setBuddy(DBEdit1);

    btnAdd = new QPushButton(QStringLiteral("增加"), this);
    btnModify = new QPushButton(QStringLiteral("修改"), this);
    btnDelete = new QPushButton(QStringLiteral("删除"), this);
    btnCancel = new QPushButton(QStringLiteral("取消"), this);
    btnSave = new QPushButton(QStringLiteral("保存"), this);
    btnExit = new QPushButton(QStringLiteral("退出"), this);
    for (QPushButton* b : {btnAdd, btnModify, btnDelete, btnCancel, btnSave, btnExit})
        b->setAutoDefault(false);

    // The grid along the left edge, the box and the buttons beside it.
    auto* left = new QVBoxLayout;
    left->addWidget(DBGridEh1, 1);
    left->addWidget(DBNavigator1, 0, Qt::AlignLeft);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(Label1);
    nameRow->addWidget(DBEdit1, 1);
    auto* buttons = new QGridLayout;
    buttons->addWidget(btnAdd, 0, 0);
    buttons->addWidget(btnModify, 0, 1);
    buttons->addWidget(btnDelete, 0, 2);
    buttons->addWidget(btnCancel, 1, 0);
    buttons->addWidget(btnSave, 1, 1);
    buttons->addWidget(btnExit, 1, 2);
    auto* right = new QVBoxLayout;
    right->addLayout(nameRow);
    right->addStretch(1);
    right->addLayout(buttons);
    auto* lay = new QHBoxLayout(this);
    lay->addLayout(left, 1);
    lay->addLayout(right, 1);
    resize(560, 320);

    CatalogForm::chainTabOrder({DBGridEh1->view(), DBNavigator1->firstButton(), DBNavigator1->priorButton(),
                                DBNavigator1->nextButton(), DBNavigator1->lastButton(), DBEdit1, btnAdd, btnModify,
                                btnDelete, btnCancel, btnSave, btnExit});

    DBGridEh1->setDataset(&ADOQuery1);
    DBGridEh1->setColumns({GridColumn::text(BankAccountField::name, QStringLiteral("开户银行"), 200)});
    DBNavigator1->bind(&ADOQuery1);
    DBEdit1->bind(&ADOQuery1, BankAccountField::name);

    onSignal(&ADOQuery1, &Dataset::afterScroll, this, [this] { ADOQuery1AfterScroll(); });
    CatalogForm::connectButtons(this, catalog_, ADOQuery1, {btnAdd, btnModify, btnSave, btnCancel, btnDelete, btnExit},
                                [this] { UpdateControls(); });
}

TfrmbankInfo::~TfrmbankInfo()
{
    if (frmbankInfo == this)
        frmbankInfo = nullptr;
}

void TfrmbankInfo::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    runGuarded([this] { FormShow(); });
}

void TfrmbankInfo::FormShow()
{
    // Re-read at every opening; a non-empty list sets the controls through its row change.
    catalog_.read();
}

void TfrmbankInfo::UpdateControls()
{
    CatalogForm::applyState(ADOQuery1.state(), {btnAdd, btnModify, btnSave, btnCancel, {DBEdit1}});
}

void TfrmbankInfo::ADOQuery1AfterScroll() { UpdateControls(); }
