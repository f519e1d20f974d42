#include "JournalWindow.h"
#include "Maximise.h"

#include "Application.h"
#include "Balances.h"
#include "DBGrid.h"
#include "JournalEntryDialog.h"
#include "Messages.h"
#include "Period.h"
#include "uDM.h"

#include <QEvent>
#include <QShowEvent>
#include <QLabel>
#include <QStyle>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <optional>

namespace {
// The width the grid gives a column whose design left it at the default.
constexpr int defaultWidth = 64;
constexpr int panelHeight = 41;

GridColumn centred(GridColumn c) { return c.aligned(Qt::AlignCenter); }

// Suspends a widget's repainting for a scope, also when an error leaves it.
class RepaintSuspended {
public:
    explicit RepaintSuspended(QWidget* w) : w_(w) { w_->setUpdatesEnabled(false); }
    ~RepaintSuspended() { w_->setUpdatesEnabled(true); }
    RepaintSuspended(const RepaintSuspended&) = delete;
    RepaintSuspended& operator=(const RepaintSuspended&) = delete;

private:
    QWidget* w_;
};
} // namespace

QVector<GridColumn> JournalWindow::columnsOf(JournalKind kind)
{
    using C = GridColumn;
    namespace F = JournalField;
    const JournalDesign& d = designOf(kind);
    const QString debit = QStringLiteral("借方（增加）"), credit = QStringLiteral("贷方（减少）");
    QVector<GridColumn> cols;
    if (kind == JournalKind::Cash) {
        cols = {C::dateTime(d.dateField, QStringLiteral("日期"), 97).footed(QStringLiteral("合计")),
                C::text(F::voucher, QStringLiteral("凭证号"), 72),
                C::text(d.summaryField, QStringLiteral("摘要"), 105),
                C::text(F::detail, QStringLiteral("明细"), 76),
                C::text(d.categoryField, QStringLiteral("摘要类型"), 69).hidden(),
                C::money(F::openingAmount, F::openingAmount, 44).hidden(),
                C::money(F::debit, debit, 82).summed(),
                C::money(F::credit, credit, 85).summed(),
                C::money(F::balance, QStringLiteral("余额"), 68),
                C::text(F::handler, QStringLiteral("经办人"), defaultWidth),
                C::text(F::operatorName, QStringLiteral("操作人"), defaultWidth).hidden(),
                C::dateTime(F::enteredAt, QStringLiteral("操作日期"), defaultWidth).hidden(),
                C::text(F::remark, QStringLiteral("备注"), 83),
                C::text(d.invoiceField, QStringLiteral("发票单位"), 58),
                C::text(F::subjectCode, QStringLiteral("科目单位"), 121)};
    } else {
        cols = {C::text(F::account, QStringLiteral("开户银行"), 124).footed(QStringLiteral("合计")),
                C::dateTime(d.dateField, QStringLiteral("日期"), defaultWidth),
                C::text(F::voucher, QStringLiteral("凭证号"), 96),
                C::text(d.summaryField, QStringLiteral("摘要"), 114),
                C::text(F::detail, QStringLiteral("明细"), 78),
                C::money(F::debit, debit, defaultWidth).summed(),
                C::money(F::credit, credit, defaultWidth).summed(),
                C::money(F::balance, QStringLiteral("余额"), defaultWidth),
                C::text(F::handler, QStringLiteral("经办人"), defaultWidth),
                C::text(d.invoiceField, QStringLiteral("发票单位"), 120),
                C::text(F::remark, QStringLiteral("备注"), 82)};
    }
    for (GridColumn& c : cols)
        c = centred(c);
    return cols;
}

GridPrinter::Options JournalWindow::printOptionsOf(JournalKind kind)
{
    return kind == JournalKind::Cash ? GridPrinter::Options() : GridPrinter::AllOptions;
}

JournalWindow::JournalWindow(QWidget* owner, JournalKind kind) : QDialog(owner), design_(designOf(kind))
{
    setWindowTitle(design_.caption);
    QFont f = font();
    f.setPixelSize(12);
    setFont(f);

    ADOQuery1.setTable(design_.table, JournalField::key);

    // The toolbar in its order; the designer names of the refresh and search buttons differ.
    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    ToolBar1->setIconSize(QSize(24, 24));
    const bool cash = kind == JournalKind::Cash;
    struct Button {
        QToolButton** member;
        const char* name;
        QString caption;
        QStyle::StandardPixmap icon;
        void (JournalWindow::*handler)();
    };
    const Button buttons[] = {
        {&RzToolButton1, "RzToolButton1", QStringLiteral("导出"), QStyle::SP_DialogSaveButton, &JournalWindow::exportClick},
        {&RzToolButton2, "RzToolButton2", QStringLiteral("新增"), QStyle::SP_FileIcon, &JournalWindow::newClick},
        {&RzToolButton3, "RzToolButton3", QStringLiteral("编辑"), QStyle::SP_FileDialogDetailedView, &JournalWindow::editClick},
        {&RzToolButton4, "RzToolButton4", QStringLiteral("删除"), QStyle::SP_TrashIcon, &JournalWindow::deleteClick},
        {&RzToolButton5, "RzToolButton5", QStringLiteral("打印"), QStyle::SP_FileDialogContentsView, &JournalWindow::printClick},
        {cash ? &RzToolButton7 : &RzToolButton6, cash ? "RzToolButton7" : "RzToolButton6",
         QStringLiteral("刷新本记账年月数据"), QStyle::SP_BrowserReload, &JournalWindow::refreshClick},
        {cash ? &RzToolButton6 : &RzToolButton7, cash ? "RzToolButton6" : "RzToolButton7",
         cash ? QStringLiteral("查询 ") : QStringLiteral("查询"), QStyle::SP_FileDialogContentsView, &JournalWindow::searchClick},
        {&RzToolButton8, "RzToolButton8", QStringLiteral("退出"), QStyle::SP_DialogCloseButton, &JournalWindow::exitClick},
    };
    for (const Button& b : buttons) {
        auto* tb = new QToolButton(ToolBar1);
        tb->setObjectName(QString::fromLatin1(b.name));
        tb->setText(b.caption);
        tb->setIcon(style()->standardIcon(b.icon));
        tb->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        tb->setAutoRaise(true);
        ToolBar1->addWidget(tb);
        *b.member = tb;
        const auto handler = b.handler;
        onSignal(tb, &QToolButton::clicked, this, [this, handler] { (this->*handler)(); });
    }

    // The title panel: white, the month label on the left, the title from the middle on.
    RzPanel1 = new QWidget(this);
    RzPanel1->setObjectName(QStringLiteral("RzPanel1"));
    RzPanel1->setFixedHeight(panelHeight);
    RzPanel1->setAutoFillBackground(true);
    QPalette pp = RzPanel1->palette();
    pp.setColor(QPalette::Window, Qt::white);
    RzPanel1->setPalette(pp);
    Label1 = new QLabel(QStringLiteral("本记账年月日期："), RzPanel1);
    Label2 = new QLabel(RzPanel1);
    for (QLabel* l : {Label1, Label2}) {
        QPalette lp = l->palette();
        lp.setColor(QPalette::WindowText, Qt::blue);
        l->setPalette(lp);
    }
    Label3 = new QLabel(design_.caption, RzPanel1);
    QFont tf = Label3->font();
    tf.setPixelSize(19);
    tf.setBold(true);
    Label3->setFont(tf);
    Label3->adjustSize();
    Label1->adjustSize();
    Label1->move(12, (panelHeight - Label1->height()) / 2);
    Label2->move(Label1->x() + Label1->width(), Label1->y());
    RzPanel1->installEventFilter(this);

    DBGridEh1 = new DBGrid(this);
    DBGridEh1->setObjectName(QStringLiteral("DBGridEh1"));
    DBGridEh1->setColumns(columnsOf(kind));
    DBGridEh1->setDataset(&ADOQuery1);
    DBGridEh1->setMultiSelect(cash);

    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);
    lay->addWidget(ToolBar1);
    lay->addWidget(RzPanel1);
    lay->addWidget(DBGridEh1, 1);

    resize(900, 600);
    maximise(this);
    FormCanResize();
}

JournalWindow::~JournalWindow() = default;

void JournalWindow::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        runGuarded([this] { FormShow(); });
}

bool JournalWindow::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == RzPanel1 && e->type() == QEvent::Resize)
        FormCanResize();
    return QDialog::eventFilter(watched, e);
}

void JournalWindow::FormCanResize()
{
    Label3->move(RzPanel1->width() / 2, (panelHeight - Label3->height()) / 2);
}

void JournalWindow::FormShow()
{
    const QString period = GetPeriodDate();
    Journals::OpenPeriodListing(ADOQuery1, kind(), period, DM->CurrentUser);
    Label2->setText(periodLabel(period));
    Label2->adjustSize();
}

void JournalWindow::refreshClick()
{
    Journals::OpenPeriodListing(ADOQuery1, kind(), GetPeriodDate(), DM->CurrentUser);
}

void JournalWindow::exportClick() { DM->ExportGrid(DBGridEh1, design_.exportName); }

void JournalWindow::printClick()
{
    GridPrinter printer(DBGridEh1, printOptionsOf(kind()), this);
    printer.preview(this);
}

void JournalWindow::searchClick() { openSearch(); }

void JournalWindow::exitClick() { close(); }

void JournalWindow::newClick()
{
    std::unique_ptr<JournalEntryDialog> dialog = createEntryDialog();
    dialog->setPickers(QDateTime::currentDateTime());
    ADOQuery1.append();
    showEntryDialog(*dialog);
}

void JournalWindow::editClick()
{
    if (!ADOQuery1.isOpen() || ADOQuery1.currentRow() < 0) {
        Messages::current().information(this, QStringLiteral("请选择要修改的记录"));
        return;
    }
    ADOQuery1.edit();
    std::unique_ptr<JournalEntryDialog> dialog = createEntryDialog();
    dialog->setPickers(ADOQuery1.dateTime(design_.dateField));
    if (design_.isBank())
        dialog->selectAccount(ADOQuery1.text(JournalField::account));
    showEntryDialog(*dialog);
}

void JournalWindow::showEntryDialog(JournalEntryDialog& dialog)
{
    dialog.exec();
    // Whatever the dialog saved is in the list already; a pending change was discarded on close.
}

void JournalWindow::deleteClick()
{
    if (!ADOQuery1.isOpen() || ADOQuery1.currentRow() < 0 || ADOQuery1.isNull(JournalField::key))
        return;
    if (!Messages::current().question(this, QStringLiteral("确定要删除该条记录吗？"), QStringLiteral("系统 提示")))
        return;
    // The bank list shrinks to one account; the grid repaints once, after the rewrite.
    std::optional<RepaintSuspended> suspended;
    if (design_.isBank())
        suspended.emplace(DBGridEh1);
    Journals::DeleteEntry(ADOQuery1, kind(), GetPeriodDate(), DM->CurrentUser);
}
