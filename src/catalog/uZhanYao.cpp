#include "uZhanYao.h"

#include "Application.h"
#include "CatalogForm.h"
#include "DBEdit.h"
#include "DBGrid.h"
#include "DBNavigator.h"
#include "Tables.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

TPickedSummary PickedSummary;
TfrmZhanYao* frmZhanYao = nullptr;

namespace {
const QString kCategoryIncrease = QStringLiteral("增加");
const QString kCategoryDecrease = QStringLiteral("减少");
}

TfrmZhanYao::TfrmZhanYao(QWidget* owner) : QDialog(owner), catalog_(Catalog::summaries(), ADODataSet1, this)
{
    setWindowTitle(QStringLiteral("摘要"));

    Label2 = new QLabel(QStringLiteral("科目代码"), this);
    DBEdit2 = new DBEdit(this);
    Label2->setBuddy(DBEdit2);
    Label1 = new QLabel(QStringLiteral("摘    要"), this);
    DBEdit1 = new DBEdit(this);
    Label1->setBuddy(DBEdit1);

    GroupBox1 = new QGroupBox(QStringLiteral("类别"), this);
    RadioButton1 = new QRadioButton(QStringLiteral("借方（增加）"), GroupBox1);
    RadioButton2 = new QRadioButton(QStringLiteral("贷方（减少）"), GroupBox1);
    auto* groupLay = new QHBoxLayout(GroupBox1);
    groupLay->addWidget(RadioButton1);
    groupLay->addWidget(RadioButton2);
    groupLay->addStretch(1);

    DBGridEh1 = new DBGrid(this);
    DBGridEh1->setFooterVisible(false);
    DBNavigator1 = new DBNavigator(this);

    btnNew = new QPushButton(QStringLiteral("新增"), this);
    btnModify = new QPushButton(QStringLiteral("编辑"), this);
    btnSave = new QPushButton(QStringLiteral("保存"), this);
    btnCancel = new QPushButton(QStringLiteral("取消"), this);
    btnDelete = new QPushButton(QStringLiteral("删除"), this);
    btnImport = new QPushButton(QStringLiteral("导出"), this);
    btnExit = new QPushButton(QStringLiteral("退出"), this);
    Button1 = new QPushButton(QStringLiteral("选中"), this);
    for (QPushButton* b : {btnNew, btnModify, btnSave, btnCancel, btnDelete, btnImport, btnExit, Button1})
        b->setAutoDefault(false);

    auto* fields = new QGridLayout;
    fields->addWidget(Label2, 0, 0);
    fields->addWidget(DBEdit2, 0, 1);
    fields->addWidget(Label1, 1, 0);
    fields->addWidget(DBEdit1, 1, 1);
    fields->addWidget(GroupBox1, 2, 0, 1, 2);
    fields->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {btnNew, btnModify, btnSave, btnCancel, btnDelete, btnImport, Button1, btnExit})
        buttons->addWidget(b);

    auto* lay = new QVBoxLayout(this);
    lay->addLayout(fields);
    lay->addWidget(DBGridEh1, 1);
    lay->addWidget(DBNavigator1, 0, Qt::AlignLeft);
    lay->addLayout(buttons);
    resize(600, 440);

    CatalogForm::chainTabOrder({DBEdit2, DBEdit1, RadioButton1, RadioButton2, DBGridEh1->view(),
                                DBNavigator1->firstButton(), DBNavigator1->priorButton(), DBNavigator1->nextButton(),
                                DBNavigator1->lastButton(), btnNew, btnModify, btnSave, btnCancel, btnDelete, btnImport,
                                Button1, btnExit});

    catalog_.setCollect([this] { collectCategory(); });
    DBGridEh1->setDataset(&ADODataSet1);
    DBGridEh1->setColumns({GridColumn::text(SummaryField::subjectCode, QStringLiteral("科目代码"), 100),
                           GridColumn::text(SummaryField::text, QStringLiteral("摘要"), 220),
                           GridColumn::text(SummaryField::category, QStringLiteral("摘要类别"), 80)});
    DBNavigator1->bind(&ADODataSet1);
    DBEdit2->bind(&ADODataSet1, SummaryField::subjectCode);
    DBEdit1->bind(&ADODataSet1, SummaryField::text);

    onSignal(&ADODataSet1, &Dataset::afterScroll, this, [this] { ADODataSet1AfterScroll(); });
    CatalogForm::connectButtons(this, catalog_, ADODataSet1, {btnNew, btnModify, btnSave, btnCancel, btnDelete, btnExit},
                                [this] { UpdateControls(); });
    onSignal(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    onSignal(DBGridEh1, &DBGrid::doubleClicked, this, [this] { DBGridEh1DblClick(); });
    // "导出" is offered but has no action.

    FormCreate();
}

TfrmZhanYao::~TfrmZhanYao()
{
    if (frmZhanYao == this)
        frmZhanYao = nullptr;
}

// The list is read once per window: an entry dialog keeps the window it opened.
void TfrmZhanYao::FormCreate() { catalog_.read(); }

void TfrmZhanYao::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    runGuarded([this] { FormShow(); });
}

void TfrmZhanYao::FormShow() { UpdateControls(); }

void TfrmZhanYao::UpdateControls()
{
    CatalogForm::applyState(ADODataSet1.state(), {btnNew, btnModify, btnSave, btnCancel, {DBEdit2, DBEdit1}});
}

void TfrmZhanYao::ADODataSet1AfterScroll()
{
    const QString type = ADODataSet1.currentRow() >= 0 ? ADODataSet1.text(SummaryField::category) : QString();
    // Exclusive radio buttons cannot both be cleared; a new row has no category yet.
    RadioButton1->setAutoExclusive(false);
    RadioButton2->setAutoExclusive(false);
    RadioButton1->setChecked(type == kCategoryIncrease);
    RadioButton2->setChecked(type == kCategoryDecrease);
    RadioButton1->setAutoExclusive(true);
    RadioButton2->setAutoExclusive(true);
    UpdateControls();
}

void TfrmZhanYao::collectCategory()
{
    if (RadioButton1->isChecked())
        ADODataSet1.setValue(SummaryField::category, kCategoryIncrease);
    else if (RadioButton2->isChecked())
        ADODataSet1.setValue(SummaryField::category, kCategoryDecrease);
}

void TfrmZhanYao::btnSaveClick()
{
    catalog_.save();
    UpdateControls();
}

void TfrmZhanYao::Button1Click()
{
    if (ADODataSet1.isEmpty())
        return;
    // A pending row is picked only once it is saved, with the checks of "保存".
    if (ADODataSet1.isEditing()) {
        catalog_.save();
        if (ADODataSet1.isEditing())
            return;
    }
    PickedSummary.ZhanYao = ADODataSet1.text(SummaryField::text);
    PickedSummary.ZYType = ADODataSet1.text(SummaryField::category);
    PickedSummary.KuMuCode = ADODataSet1.text(SummaryField::subjectCode);
    accept();
}

void TfrmZhanYao::DBGridEh1DblClick() { Button1Click(); }
