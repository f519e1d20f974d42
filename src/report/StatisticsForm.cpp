#include "StatisticsForm.h"
#include "Maximise.h"

#include "AppError.h"
#include "Application.h"
#include "BankAccounts.h"
#include "DBGrid.h"
#include "DateEdit.h"
#include "uAddtion.h"
#include "uDM.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QShowEvent>
#include <QToolBar>
#include <QVBoxLayout>

namespace {
QString currentUser() { return DM ? DM->CurrentUser : QString(); }
}

StatisticsForm::StatisticsForm(QWidget* owner, const Design& design) : QDialog(owner), design_(design)
{
    setWindowTitle(design.caption);
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);

    RzToolbar1 = new QToolBar(this);
    RzToolbar1->setToolButtonStyle(Qt::ToolButtonTextOnly);
    RzToolButton1 = RzToolbar1->addAction(QStringLiteral("导出"));
    RzToolButton2 = RzToolbar1->addAction(QStringLiteral("统计"));
    RzToolButton3 = RzToolbar1->addAction(QStringLiteral("打印"));
    RzToolButton4 = RzToolbar1->addAction(QStringLiteral("退出"));

    QVector<GridColumn> cols = design.columns;
    cols << GridColumn::money(QStringLiteral("JF"), QStringLiteral("借方（增加）"), 110).summed()
         << GridColumn::money(QStringLiteral("DF"), QStringLiteral("贷方（减少）"), 110).summed()
         << GridColumn::money(QStringLiteral("SR"), QStringLiteral("收入"), 110);
    cols[0] = cols[0].footed(QStringLiteral("合计"));
    design_.columns = cols;

    DBGridEh1 = new DBGrid(this);
    DBGridEh1->setDataset(&ADOQuery1);
    DBGridEh1->setColumns(cols);
    PrintDBGridEh1 = new GridPrinter(DBGridEh1, GridPrinter::AllOptions, this);

    layout_ = new QVBoxLayout(this);
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(0);
    layout_->addWidget(RzToolbar1);
    layout_->addWidget(DBGridEh1, 1);
    resize(760, 520);
    maximise(this);

    onSignal(RzToolButton1, &QAction::triggered, this, [this] { RzToolButton1Click(); });
    onSignal(RzToolButton2, &QAction::triggered, this, [this] { RzToolButton2Click(); });
    onSignal(RzToolButton3, &QAction::triggered, this, [this] { RzToolButton3Click(); });
    onSignal(RzToolButton4, &QAction::triggered, this, [this] { RzToolButton4Click(); });
}

QHBoxLayout* StatisticsForm::inputPanel()
{
    if (!panel_) {
        auto* box = new QWidget(this);
        panel_ = new QHBoxLayout(box);
        panel_->setContentsMargins(8, 6, 8, 6);
        panel_->setSpacing(6);
        layout_->insertWidget(1, box);
    }
    return panel_;
}

void StatisticsForm::FormShow()
{
    showRows(emptyStatistics(design_.kind));
    DBGridEh1->setColumns(design_.columns);
}

void StatisticsForm::showRows(const Connection::Statement& st)
{
    ADOQuery1.close();
    ADOQuery1.open(st.sql, st.params);
}

void StatisticsForm::RzToolButton1Click()
{
    if (!DM)
        throw AppError(QStringLiteral("数据模块尚未建立"));
    DM->ExportGrid(DBGridEh1, design_.exportFileName);
}

void StatisticsForm::RzToolButton3Click() { PrintDBGridEh1->preview(this); }

void StatisticsForm::RzToolButton4Click() { close(); }

void StatisticsForm::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        runGuarded([this] { FormShow(); });
}

YearMonthStatisticsForm::YearMonthStatisticsForm(QWidget* owner, const Design& design, JournalKind journal)
    : StatisticsForm(owner, design), journal_(journal)
{
}

void YearMonthStatisticsForm::RzToolButton2Click() { runYear(PickYear(this)); }

void YearMonthStatisticsForm::runYear(const QString& year)
{
    if (year.isEmpty())
        return;
    showRows(yearMonthStatistics(journal_, year, currentUser()));
}

DateRangeStatisticsForm::DateRangeStatisticsForm(QWidget* owner, const Design& design, bool accountBox)
    : StatisticsForm(owner, design)
{
    QHBoxLayout* p = inputPanel();
    DBDateTimeEditEh1 = new DateEdit(this);
    DBDateTimeEditEh2 = new DateEdit(this);
    for (DateEdit* d : {DBDateTimeEditEh1, DBDateTimeEditEh2})
        d->setMinimumWidth(120);
    auto* dateLabel = new QLabel(QStringLiteral("日期："), this);
    auto* fromLabel = new QLabel(QStringLiteral("从"), this);
    auto* toLabel = new QLabel(QStringLiteral("到"), this);
    dateLabel->setBuddy(DBDateTimeEditEh1);
    fromLabel->setBuddy(DBDateTimeEditEh1);
    toLabel->setBuddy(DBDateTimeEditEh2);
    DBDateTimeEditEh1->setAccessibleName(QStringLiteral("日期从"));
    DBDateTimeEditEh2->setAccessibleName(QStringLiteral("日期到"));
    p->addWidget(dateLabel);
    p->addWidget(fromLabel);
    p->addWidget(DBDateTimeEditEh1);
    p->addWidget(toLabel);
    p->addWidget(DBDateTimeEditEh2);
    if (accountBox) {
        ComboBox1 = new QComboBox(this);
        ComboBox1->setEditable(true);
        ComboBox1->setInsertPolicy(QComboBox::NoInsert);
        ComboBox1->setMinimumWidth(180);
        auto* bankLabel = new QLabel(QStringLiteral("银行"), this);
        bankLabel->setBuddy(ComboBox1);
        p->addSpacing(12);
        p->addWidget(bankLabel);
        p->addWidget(ComboBox1);
        setTabOrder(DBDateTimeEditEh2, ComboBox1);
    }
    p->addStretch(1);
    setTabOrder(DBDateTimeEditEh1, DBDateTimeEditEh2);
}

void DateRangeStatisticsForm::FormShow()
{
    if (ComboBox1) {
        // Refilling the list also leaves no account chosen.
        ComboBox1->clear();
        ComboBox1->addItems(BankAccountNames());
        ComboBox1->setCurrentIndex(-1);
        ComboBox1->clearEditText();
    }
    StatisticsForm::FormShow();
}

void DateRangeStatisticsForm::RzToolButton2Click()
{
    const QDate from = DBDateTimeEditEh1->value(), to = DBDateTimeEditEh2->value();
    if (!from.isValid() || !to.isValid())
        throw AppError(QStringLiteral("统计日期不能为空"));
    const JournalKind journal = (kind() == StatKind::CashBySummary || kind() == StatKind::CashByDay) ? JournalKind::Cash : JournalKind::Bank;
    if (kind() == StatKind::CashBySummary || kind() == StatKind::BankBySummary)
        showRows(bySummaryStatistics(journal, from, to, currentUser(), ComboBox1 ? ComboBox1->currentText() : QString()));
    else
        showRows(byDayStatistics(journal, from, to));
}
