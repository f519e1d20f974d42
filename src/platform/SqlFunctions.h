#pragma once
// Scalar SQL functions that the program defines on every database connection it opens, so that
// statements and the store's own triggers can call them.
#include <QList>
#include <QString>
#include <QVariant>
#include <functional>

class QSqlDatabase;

struct SqlFunction {
    QString name;
    int argCount = 0;
    // Arguments arrive as null, integer, real, text or blob; an AppError becomes the statement's error.
    std::function<QVariant(const QVariantList& args)> body;
};

namespace SqlFunctions {
// Defines (or redefines) a function for every connection opened from now on and for the
// program's connection when it is open.
void define(const SqlFunction& function);
// Puts every defined function on `db`, a connection opened outside the program's own (a test's
// second writer, a file being made). Raises AppError when the driver refuses.
void installOn(QSqlDatabase& db);
}
