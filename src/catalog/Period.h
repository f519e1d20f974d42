#pragma once
// The accounting period: one stored date of which only year and month matter.
#include <QDateTime>
#include <QString>

// The stored period date and time of the first FinscalYearMonth row; invalid when there is none.
QDateTime StoredPeriod();
// Sets every FinscalYearMonth row to `value` (date and time of day as given).
void SavePeriod(const QDateTime& value);

// The period text "yyyy-MM-dd" of the first FinscalYearMonth row, read afresh on every call;
// "1899-12-30" when the table is empty.
QString GetPeriodDate();

// The month of a period text as a half-open range of stored date texts, for the lists'
// "date >= from AND date < to" conditions.
struct PeriodRange {
    QString from; // "yyyy-MM-01 00:00:00"
    QString to;   // the first instant of the next month
};
PeriodRange periodRange(const QString& periodText);

// The entry dialogs' form of the same rule: the first seven characters ("yyyy-MM") agree.
bool isInPeriod(const QDateTime& when, const QString& periodText);

// "2024年03月" for any period text of March 2024.
QString periodLabel(const QString& periodText);
