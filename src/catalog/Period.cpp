#include "Period.h"

#include "Connection.h"
#include "Dataset.h"
#include "Tables.h"

QDateTime StoredPeriod()
{
    return Dataset::parseDateTime(Connection::instance().scalar(QStringLiteral("Select %1 from %2 ").arg(PeriodField::yearMonth, Table::period)));
}

void SavePeriod(const QDateTime& value)
{
    Connection::instance().run(QStringLiteral("UPdate %1 Set %2=:D ").arg(Table::period, PeriodField::yearMonth), {Dataset::dateTimeText(value)});
}

QString GetPeriodDate()
{
    const QDateTime t = StoredPeriod();
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
