#pragma once
// The journal search: the criteria of the search dialogs turned into one bound statement.
#include "Connection.h"
#include "JournalKind.h"

#include <QDate>
#include <QString>

// The texts and dates of the search dialog, as the operator left them (not yet trimmed).
struct SearchCriteria {
    QString bank;        // bank journal only
    QDate from, to;      // the range covers the whole of `to`, up to the next midnight inclusive
    QString voucher;     // PingZhengNo
    QString summary;     // zhanyao
    QString debitMin, debitMax;   // JieFang, whole amounts; both or neither
    QString creditMin, creditMax; // DaiFang, likewise
    QString invoiceUnit; // FaPiaoDW
    QString detail;      // Detail
    QString handler;     // JingBR
    QString remark;      // Remark
};

// Leading and trailing blanks and control characters removed.
QString trimCriterion(const QString& text);

// The statement over the journal table for `user`'s entries, ordered by date. Every value is
// bound. An amount bound that is not a whole number raises AppError naming the field.
Connection::Statement buildSearch(JournalKind journal, const SearchCriteria& c, const QString& user);
