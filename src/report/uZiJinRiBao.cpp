#include "uZiJinRiBao.h"

#include "Application.h"
#include "BalanceChart.h"
#include "DBGrid.h"
#include "FileDialogs.h"
#include "GridPrinter.h"
#include "Maximise.h"
#include "AppError.h"
#include "uDM.h"

#include <QAction>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QShowEvent>
#include <QSplitter>
#include <QToolBar>
#include <QVBoxLayout>

TfrmZiJinRiBao* frmZiJinRiBao = nullptr;

TfrmZiJinRiBao::TfrmZiJinRiBao(QWidget* owner) : QDialog(owner)
{
    setWindowTitle(QStringLiteral("资金日报表"));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);

    RzToolbar1 = new QToolBar(this);
    RzToolbar1->setToolButtonStyle(Qt::ToolButtonTextOnly);
    RzToolButton1 = RzToolbar1->addAction(QStringLiteral("导出"));
    RzToolButton2 = RzToolbar1->addAction(QStringLiteral("打印"));
    RzToolButton3 = RzToolbar1->addAction(QStringLiteral("导出图表"));
    RzToolButton4 = RzToolbar1->addAction(QStringLiteral("打印图表"));
    RzToolButton5 = RzToolbar1->addAction(QStringLiteral("退出"));

    auto* panel = new QWidget(this);
    auto* inputs = new QHBoxLayout(panel);
    inputs->setContentsMargins(8, 6, 8, 6);
    auto* dateLabel = new QLabel(QStringLiteral("日期"), panel);
    DateTimePicker1 = new QDateEdit(QDate::currentDate(), panel);
    DateTimePicker1->setObjectName(QStringLiteral("DateTimePicker1"));
    DateTimePicker1->setCalendarPopup(true);
    DateTimePicker1->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    dateLabel->setBuddy(DateTimePicker1);
    RadioButton1 = new QRadioButton(QStringLiteral("全部操作员"), panel);
    RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
    RadioButton2 = new QRadioButton(QStringLiteral("当前操作员"), panel);
    RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
    RadioButton1->setChecked(true); // the report is the company's
    inputs->addWidget(dateLabel);
    inputs->addWidget(DateTimePicker1);
    inputs->addSpacing(16);
    inputs->addWidget(RadioButton1);
    inputs->addWidget(RadioButton2);
    inputs->addStretch();

    DBGridEh1 = new DBGrid(this);
    DBGridEh1->setObjectName(QStringLiteral("DBGridEh1"));
    DBGridEh1->setDataset(&ADOQuery1);
    DBGridEh1->setColumns({
        GridColumn::text(DailyFundField::account, QStringLiteral("账户"), 150).footed(QStringLiteral("合计")),
        GridColumn::money(DailyFundField::previous, QStringLiteral("上日余额"), 110).summed(),
        GridColumn::money(DailyFundField::receipts, QStringLiteral("本日收入"), 110).summed(),
        GridColumn::money(DailyFundField::payments, QStringLiteral("本日支出"), 110).summed(),
        GridColumn::money(DailyFundField::balance, QStringLiteral("本日余额"), 110).summed(),
        GridColumn::integer(DailyFundField::receiptCount, QStringLiteral("收入笔数"), 70).summed(),
        GridColumn::integer(DailyFundField::paymentCount, QStringLiteral("支出笔数"), 70).summed(),
    });
    PrintDBGridEh1 = new GridPrinter(DBGridEh1, GridPrinter::AllOptions, this);
    Chart1 = new BalanceChart(this);

    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(DBGridEh1);
    split->addWidget(Chart1);
    split->setStretchFactor(0, 2);
    split->setStretchFactor(1, 3);
    split->setSizes({220, 420}); // the grid has a few rows; the chart needs the room
    split->setChildrenCollapsible(false);

    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);
    lay->addWidget(RzToolbar1);
    lay->addWidget(panel);
    lay->addWidget(split, 1);
    resize(900, 640);
    maximise(this);

    onSignal(RzToolButton1, &QAction::triggered, this, [this] { exportClick(); });
    onSignal(RzToolButton2, &QAction::triggered, this, [this] { printClick(); });
    onSignal(RzToolButton3, &QAction::triggered, this, [this] { chartExportClick(); });
    onSignal(RzToolButton4, &QAction::triggered, this, [this] { chartPrintClick(); });
    onSignal(RzToolButton5, &QAction::triggered, this, [this] { exitClick(); });
    onSignal(DateTimePicker1, &QDateEdit::dateChanged, this, [this] { refresh(); });
    onSignal(RadioButton1, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            refresh();
    });
    onSignal(RadioButton2, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            refresh();
    });
    onSignal(&ADOQuery1, &Dataset::afterScroll, this, [this] { followCurrentRow(); });
}

TfrmZiJinRiBao::~TfrmZiJinRiBao()
{
    if (frmZiJinRiBao == this)
        frmZiJinRiBao = nullptr;
}

void TfrmZiJinRiBao::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        runGuarded([this] { FormShow(); });
}

void TfrmZiJinRiBao::FormShow() { refresh(); }

OperatorFilter TfrmZiJinRiBao::operatorFilter() const
{
    if (RadioButton1->isChecked())
        return std::nullopt;
    return DM ? DM->CurrentUser : QString();
}

void TfrmZiJinRiBao::refresh()
{
    const QDate day = DateTimePicker1->date();
    const Connection::Statement st = dailyFundStatement(day, operatorFilter());
    ADOQuery1.close();
    ADOQuery1.open(st.sql, st.params);
    PrintDBGridEh1->setPageTitle(QStringLiteral("资金日报表  %1（%2）")
                                     .arg(day.toString(QStringLiteral("yyyy年MM月dd日")),
                                          operatorFilter() ? *operatorFilter() : QStringLiteral("全部操作员")));
    Chart1->setMonth(day, monthOfAccounts(day, operatorFilter()));
    followCurrentRow();
}

void TfrmZiJinRiBao::followCurrentRow()
{
    if (ADOQuery1.currentRow() < 0)
        return;
    Chart1->selectAccount(ADOQuery1.text(DailyFundField::account), ADOQuery1.value(DailyFundField::isBank).toInt() != 0);
}

void TfrmZiJinRiBao::exportClick()
{
    if (!DM)
        throw AppError(QStringLiteral("数据模块尚未建立"));
    DM->ExportGrid(DBGridEh1, exportFileName());
}

void TfrmZiJinRiBao::printClick() { PrintDBGridEh1->preview(this); }

QString TfrmZiJinRiBao::pngPath(const QString& chosen)
{
    return chosen.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive) ? chosen : chosen + QStringLiteral(".png");
}

void TfrmZiJinRiBao::chartExportClick()
{
    SaveFileRequest r;
    r.filter = QStringLiteral("PNG图片(*.png)|.png");
    r.fileName = QStringLiteral("资金余额图");
    const SaveFileAnswer a = FileDialogs::current().saveFile(this, r);
    if (!a.accepted)
        return;
    const QString path = pngPath(a.path);
    if (!Chart1->image().save(path, "PNG"))
        throw AppError(QStringLiteral("无法写入图片文件 %1").arg(path));
}

void TfrmZiJinRiBao::chartPrintClick() { Chart1->preview(this); }

void TfrmZiJinRiBao::exitClick() { close(); }
