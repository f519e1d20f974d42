#include "LogCheck.h"

#include "Connection.h"
#include "Dataset.h"
#include "OperationLog.h"
#include "StoreFunctions.h"

namespace LogCheck {

QString Result::message() const
{
    if (intact())
        return QStringLiteral("日志完整，共%1条").arg(rows);
    return QStringLiteral("第%1条日志记录已被改动或删除").arg(firstBroken);
}

Result run()
{
    namespace F = OperationLog::Field;
    const QStringList fields{F::number, F::time, F::operatorName, F::kind, F::loggedTable, F::rowKey, F::before, F::after, F::chain};
    Dataset log;
    log.open(QStringLiteral("SELECT %1 FROM %2 ORDER BY %3").arg(fields.join(QStringLiteral(", ")), OperationLog::table, F::number));
    Result r;
    QVariant previous;
    qlonglong expected = 1;
    for (int i = 0; i < log.rowCount(); ++i, ++expected) {
        const auto at = [&](int f) { return log.valueAt(i, f); };
        // Numbers run 1, 2, 3 ... without a gap: a missing number is a removed row.
        if (at(0).toLongLong() != expected) {
            r.firstBroken = expected;
            return r;
        }
        const QString content = OperationLog::chainContent(expected, at(1).toString(), at(2).toString(), at(3).toString(),
                                                           at(4), at(5), at(6), at(7));
        if (at(8).isNull() || StoreFunctions::logChain(previous, content) != at(8).toString()) {
            r.firstBroken = expected;
            return r;
        }
        previous = at(8);
        ++r.rows;
    }
    // The database remembers the highest number it gave: rows removed from the end show there.
    const QVariant given = Connection::instance().scalar(QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name = ?"),
                                                         {OperationLog::table});
    if (given.isValid() && given.toLongLong() >= expected)
        r.firstBroken = expected;
    return r;
}

} // namespace LogCheck
