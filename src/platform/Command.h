#pragma once
// A statement without rows (UPDATE, DELETE) on the program's connection, values bound.
#include <QString>
#include <QVariant>

namespace Command {
// Returns the number of rows the statement changed; raises AppError on failure.
int execute(const QString& sql, const QVariantList& params = {});
}
