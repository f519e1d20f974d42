#include "uZhanYao.h"

#include "AppError.h"
#include "Application.h"
#include "CatalogForm.h"
#include "DBEdit.h"
#include "DBGrid.h"
#include "DBNavigator.h"
#include "Messages.h"

#include <QDateTime>
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

namespace ZhanYaoCatalog {
QString listSql() { return QStringLiteral("Select * From zhanYao"); }

int referenceCount(const QString& summaryText)
{
    return CatalogForm::countByText(QStringLiteral("XJRJZ"), QStringLiteral("zhanYao"), summaryText)
        + CatalogForm::countByText(QStringLiteral("YHRJZ"), QStringLiteral("zhanyao"), summaryText);
}
}

namespace {
const QString kCategoryIncrease = QStringLiteral("增加");
const QString kCategoryDecrease = QStringLiteral("减少");
}

TfrmZhanYao::TfrmZhanYao(QWidget* owner) : QDialog(owner)
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

    ADODataSet1.setTable(QStringLiteral("ZhanYao"), QStringLiteral("AutoID"));
    DBGridEh1->setDataset(&ADODataSet1);
    DBGridEh1->setColumns({GridColumn::text(QStringLiteral("KuMuCode"), QStringLiteral("科目代码"), 100),
                           GridColumn::text(QStringLiteral("ZhanYao"), QStringLiteral("摘要"), 220),
                           GridColumn::text(QStringLiteral("ZYType"), QStringLiteral("摘要类别"), 80)});
    DBNavigator1->bind(&ADODataSet1);
    DBEdit2->bind(&ADODataSet1, QStringLiteral("KuMuCode"));
    DBEdit1->bind(&ADODataSet1, QStringLiteral("ZhanYao"));

    onSignal(&ADODataSet1, &Dataset::afterScroll, this, [this] { ADODataSet1AfterScroll(); });
    onSignal(btnNew, &QPushButton::clicked, this, [this] { btnNewClick(); });
    onSignal(btnModify, &QPushButton::clicked, this, [this] { btnModifyClick(); });
    onSignal(btnSave, &QPushButton::clicked, this, [this] { btnSaveClick(); });
    onSignal(btnCancel, &QPushButton::clicked, this, [this] { btnCancelClick(); });
    onSignal(btnDelete, &QPushButton::clicked, this, [this] { btnDeleteClick(); });
    onSignal(btnExit, &QPushButton::clicked, this, [this] { btnExitClick(); });
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

void TfrmZhanYao::FormCreate()
{
    ADODataSet1.close();
    ADODataSet1.open(ZhanYaoCatalog::listSql());
}

void TfrmZhanYao::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    runGuarded([this] { FormShow(); });
}

void TfrmZhanYao::FormShow()
{
    // The list is read once per window, and again once a restore may have replaced it.
    if (ADODataSet1.isOutdated())
        FormCreate();
    UpdateControls();
}

void TfrmZhanYao::UpdateControls()
{
    CatalogForm::applyState(ADODataSet1.state(), {btnNew, btnModify, btnSave, btnCancel, {DBEdit2, DBEdit1}});
}

void TfrmZhanYao::ADODataSet1AfterScroll()
{
    const QString type = ADODataSet1.currentRow() >= 0 ? ADODataSet1.text(QStringLiteral("ZYType")) : QString();
    // Exclusive radio buttons cannot both be cleared; a new row has no category yet.
    RadioButton1->setAutoExclusive(false);
    RadioButton2->setAutoExclusive(false);
    RadioButton1->setChecked(type == kCategoryIncrease);
    RadioButton2->setChecked(type == kCategoryDecrease);
    RadioButton1->setAutoExclusive(true);
    RadioButton2->setAutoExclusive(true);
    UpdateControls();
}

void TfrmZhanYao::btnNewClick()
{
    ADODataSet1.append();
    UpdateControls();
}

void TfrmZhanYao::btnModifyClick()
{
    ADODataSet1.edit();
    UpdateControls();
}

void TfrmZhanYao::btnCancelClick()
{
    ADODataSet1.cancel();
    UpdateControls();
}

void TfrmZhanYao::btnSaveClick()
{
    Messages& msg = Messages::current();
    if (DBEdit2->text().trimmed().isEmpty()) {
        msg.information(this, QStringLiteral("科目代码不能为空"));
        return;
    }
    if (DBEdit1->text().trimmed().isEmpty()) {
        msg.information(this, QStringLiteral("摘要不能为空"));
        return;
    }
    if (ADODataSet1.isEditing()) {
        QString type;
        if (RadioButton1->isChecked())
            type = kCategoryIncrease;
        else if (RadioButton2->isChecked())
            type = kCategoryDecrease;
        else {
            msg.information(this, QStringLiteral("请选择一类别"));
            return;
        }
        ADODataSet1.setValue(QStringLiteral("ZYType"), type);
        if (ADODataSet1.state() == Dataset::State::Inserting)
            ADODataSet1.setDateTime(QStringLiteral("FilltDate"), QDateTime::currentDateTime());
        ADODataSet1.post();
    }
    UpdateControls();
}

void TfrmZhanYao::btnDeleteClick()
{
    if (ADODataSet1.isEmpty())
        throw AppError(QStringLiteral("没有要删除的记录"));
    // The row removed is the stored one, so the guard looks at its stored text, not a pending edit.
    const QString text =
        CatalogForm::storedText(ADODataSet1, QStringLiteral("ZhanYao"), QStringLiteral("AutoID"), QStringLiteral("ZhanYao"));
    if (ZhanYaoCatalog::referenceCount(text) > 0)
        throw AppError(QStringLiteral("已有日记账信息不能删除"));
    if (Messages::current().question(this, QStringLiteral("确定要删除吗"), QStringLiteral("系统提示")))
        ADODataSet1.deleteCurrent();
    UpdateControls();
}

void TfrmZhanYao::btnExitClick() { close(); }

void TfrmZhanYao::Button1Click()
{
    if (ADODataSet1.isEmpty())
        return;
    PickedSummary.ZhanYao = ADODataSet1.text(QStringLiteral("ZhanYao"));
    PickedSummary.ZYType = ADODataSet1.text(QStringLiteral("ZYType"));
    PickedSummary.KuMuCode = ADODataSet1.text(QStringLiteral("KuMuCode"));
    accept();
}

void TfrmZhanYao::DBGridEh1DblClick() { Button1Click(); }
