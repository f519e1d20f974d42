#include "JournalEntry.h"

#include "ClosedMonths.h"
#include "Dataset.h"
#include "Money.h"
#include "Period.h"

namespace Journals {
namespace {
bool isAmountOrEmpty(const QString& text) { return text.trimmed().isEmpty() || Money::parse(text).has_value(); }
}

QString entryRefusal(const EntryInput& in)
{
    if (!isInPeriod(in.when, in.periodText))
        return QStringLiteral("只能在本记账年月记账!");
    if (in.kind == JournalKind::Bank && in.bankText.trimmed().isEmpty())
        return QStringLiteral("银行不能为空!");
    if (in.summaryText.trimmed().isEmpty())
        return QStringLiteral("摘要不能为空!");
    if (in.debitText.trimmed().isEmpty() && in.creditText.trimmed().isEmpty())
        return QStringLiteral("借方或贷方金额不能同时为空!");
    // A typed amount that is no number, or does not fit the money type, never reaches the table.
    if (!isAmountOrEmpty(in.debitText))
        return QStringLiteral("借方（增加）金额无效：请输入数字，最多四位小数，且不能超出金额范围!");
    if (!isAmountOrEmpty(in.creditText))
        return QStringLiteral("贷方（减少）金额无效：请输入数字，最多四位小数，且不能超出金额范围!");
    return {};
}

QString closedMonthRefusal(const QVariant& storedDate, const QDateTime& when)
{
    QStringList months;
    if (!storedDate.isNull())
        months << Dataset::parseDateTime(storedDate).toString(QStringLiteral("yyyy-MM"));
    months << when.toString(QStringLiteral("yyyy-MM"));
    for (const QString& m : months)
        if (ClosedMonths::isClosed(m))
            return ClosedMonths::refusal(m);
    return {};
}

QDateTime entryDateTime(const QDate& date, const QTime& time)
{
    return QDateTime(date, QTime(time.hour(), time.minute(), time.second()));
}

void stampEntry(Dataset& list, JournalKind kind, const QString& currentUser, const QDateTime& when, const QString& bankText)
{
    const JournalDesign& d = designOf(kind);
    list.setValue(JournalField::operatorName, currentUser);
    list.setDateTime(d.dateField, when);
    if (d.isBank())
        list.setValue(JournalField::account, bankText.trimmed());
}
}
