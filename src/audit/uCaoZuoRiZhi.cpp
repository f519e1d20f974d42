#include "uCaoZuoRiZhi.h"
#include "Maximise.h"

#include "Application.h"
#include "ChangeDetails.h"
#include "DBGrid.h"
#include "DateEdit.h"
#include "GridPrinter.h"
#include "LogCheck.h"
#include "Messages.h"
#include "OperationLog.h"
#include "uDM.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QSplitter>
#include <QTableWidget>
#include <QToolBar>
#include <QVBoxLayout>

TfrmCaoZuoRiZhi* frmCaoZuoRiZhi = nullptr;

namespace {
namespace F = OperationLog::Field;

QVector<GridColumn> columns(int rows)
{
    using C = GridColumn;
    return {C::integer(F::number, QStringLiteral("序号"), 60).footed(QStringLiteral("共%1条").arg(rows)),
            C::text(F::time, QStringLiteral("时间"), 140),
            C::text(F::operatorName, QStringLiteral("操作员"), 80),
            C::text(F::kind, QStringLiteral("操作类型"), 90),
            C::text(LogQuery::tableCaptionField, QStringLiteral("数据表"), 90),
            C::text(F::rowKey, QStringLiteral("记录号"), 60),
            C::text(F::loggedTable, QString(), 60).hidden(),
            C::text(F::before, QString(), 60).hidden(),
            C::text(F::after, QString(), 60).hidden()};
}

// A changed value stands out in both columns.
void mark(QTableWidgetItem* item)
{
    QFont f = item->font();
    f.setBold(true);
    item->setFont(f);
    item->setForeground(QColor(0xc0, 0x00, 0x00));
    item->setBackground(QColor(0xff, 0xf2, 0xcc));
}
} // namespace

TfrmCaoZuoRiZhi::TfrmCaoZuoRiZhi(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmCaoZuoRiZhi"));
    setWindowTitle(QStringLiteral("操作日志"));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);

    ToolBar1 = new QToolBar(this);
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextOnly);
    btnQuery = ToolBar1->addAction(QStringLiteral("查询"));
    btnExport = ToolBar1->addAction(QStringLiteral("导出"));
    btnPrint = ToolBar1->addAction(QStringLiteral("打印"));
    btnCheck = ToolBar1->addAction(QStringLiteral("校验"));
    btnExit = ToolBar1->addAction(QStringLiteral("退出"));

    // The filters, in two rows: when, who; what, where, which text.
    auto* filters = new QWidget(this);
    auto* grid = new QGridLayout(filters);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setHorizontalSpacing(6);
    int place = 0;
    const auto labelled = [&](const QString& caption, QWidget* box) {
        auto* l = new QLabel(caption, filters);
        l->setBuddy(box);
        grid->addWidget(l, place / 3, 2 * (place % 3));
        grid->addWidget(box, place / 3, 2 * (place % 3) + 1);
        ++place;
    };
    DateFrom = new DateEdit(filters);
    DateTo = new DateEdit(filters);
    DateFrom->clearValue();
    DateTo->clearValue();
    cbOperator = new QComboBox(filters);
    cbOperator->setEditable(true);
    cbOperator->setInsertPolicy(QComboBox::NoInsert);
    cbOperator->setMinimumContentsLength(8);
    cbKind = new QComboBox(filters);
    cbKind->addItem(QStringLiteral("全部"), QString());
    for (const QString& k : OperationLog::Kind::all())
        cbKind->addItem(k, k);
    cbTable = new QComboBox(filters);
    cbTable->addItem(QStringLiteral("全部"), QString());
    for (const QString& t : OperationLog::loggedTables())
        cbTable->addItem(LogQuery::tableCaption(t), t);
    edText = new QLineEdit(filters);
    edText->setPlaceholderText(QStringLiteral("修改前或修改后的内容"));
    labelled(QStringLiteral("起始日期"), DateFrom);
    labelled(QStringLiteral("截止日期"), DateTo);
    labelled(QStringLiteral("操作员"), cbOperator);
    labelled(QStringLiteral("操作类型"), cbKind);
    labelled(QStringLiteral("数据表"), cbTable);
    labelled(QStringLiteral("内容包含"), edText);
    grid->setColumnStretch(5, 1);
    grid->setColumnMinimumWidth(5, 220);

    DBGridEh1 = new DBGrid(this);
    DBGridEh1->setDataset(&ADOQuery1);
    DBGridEh1->setColumns(columns(0));
    printer_ = new GridPrinter(DBGridEh1, GridPrinter::AllOptions, this);

    tblChange = new QTableWidget(0, 3, this);
    tblChange->setObjectName(QStringLiteral("tblChange"));
    tblChange->setHorizontalHeaderLabels({QStringLiteral("项目"), QStringLiteral("修改前"), QStringLiteral("修改后")});
    tblChange->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    tblChange->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    tblChange->verticalHeader()->hide();
    tblChange->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblChange->setSelectionMode(QAbstractItemView::NoSelection);
    tblChange->setWordWrap(true);
    tblChange->setTextElideMode(Qt::ElideNone);
    // Long values wrap and their rows grow.
    tblChange->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto* split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(DBGridEh1);
    split->addWidget(tblChange);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);

    auto* all = new QVBoxLayout(this);
    all->setContentsMargins(0, 0, 0, 0);
    all->setSpacing(0);
    all->addWidget(ToolBar1);
    all->addWidget(filters);
    all->addWidget(split, 1);
    resize(1000, 600);
    maximise(this);

    onSignal(btnQuery, &QAction::triggered, this, [this] { btnQueryClick(); });
    onSignal(btnExport, &QAction::triggered, this, [this] { btnExportClick(); });
    onSignal(btnPrint, &QAction::triggered, this, [this] { btnPrintClick(); });
    onSignal(btnCheck, &QAction::triggered, this, [this] { btnCheckClick(); });
    onSignal(btnExit, &QAction::triggered, this, [this] { close(); });
    onSignal(edText, &QLineEdit::returnPressed, this, [this] { btnQueryClick(); });
    onSignal(&ADOQuery1, &Dataset::afterScroll, this, [this] { showCurrentChange(); });
    onSignal(&ADOQuery1, &Dataset::opened, this, [this] { showCurrentChange(); });
}

TfrmCaoZuoRiZhi::~TfrmCaoZuoRiZhi()
{
    if (frmCaoZuoRiZhi == this)
        frmCaoZuoRiZhi = nullptr;
}

LogQuery::Filter TfrmCaoZuoRiZhi::filter() const
{
    return {DateFrom->value(), DateTo->value(), cbOperator->currentText(), cbKind->currentData().toString(),
            cbTable->currentData().toString(), edText->text()};
}

void TfrmCaoZuoRiZhi::btnQueryClick()
{
    const LogQuery::Statement st = LogQuery::listing(filter());
    ADOQuery1.open(st.sql, st.params);
    DBGridEh1->setColumns(columns(ADOQuery1.rowCount()));
    showCurrentChange();
}

void TfrmCaoZuoRiZhi::btnExportClick() { DM->ExportGrid(DBGridEh1, QStringLiteral("操作日志")); }

void TfrmCaoZuoRiZhi::btnPrintClick() { printer_->preview(this); }

void TfrmCaoZuoRiZhi::btnCheckClick() { Messages::current().information(this, LogCheck::run().message()); }

void TfrmCaoZuoRiZhi::showCurrentChange()
{
    tblChange->setRowCount(0);
    if (!ADOQuery1.isOpen() || ADOQuery1.isEmpty())
        return;
    const QVector<FieldChange> changes =
        changeDetails(ADOQuery1.text(F::loggedTable), ADOQuery1.text(F::before), ADOQuery1.text(F::after));
    tblChange->setRowCount(int(changes.size()));
    for (int i = 0; i < changes.size(); ++i) {
        const FieldChange& c = changes.at(i);
        const QString cells[] = {c.caption, c.before, c.after};
        for (int col = 0; col < 3; ++col) {
            auto* item = new QTableWidgetItem(cells[col]);
            if (c.changed && col > 0)
                mark(item);
            tblChange->setItem(i, col, item);
        }
    }
}

void TfrmCaoZuoRiZhi::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    runGuarded([this] {
        const QString typed = cbOperator->currentText();
        cbOperator->clear();
        cbOperator->addItem(QString());
        cbOperator->addItems(LogQuery::operators());
        cbOperator->setCurrentText(typed);
        btnQueryClick();
    });
}
