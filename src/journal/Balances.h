#pragma once
// The running balance of a journal and the two changes that move it: saving and deleting an
// entry. A balance set is one operator's entries of the accounting month (for the bank, of one
// account); each balance is the set's debits minus its credits up to and including the entry,
// in date order with ties broken by the automatic key.
#include "JournalKind.h"

#include <QString>
#include <QVariantList>

class Dataset;

namespace Journals {
struct Statement {
    QString sql;
    QVariantList params;
};

// The order of a balance set's members (an ORDER BY list of the journal's columns).
QString setOrder(JournalKind kind);

// The operator's entries of the period, in date order: what a journal window lists.
Statement periodListing(JournalKind kind, const QString& periodText, const QString& currentUser);
// The members of a balance set, in the set's order.
Statement balanceSet(JournalKind kind, const QString& periodText, const QString& currentUser,
                     const QString& bankAccount = QString());
// Writes every balance of the set in one statement; entries outside the set are not touched.
Statement balanceRewrite(JournalKind kind, const QString& periodText, const QString& currentUser,
                         const QString& bankAccount = QString());

// Lists the period into `list`.
void OpenPeriodListing(Dataset& list, JournalKind kind, const QString& periodText, const QString& currentUser);

// The bank account an entry belongs to, as stored; an empty value gives an empty text.
QString accountOf(const QVariant& stored);

// Saves the list's pending row (inserting or editing) and rewrites its balance set, in one
// transaction; the set an edited entry left and the one it joined are rewritten too. The row must already carry its stamps. On success the list holds the balance set,
// positioned on its last row; on any error nothing is stored, the row stays pending and the
// error propagates.
void SaveEntry(Dataset& list, JournalKind kind, const QString& periodText, const QString& currentUser,
               const QString& bankAccount = QString());

// Deletes the list's current entry and rewrites the balance set of the period (for the bank, of
// the deleted entry's account), in one transaction, with the set the entry belonged to. On success the list holds that set; on any
// error nothing changes and the entry stays listed. Returns false when there was no entry.
bool DeleteEntry(Dataset& list, JournalKind kind, const QString& periodText, const QString& currentUser);
}

// Rewrites the balances of the set and leaves `list` open on it, positioned on its last row.
// Callers that change an entry run this inside the change's transaction (SaveEntry, DeleteEntry).
void RewriteBalances(Dataset& list, JournalKind kind, const QString& periodText, const QString& currentUser,
                     const QString& bankAccount = QString());
