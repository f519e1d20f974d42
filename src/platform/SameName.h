#pragma once
// Whether two names (an operator, a bank account) are the same one. The store compares its
// text columns with SQLite's NOCASE, which folds the letters A-Z only; the program decides
// sameness by exactly that rule, so what it takes for one account or operator is what the
// store's conditions select (full-width or accented letters stay distinct, as they do there).
#include <QString>

bool sameName(const QString& a, const QString& b);
// The key under which sameName() finds a name: A-Z folded to a-z, nothing else changed.
QString nameKey(const QString& name);
