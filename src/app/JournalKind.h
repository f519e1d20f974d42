#pragma once
// The two journals share one design; what differs between them is data, held here.
#include "Tables.h"

#include <QString>

enum class JournalKind { Cash, Bank };

struct JournalDesign {
    JournalKind kind;
    QString table;         // Table::cash / Table::bank
    QString dateField;     // the business date, YeWuRQ (the bank spells it yewuRQ)
    QString summaryField;  // ZhanYao / Zhanyao
    QString categoryField; // ZhanYaoType / Shuxing
    QString invoiceField;  // faPiaoDW / FaPiaoDW
    QString caption;       // window caption and title
    QString exportName;    // default file name of the grid export
    bool isBank() const { return kind == JournalKind::Bank; }
};

const JournalDesign& designOf(JournalKind kind);
