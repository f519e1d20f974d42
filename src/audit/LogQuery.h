#pragma once
// The rows of the operation log that the window lists: its filters as one statement, newest first.
#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace LogQuery {

struct Filter {
    QDate from, to;         // either may be null: open at that end
    QString operatorName;   // empty: every operator
    QString kind;           // empty: every kind
    QString table;          // a logged table's name; empty: every table (and none)
    QString text;           // empty, or a text some before or after value contains
};

struct Statement {
    QString sql;
    QVariantList params;
};

// The window's listing. Beside the log's own fields it gives the table's caption as `BiaoMingMC`.
Statement listing(const Filter& f);
inline const QString tableCaptionField = QStringLiteral("BiaoMingMC");

// The operators the log names, for the filter's list.
QStringList operators();

// The caption of a logged table ("现金日记账" for XJRJZ); the name itself when there is none.
QString tableCaption(const QString& table);

} // namespace LogQuery
