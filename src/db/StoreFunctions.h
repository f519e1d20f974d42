#pragma once
// The SQL functions the store's triggers call, defined on every connection the program opens:
//   CurrentOperator()            the operator now at work (empty before a login);
//   LogChain(previous, content)  lower-case hex SHA-256 of previous (NULL: '') followed by content,
//                                the same text PostgreSQL gives for
//                                encode(sha256(convert_to(coalesce(previous, '') || content, 'UTF8')), 'hex').
// A connection without them cannot change the books at all.
#include <QString>
#include <QVariant>
#include <functional>

namespace StoreFunctions {
// Defines both functions (again) for every connection; the operator is the one last set.
void define();
// Where CurrentOperator() takes its name from; defines the functions too.
void setCurrentOperator(std::function<QString()> source);
// The chain value LogChain gives.
QString logChain(const QVariant& previous, const QString& content);
}
