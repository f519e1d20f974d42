#pragma once
// The entry dialogs' rules, without a window: the save checks and the stamps.
#include "JournalKind.h"

#include <QDateTime>
#include <QString>

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

// A date and a time of day as the entry's business date, to whole seconds.
QDateTime entryDateTime(const QDate& date, const QTime& time);

// Stamps the pending row before its post: operator, business date, for the bank the account
// (surrounding blanks removed).
void stampEntry(Dataset& list, JournalKind kind, const QString& currentUser, const QDateTime& when,
                const QString& bankText = QString());
}
