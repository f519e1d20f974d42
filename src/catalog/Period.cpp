#include "Period.h"

#include "Connection.h"
#include "Dataset.h"

QString GetPeriodDate()
{
    const QVariant v = Connection::instance().scalar(QStringLiteral("Select YearMonth from FinscalYearMonth "));
    const QDateTime t = Dataset::parseDateTime(v);
    if (!t.isValid())
        return QStringLiteral("1899-12-30");
    return t.date().toString(QStringLiteral("yyyy-MM-dd"));
}

PeriodRange periodRange(const QString& periodText)
{
    const QDate d = QDate::fromString(periodText, QStringLiteral("yyyy-MM-dd"));
    const QDate first(d.year(), d.month(), 1);
    const QString fmt = QStringLiteral("yyyy-MM-dd 00:00:00");
    return {first.toString(fmt), first.addMonths(1).toString(fmt)};
}

bool isInPeriod(const QDateTime& when, const QString& periodText)
{
    return when.date().toString(QStringLiteral("yyyy-MM-dd")).left(7) == periodText.left(7);
}

QString periodLabel(const QString& periodText)
{
    return periodText.left(4) + QStringLiteral("年") + periodText.mid(5, 2) + QStringLiteral("月");
}
