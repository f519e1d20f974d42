#pragma once
// The entry dialogs' rules, without a window: the save checks and the stamps.
#include "JournalKind.h"

#include <QDateTime>
#include <QString>
#include <QVariant>

class Dataset;

namespace Journals {
struct EntryInput {
    QDateTime when;      // the pickers' date and time of day
    QString periodText;  // GetPeriodDate()
    JournalKind kind = JournalKind::Cash;
    QString bankText;    // bank only: the account box's text
    QString summaryText;
    QString debitText;
    QString creditText;
};

// The message of the first failed save check, in their order; empty when the entry may be saved.
QString entryRefusal(const EntryInput& input);

// The store's refusal ("<yyyy>年<MM>月已结账，不能修改") when the entry is dated in a closed month
// (`storedDate`: its date as stored, null for a new entry) or is to be dated in one; else empty.
QString closedMonthRefusal(const QVariant& storedDate, const QDateTime& when);

// A date and a time of day as the entry's business date, to whole seconds.
QDateTime entryDateTime(const QDate& date, const QTime& time);

// Stamps the pending row before its post: operator, business date, for the bank the account
// (surrounding blanks removed).
void stampEntry(Dataset& list, JournalKind kind, const QString& currentUser, const QDateTime& when,
                const QString& bankText = QString());
}
