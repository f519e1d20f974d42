#pragma once
// One log row's before and after values, field by field, for reading side by side.
#include <QString>
#include <QVector>

struct FieldChange {
    QString field;    // the column (or value) name as logged
    QString caption;  // what the window calls it
    QString before;   // as shown: money in yuan, null as empty
    QString after;
    bool changed;     // the value differs between before and after
};

// Fields in the table's column order, then any others as logged. `before` and `after` are the
// log's JSON texts (either may be empty).
QVector<FieldChange> changeDetails(const QString& table, const QString& before, const QString& after);
