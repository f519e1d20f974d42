#include "JournalEntryDialog.h"
#include "Maximise.h"

#include "Application.h"
#include "BankAccounts.h"
#include "Balances.h"
#include "DBEdit.h"
#include "Dataset.h"
#include "JournalEntry.h"
#include "Messages.h"
#include "Period.h"
#include "uDM.h"
#include "uZhanYao.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTimeEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const QString increase = QStringLiteral("增加");
const QString decrease = QStringLiteral("减少");
const QString hint = QStringLiteral("提示");

QColor windowColour(const QWidget* w) { return QApplication::palette(w).color(QPalette::Base); }

void paint(QWidget* w, const QColor& c)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Base, c);
    w->setPalette(p);
}

void setBoxState(DBEdit* box, bool editable, bool blue)
{
    box->setReadOnly(!editable);
    paint(box, blue ? JournalEntryDialog::skyBlue() : windowColour(box));
}
} // namespace

QStringList JournalEntryDialog::boxNames(JournalKind kind)
{
    if (kind == JournalKind::Cash)
        return {QStringLiteral("DBEdit1"), QStringLiteral("DBEdit2"), QStringLiteral("DBEdit8"), QStringLiteral("DBEdit3"),
                QStringLiteral("DBEdit4"), QStringLiteral("DBEdit5"), QStringLiteral("DBEdit6"), QStringLiteral("DBEdit7"),
                QStringLiteral("DBEdit10"), QStringLiteral("DBEdit9")};
    return {QStringLiteral("DBEdit2"), QStringLiteral("DBEdit3"), QStringLiteral("DBEdit1"), QStringLiteral("DBEdit4"),
            QStringLiteral("DBEdit6"), QStringLiteral("DBEdit7"), QStringLiteral("DBEdit8"), QStringLiteral("DBEdit9"),
            QStringLiteral("DBEdit5"), QStringLiteral("DBEdit10")};
}

JournalEntryDialog::JournalEntryDialog(QWidget* owner, Dataset& list, JournalKind kind)
    : QDialog(owner), list_(&list), design_(designOf(kind))
{
    // While the dialog edits the journal's list, a move off its pending row saves as "保存" does.
    list.setSaveBeforeMove([this] { saveEntry(); });
    const bool bank = design_.isBank();
    setWindowTitle(design_.caption);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto* form = new QGridLayout;
    form->setHorizontalSpacing(6);
    form->setVerticalSpacing(4);
    int row = 0;
    auto addRow = [&](const QString& caption, QWidget* box, QWidget* extra = nullptr) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(box);
        form->addWidget(label, row, 0);
        if (extra) {
            auto* pair = new QHBoxLayout;
            pair->setSpacing(4);
            pair->addWidget(box, 1);
            pair->addWidget(extra);
            form->addLayout(pair, row, 1);
        } else {
            form->addWidget(box, row, 1);
        }
        ++row;
    };

    DateTimePicker1 = new QDateEdit(this);
    DateTimePicker1->setObjectName(QStringLiteral("DateTimePicker1"));
    DateTimePicker1->setCalendarPopup(true);
    DateTimePicker1->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    DateTimePicker2 = new QTimeEdit(this);
    DateTimePicker2->setObjectName(QStringLiteral("DateTimePicker2"));
    DateTimePicker2->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    DateTimePicker2->setAccessibleName(QStringLiteral("时间"));
    addRow(QStringLiteral("日期"), DateTimePicker1, DateTimePicker2);

    if (bank) {
        ComboBox1 = new QComboBox(this);
        ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
        ComboBox1->setEditable(true);
        ComboBox1->setInsertPolicy(QComboBox::NoInsert);
        ComboBox1->addItems(BankAccountNames());
        ComboBox1->setCurrentIndex(-1);
        ComboBox1->clearEditText();
        addRow(QStringLiteral("银行"), ComboBox1);
    }

    const QStringList names = boxNames(kind);
    auto box = [&](int i, const QString& field, DBEdit::Kind k = DBEdit::Kind::Text) {
        auto* e = new DBEdit(this);
        e->setObjectName(names.at(i));
        e->bind(list_, field, k);
        return e;
    };
    voucherBox = box(0, JournalField::voucher);
    addRow(QStringLiteral("凭证号"), voucherBox);
    summaryBox = box(1, design_.summaryField);
    summaryButton = new QToolButton(this);
    summaryButton->setObjectName(bank ? QStringLiteral("RzBitBtn2") : QStringLiteral("RzBitBtn1"));
    summaryButton->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    summaryButton->setToolTip(QStringLiteral("选择摘要"));
    summaryButton->setAccessibleName(QStringLiteral("选择摘要"));
    addRow(QStringLiteral("摘要"), summaryBox, summaryButton);
    categoryBox = box(2, design_.categoryField);
    addRow(QStringLiteral("摘要类型"), categoryBox);
    detailBox = box(3, JournalField::detail);
    addRow(QStringLiteral("明细"), detailBox);
    debitBox = box(4, JournalField::debit, DBEdit::Kind::Money);
    addRow(QStringLiteral("借方（增加）"), debitBox);
    creditBox = box(5, JournalField::credit, DBEdit::Kind::Money);
    addRow(QStringLiteral("贷方（减少）"), creditBox);
    balanceBox = box(6, JournalField::balance, DBEdit::Kind::Money);
    addRow(QStringLiteral("余额"), balanceBox);
    invoiceBox = box(7, design_.invoiceField);
    addRow(QStringLiteral("发票单位"), invoiceBox);
    handlerBox = box(8, JournalField::handler);
    addRow(QStringLiteral("经办人"), handlerBox);
    remarkBox = box(9, JournalField::remark);
    addRow(QStringLiteral("备注"), remarkBox);
    form->setColumnStretch(1, 1);

    // The summary and its category come from the catalogue only; the balance from the rewrite.
    setBoxState(summaryBox, false, true);
    setBoxState(categoryBox, false, true);
    setBoxState(balanceBox, false, !bank);
    setBoxState(debitBox, true, false);
    setBoxState(creditBox, true, false);

    btnAdd = new QPushButton(QStringLiteral("增加"), this);
    btnSave = new QPushButton(QStringLiteral("保存"), this);
    btnCancel = new QPushButton(QStringLiteral("取消"), this);
    btnExit = new QPushButton(QStringLiteral("退出"), this);
    auto* buttons = new QVBoxLayout;
    const QList<QPushButton*> order = bank ? QList<QPushButton*>{btnAdd, btnCancel, btnSave, btnExit}
                                           : QList<QPushButton*>{btnAdd, btnSave, btnCancel, btnExit};
    for (QPushButton* b : order) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    btnAdd->setObjectName(QStringLiteral("btnAdd"));
    btnSave->setObjectName(QStringLiteral("btnSave"));
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnExit->setObjectName(QStringLiteral("btnExit"));

    auto* body = new QHBoxLayout;
    body->addLayout(form, 1);
    body->addSpacing(8);
    body->addLayout(buttons);
    auto* outer = new QVBoxLayout(this);
    if (bank) {
        outer->addLayout(body);
        outer->addStretch(1);
    } else {
        // Maximised, the form keeps its size in the middle of the screen.
        auto* centre = new QHBoxLayout;
        centre->addStretch(1);
        centre->addLayout(body, 0);
        centre->addStretch(1);
        outer->addStretch(1);
        outer->addLayout(centre);
        outer->addStretch(2);
        for (QWidget* w : {static_cast<QWidget*>(summaryBox), static_cast<QWidget*>(voucherBox)})
            w->setMinimumWidth(260);
    }

    // Tab order follows the layout: the boxes top to bottom, then the buttons in their order.
    QList<QWidget*> chain{DateTimePicker1, DateTimePicker2};
    if (ComboBox1)
        chain << ComboBox1;
    chain << voucherBox << summaryBox << summaryButton << categoryBox << detailBox << debitBox << creditBox << balanceBox
          << invoiceBox << handlerBox << remarkBox;
    for (QPushButton* b : order)
        chain << b;
    for (int i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);

    onSignal(btnAdd, &QPushButton::clicked, this, [this] { btnAddClick(); });
    onSignal(btnSave, &QPushButton::clicked, this, [this] { btnSaveClick(); });
    onSignal(btnCancel, &QPushButton::clicked, this, [this] { btnCancelClick(); });
    onSignal(btnExit, &QPushButton::clicked, this, [this] { btnExitClick(); });
    onSignal(summaryButton, &QToolButton::clicked, this, [this] { summaryButtonClick(); });
    // The buttons follow the list's state whenever it changes (typing into a box starts an edit).
    connect(list_, &Dataset::stateChanged, this, &JournalEntryDialog::UpdateButtons);

    if (bank) {
        setFixedSize(385, 371);
    } else {
        resize(640, 480);
        maximise(this);
    }
    UpdateButtons();
}

JournalEntryDialog::~JournalEntryDialog()
{
    discardPending();
    if (list_)
        list_->setSaveBeforeMove({});
}

Dataset& JournalEntryDialog::list() const { return *list_; }

void JournalEntryDialog::discardPending()
{
    if (list_ && list_->isEditing())
        list_->cancel();
}

void JournalEntryDialog::done(int result)
{
    runGuarded([this] { discardPending(); });
    QDialog::done(result);
}

void JournalEntryDialog::setPickers(const QDateTime& when)
{
    DateTimePicker1->setDate(when.date());
    DateTimePicker2->setTime(when.time());
}

void JournalEntryDialog::selectAccount(const QString& account)
{
    if (!ComboBox1)
        return;
    const int i = ComboBox1->findText(account, Qt::MatchFixedString);
    ComboBox1->setCurrentIndex(i);
    if (i < 0)
        ComboBox1->clearEditText();
}

void JournalEntryDialog::UpdateButtons()
{
    const bool pending = list_ && list_->isEditing();
    btnAdd->setEnabled(!pending);
    btnSave->setEnabled(pending);
    btnCancel->setEnabled(pending);
    btnExit->setEnabled(true);
}

void JournalEntryDialog::btnAddClick()
{
    if (list_->isEditing())
        return;
    list_->append();
    UpdateButtons();
    setPickers(QDateTime::currentDateTime());
}

void JournalEntryDialog::applyCategory(const QString& category)
{
    if (category == increase) {
        setBoxState(debitBox, true, true);
        setBoxState(creditBox, false, false);
    } else if (category == decrease) {
        setBoxState(debitBox, false, false);
        setBoxState(creditBox, true, true);
    } else {
        setBoxState(debitBox, false, false);
        setBoxState(creditBox, true, false);
    }
}

void JournalEntryDialog::summaryButtonClick()
{
    if (!frmZhanYao)
        frmZhanYao = new TfrmZhanYao(this);
    frmZhanYao->exec();
    // However the catalogue was closed, the last pick of the run is applied.
    if (!list_->isEditing())
        list_->edit();
    list_->setValue(design_.summaryField, PickedSummary.ZhanYao);
    list_->setValue(design_.categoryField, PickedSummary.ZYType);
    list_->setValue(JournalField::subjectCode, PickedSummary.KuMuCode);
    applyCategory(PickedSummary.ZYType);
    list_->setMoney(JournalField::debit, Money());
    list_->setMoney(JournalField::credit, Money());
    UpdateButtons();
}

void JournalEntryDialog::btnSaveClick()
{
    if (!saveEntry())
        return;
    Messages::current().information(this, QStringLiteral("保存成功!"), hint);
    UpdateButtons();
}

bool JournalEntryDialog::saveEntry()
{
    if (!list_->isEditing())
        return false;
    Journals::EntryInput in;
    in.kind = kind();
    in.when = Journals::entryDateTime(DateTimePicker1->date(), DateTimePicker2->time());
    in.periodText = GetPeriodDate();
    in.bankText = ComboBox1 ? ComboBox1->currentText() : QString();
    in.summaryText = summaryBox->text();
    in.debitText = debitBox->text();
    in.creditText = creditBox->text();
    const QString refusal = Journals::entryRefusal(in);
    if (!refusal.isEmpty()) {
        Messages::current().information(this, refusal, hint);
        return false;
    }
    const QString account = in.bankText.trimmed();
    Journals::stampEntry(*list_, kind(), DM->CurrentUser, in.when, account);
    Journals::SaveEntry(*list_, kind(), GetPeriodDate(), DM->CurrentUser, account);
    return true;
}

void JournalEntryDialog::btnCancelClick()
{
    list_->cancel();
    UpdateButtons();
}

void JournalEntryDialog::btnExitClick() { close(); }
