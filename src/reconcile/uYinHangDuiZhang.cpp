#include "uYinHangDuiZhang.h"

#include "AppError.h"
#include "Application.h"
#include "BankAccounts.h"
#include "DBGrid.h"
#include "FileDialogs.h"
#include "Matching.h"
#include "Maximise.h"
#include "Messages.h"
#include "ReconcileLists.h"
#include "ReconcileNames.h"
#include "StatementParse.h"
#include "uDM.h"
#include "uDuiZhangDanEdit.h"
#include "uDuiZhangDanGeShi.h"
#include "uDuiZhangDanYuLan.h"
#include "uYinHangTiaoJieBiao.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

TfrmYinHangDuiZhang* frmYinHangDuiZhang = nullptr;

namespace {

QString currentUser() { return DM ? DM->CurrentUser : QString(); }

const QString hint = QStringLiteral("提示");

QPushButton* button(const QString& caption, QWidget* parent, QHBoxLayout* row)
{
    auto* b = new QPushButton(caption, parent);
    b->setAutoDefault(false);
    row->addWidget(b);
    return b;
}

} // namespace

TfrmYinHangDuiZhang::TfrmYinHangDuiZhang(QWidget* owner) : QDialog(owner)
{
    setWindowTitle(QStringLiteral("银行对账"));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);

    // The buttons above, each with its keyboard accelerator.
    auto* buttons = new QHBoxLayout;
    btnImport = button(QStringLiteral("导入对账单(&I)"), this, buttons);
    btnAddLine = button(QStringLiteral("新增(&N)"), this, buttons);
    btnEditLine = button(QStringLiteral("修改(&M)"), this, buttons);
    btnDeleteLine = button(QStringLiteral("删除(&D)"), this, buttons);
    buttons->addSpacing(12);
    btnAutoMatch = button(QStringLiteral("自动对账(&A)"), this, buttons);
    btnHandMatch = button(QStringLiteral("手工对账(&H)"), this, buttons);
    btnUnmatch = button(QStringLiteral("取消对账(&U)"), this, buttons);
    buttons->addSpacing(12);
    btnReconciliation = button(QStringLiteral("余额调节表(&R)"), this, buttons);
    btnExit = button(QStringLiteral("退出(&X)"), this, buttons);
    buttons->addStretch(1);

    // Account and range on top.
    ComboAccount = new QComboBox(this);
    ComboAccount->setMinimumWidth(180);
    const QDate today = QDate::currentDate();
    EditFrom = new QDateEdit(QDate(today.year(), today.month(), 1), this);
    EditTo = new QDateEdit(QDate(today.year(), today.month(), today.daysInMonth()), this);
    for (QDateEdit* d : {EditFrom, EditTo}) {
        d->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        d->setCalendarPopup(true);
    }
    SpinDays = new QSpinBox(this);
    SpinDays->setRange(0, 60);
    SpinDays->setValue(3);
    SpinDays->setSuffix(QStringLiteral(" 天"));
    CheckUnpaired = new QCheckBox(QStringLiteral("只显示未达账项(&F)"), this);
    auto* range = new QHBoxLayout;
    const auto labelled = [&](const QString& caption, QWidget* box) {
        auto* l = new QLabel(caption, this);
        l->setBuddy(box);
        range->addWidget(l);
        range->addWidget(box);
    };
    labelled(QStringLiteral("开户银行(&B)："), ComboAccount);
    labelled(QStringLiteral("日期从(&S)："), EditFrom);
    labelled(QStringLiteral("到(&T)："), EditTo);
    labelled(QStringLiteral("自动对账日期相差不超过(&W)："), SpinDays);
    range->addWidget(CheckUnpaired);
    range->addStretch(1);

    // Entries and lines side by side; several rows can be chosen for 手工对账.
    GridEntries = new DBGrid(this);
    GridEntries->setDataset(&Entries);
    GridEntries->setMultiSelect(true);
    GridEntries->setColumns({GridColumn::dateTime(BankEntryTable::when, QStringLiteral("日期"), 130).footed(QStringLiteral("合计")),
                             GridColumn::text(BankEntryTable::voucher, QStringLiteral("凭证号"), 70),
                             GridColumn::text(BankEntryTable::summary, QStringLiteral("摘要"), 110),
                             GridColumn::money(BankEntryTable::debit, QStringLiteral("借方（增加）"), 90).summed(),
                             GridColumn::money(BankEntryTable::credit, QStringLiteral("贷方（减少）"), 90).summed(),
                             GridColumn::text(BankEntryTable::operatorName, QStringLiteral("操作人"), 60),
                             GridColumn::text(ReconcileLists::pairedField, QStringLiteral("对账"), 44)
                                 .aligned(Qt::AlignCenter)});
    GridEntries->view()->setAccessibleName(QStringLiteral("银行日记账"));
    GridLines = new DBGrid(this);
    GridLines->setDataset(&Lines);
    GridLines->setMultiSelect(true);
    GridLines->setColumns({GridColumn::dateTime(StatementTable::when, QStringLiteral("交易日期"), 130).footed(QStringLiteral("合计")),
                           GridColumn::text(StatementTable::summary, QStringLiteral("摘要"), 100),
                           GridColumn::money(StatementTable::moneyIn, QStringLiteral("收入（贷方）"), 90).summed(),
                           GridColumn::money(StatementTable::moneyOut, QStringLiteral("支出（借方）"), 90).summed(),
                           GridColumn::money(StatementTable::balance, QStringLiteral("余额"), 90),
                           GridColumn::text(StatementTable::counterparty, QStringLiteral("对方户名"), 100),
                           GridColumn::text(StatementTable::serial, QStringLiteral("流水号"), 80),
                           GridColumn::text(ReconcileLists::pairedField, QStringLiteral("对账"), 44)
                               .aligned(Qt::AlignCenter)});
    GridLines->view()->setAccessibleName(QStringLiteral("银行对账单"));

    const auto boxed = [this](const QString& title, QWidget* grid) {
        auto* box = new QGroupBox(title, this);
        auto* l = new QVBoxLayout(box);
        l->setContentsMargins(4, 4, 4, 4);
        l->addWidget(grid);
        return box;
    };
    auto* split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(boxed(QStringLiteral("银行日记账"), GridEntries));
    split->addWidget(boxed(QStringLiteral("银行对账单"), GridLines));
    // The statement has more columns: it gets the larger share.
    split->setStretchFactor(0, 5);
    split->setStretchFactor(1, 7);
    LabelCounts = new QLabel(this);

    auto* top = new QVBoxLayout(this);
    top->addLayout(buttons);
    top->addLayout(range);
    top->addWidget(split, 1);
    top->addWidget(LabelCounts);
    resize(1200, 700);
    maximise(this);

    chooseLayout = [this](const SheetReader::Rows& rows, StatementLayout& layout) {
        TfrmDuiZhangDanGeShi dlg(rows, this);
        if (dlg.exec() != QDialog::Accepted)
            return false;
        layout = dlg.layout();
        return true;
    };
    confirmImport = [this](const ImportPreview& p) { return TfrmDuiZhangDanYuLan(p, this).exec() == QDialog::Accepted; };
    editLine = [this](StatementLine& l) {
        TfrmDuiZhangDanEdit dlg(this);
        dlg.setLine(l);
        if (dlg.exec() != QDialog::Accepted)
            return false;
        l = dlg.line();
        return true;
    };

    onSignal(btnImport, &QPushButton::clicked, this, [this] { btnImportClick(); });
    onSignal(btnAddLine, &QPushButton::clicked, this, [this] { btnAddLineClick(); });
    onSignal(btnEditLine, &QPushButton::clicked, this, [this] { btnEditLineClick(); });
    onSignal(btnDeleteLine, &QPushButton::clicked, this, [this] { btnDeleteLineClick(); });
    onSignal(btnAutoMatch, &QPushButton::clicked, this, [this] { btnAutoMatchClick(); });
    onSignal(btnHandMatch, &QPushButton::clicked, this, [this] { btnHandMatchClick(); });
    onSignal(btnUnmatch, &QPushButton::clicked, this, [this] { btnUnmatchClick(); });
    onSignal(btnReconciliation, &QPushButton::clicked, this, [this] { btnReconciliationClick(); });
    onSignal(btnExit, &QPushButton::clicked, this, [this] { close(); });
    onSignal(ComboAccount, &QComboBox::currentIndexChanged, this, [this] { Refresh(); });
    onSignal(EditFrom, &QDateEdit::dateChanged, this, [this] { Refresh(); });
    onSignal(EditTo, &QDateEdit::dateChanged, this, [this] { Refresh(); });
    onSignal(CheckUnpaired, &QCheckBox::toggled, this, [this] { Refresh(); });
    onSignal(GridLines, &DBGrid::doubleClicked, this, [this] { btnEditLineClick(); });
}

TfrmYinHangDuiZhang::~TfrmYinHangDuiZhang()
{
    if (frmYinHangDuiZhang == this)
        frmYinHangDuiZhang = nullptr;
}

void TfrmYinHangDuiZhang::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        runGuarded([this] { FormShow(); });
}

void TfrmYinHangDuiZhang::FormShow()
{
    const QString chosen = ComboAccount->currentText();
    {
        const QSignalBlocker block(ComboAccount);
        ComboAccount->clear();
        ComboAccount->addItems(BankAccountNames());
        ComboAccount->setCurrentIndex(std::max(0, ComboAccount->findText(chosen)));
    }
    Refresh();
}

QString TfrmYinHangDuiZhang::account() const { return ComboAccount->currentText(); }

QString TfrmYinHangDuiZhang::requireAccount() const
{
    if (account().isEmpty())
        throw AppError(QStringLiteral("请先选择开户银行"));
    return account();
}

void TfrmYinHangDuiZhang::Refresh()
{
    const bool unpaired = CheckUnpaired->isChecked();
    const Connection::Statement e = ReconcileLists::entries(account(), EditFrom->date(), EditTo->date(), unpaired);
    const Connection::Statement l = ReconcileLists::lines(account(), EditFrom->date(), EditTo->date(), unpaired);
    Entries.close();
    Entries.open(e.sql, e.params);
    Lines.close();
    Lines.open(l.sql, l.params);
    const auto paired = [](const Dataset& ds) {
        int n = 0;
        const int f = ds.fieldIndex(ReconcileLists::pairedField);
        for (int r = 0; r < ds.rowCount(); ++r)
            n += ds.valueAt(r, f).toString().isEmpty() ? 0 : 1;
        return n;
    };
    LabelCounts->setText(QStringLiteral("日记账 %1 条，其中两清 %2 条；对账单 %3 条，其中两清 %4 条")
                             .arg(Entries.rowCount())
                             .arg(paired(Entries))
                             .arg(Lines.rowCount())
                             .arg(paired(Lines)));
}

QVector<qint64> TfrmYinHangDuiZhang::selectedKeys(const DBGrid* grid) const
{
    QVector<qint64> keys;
    const Dataset* ds = grid->dataset();
    QVector<int> rows = grid->selectedRows();
    if (rows.isEmpty() && ds->currentRow() >= 0)
        rows << ds->currentRow();
    for (int r : rows)
        keys << ds->valueAt(r, 0).toLongLong();
    return keys;
}

void TfrmYinHangDuiZhang::btnImportClick()
{
    requireAccount();
    const QString path = FileDialogs::current().openFile(this, QStringLiteral("导入对账单"),
                                                         QStringLiteral("对账单文件 (*.csv *.txt *.xls *.xlsx);;所有文件 (*)"));
    if (!path.isEmpty())
        importFile(path);
}

void TfrmYinHangDuiZhang::importFile(const QString& path)
{
    const QString acct = requireAccount();
    const SheetReader::Rows rows = SheetReader::read(path);
    std::optional<StatementLayout> layout = StatementImport::layoutFor(rows, acct);
    if (!layout) {
        StatementLayout chosen;
        if (!chooseLayout(rows, chosen))
            return;
        StatementImport::rememberLayout(acct, rows, chosen);
        layout = chosen;
    }
    const ImportPreview preview = StatementImport::preview(acct, path, StatementParse::lines(rows, *layout));
    if (!confirmImport(preview))
        return;
    const int stored = StatementImport::commit(preview, currentUser(), QDateTime::currentDateTime());
    Refresh();
    Messages::current().information(this, QStringLiteral("导入成功，共导入 %1 条，跳过已导入的 %2 条").arg(stored).arg(preview.duplicates), hint);
}

void TfrmYinHangDuiZhang::btnAddLineClick()
{
    const QString acct = requireAccount();
    StatementLine l;
    l.when = QDateTime(EditTo->date(), QTime(0, 0), Qt::UTC);
    if (!editLine(l))
        return;
    ReconcileLists::addLine(acct, l, currentUser(), QDateTime::currentDateTime());
    Refresh();
}

void TfrmYinHangDuiZhang::btnEditLineClick()
{
    if (Lines.currentRow() < 0) {
        Messages::current().information(this, QStringLiteral("请选择要修改的对账单记录"), hint);
        return;
    }
    const qint64 key = Lines.valueAt(Lines.currentRow(), 0).toLongLong();
    StatementLine l = ReconcileLists::line(key);
    if (!editLine(l))
        return;
    ReconcileLists::updateLine(key, l);
    Refresh();
}

void TfrmYinHangDuiZhang::btnDeleteLineClick()
{
    const QVector<qint64> keys = selectedKeys(GridLines);
    if (keys.isEmpty())
        return;
    if (!Messages::current().question(this, QStringLiteral("确定要删除所选的 %1 条对账单记录吗？").arg(keys.size()),
                                      QStringLiteral("系统提示")))
        return;
    ReconcileLists::deleteLines(keys);
    Refresh();
}

void TfrmYinHangDuiZhang::btnAutoMatchClick()
{
    const int made = Matching::autoReconcile(requireAccount(), EditFrom->date(), EditTo->date(), SpinDays->value(), currentUser(),
                                             QDateTime::currentDateTime());
    Refresh();
    Messages::current().information(this, QStringLiteral("自动对账完成，新对上 %1 笔").arg(made), hint);
}

void TfrmYinHangDuiZhang::btnHandMatchClick()
{
    const QString acct = requireAccount();
    try {
        Matching::pairByHand(acct, selectedKeys(GridEntries), selectedKeys(GridLines), currentUser(), QDateTime::currentDateTime());
    } catch (const AppError& e) {
        Messages::current().information(this, e.message(), hint);
        return;
    }
    Refresh();
}

void TfrmYinHangDuiZhang::btnUnmatchClick()
{
    const int undone = Matching::unpair(selectedKeys(GridEntries), selectedKeys(GridLines));
    if (undone == 0) {
        Messages::current().information(this, QStringLiteral("所选记录没有对账"), hint);
        return;
    }
    Refresh();
}

void TfrmYinHangDuiZhang::btnReconciliationClick()
{
    TfrmYinHangTiaoJieBiao dlg(requireAccount(), EditTo->date(), this);
    dlg.exec();
}
