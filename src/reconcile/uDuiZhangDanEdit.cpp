#include "uDuiZhangDanEdit.h"

#include "AppError.h"
#include "Application.h"
#include "Messages.h"
#include "ReconcileLists.h"

#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
// An amount box: empty reads as zero, anything else must be a plain amount.
Money amountOf(const QLineEdit* box, const QString& caption)
{
    const QString t = box->text().trimmed();
    if (t.isEmpty())
        return Money();
    const auto m = Money::parse(t);
    if (!m)
        throw AppError(caption + QStringLiteral("不是有效的金额"));
    return *m;
}
} // namespace

TfrmDuiZhangDanEdit::TfrmDuiZhangDanEdit(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("对账单记录"));
    EditWhen = new QDateTimeEdit(QDateTime::currentDateTime(), this);
    EditWhen->setDisplayFormat(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    EditWhen->setCalendarPopup(true);
    EditSummary = new QLineEdit(this);
    EditSummary->setMaxLength(200);
    EditIn = new QLineEdit(this);
    EditOut = new QLineEdit(this);
    EditBalance = new QLineEdit(this);
    EditCounterparty = new QLineEdit(this);
    EditCounterparty->setMaxLength(100);
    EditSerial = new QLineEdit(this);
    EditSerial->setMaxLength(60);

    auto* form = new QFormLayout(this);
    const auto row = [&](const QString& caption, QWidget* box) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(box);
        form->addRow(label, box);
    };
    row(QStringLiteral("交易日期："), EditWhen);
    row(QStringLiteral("摘要："), EditSummary);
    row(QStringLiteral("收入（贷方）："), EditIn);
    row(QStringLiteral("支出（借方）："), EditOut);
    row(QStringLiteral("余额："), EditBalance);
    row(QStringLiteral("对方户名："), EditCounterparty);
    row(QStringLiteral("流水号："), EditSerial);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* save = buttons->addButton(QStringLiteral("保存"), QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    save->setDefault(true);
    form->addRow(buttons);
    setMinimumWidth(380);

    onSignal(save, &QPushButton::clicked, this, [this] { btnSaveClick(); });
    onSignal(cancel, &QPushButton::clicked, this, [this] { reject(); });
}

void TfrmDuiZhangDanEdit::setLine(const StatementLine& l)
{
    EditWhen->setDateTime(QDateTime(l.when.date(), l.when.time()));
    EditSummary->setText(l.summary);
    EditIn->setText(l.in.isZero() ? QString() : l.in.toString());
    EditOut->setText(l.out.isZero() ? QString() : l.out.toString());
    EditBalance->setText(l.balance ? l.balance->toString() : QString());
    EditCounterparty->setText(l.counterparty);
    EditSerial->setText(l.serial);
}

StatementLine TfrmDuiZhangDanEdit::line() const
{
    StatementLine l;
    const QDateTime t = EditWhen->dateTime();
    l.when = QDateTime(t.date(), t.time(), Qt::UTC);
    l.summary = EditSummary->text().trimmed();
    l.in = amountOf(EditIn, QStringLiteral("收入"));
    l.out = amountOf(EditOut, QStringLiteral("支出"));
    if (!EditBalance->text().trimmed().isEmpty())
        l.balance = amountOf(EditBalance, QStringLiteral("余额"));
    l.counterparty = EditCounterparty->text().trimmed();
    l.serial = EditSerial->text().trimmed();
    return l;
}

void TfrmDuiZhangDanEdit::btnSaveClick()
{
    try {
        ReconcileLists::checkTypedLine(line());
    } catch (const AppError& e) {
        Messages::current().information(this, e.message(), QStringLiteral("提示"));
        return;
    }
    accept();
}
