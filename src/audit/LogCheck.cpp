#include "LogCheck.h"

#include "Connection.h"
#include "RowScan.h"
#include "Sha256.h"
#include "OperationLog.h"

namespace LogCheck {

QString Result::message() const
{
    if (intact())
        return QStringLiteral("日志完整，共%1条").arg(rows);
    return QStringLiteral("第%1条日志记录已被改动或删除").arg(firstBroken);
}

Result run()
{
    // Straight over SQLite's own text of each row: a log of 100,000 rows is checked in well under
    // a second. The content is hashed piece by piece, in the order of OperationLog::chainContent.
    namespace F = OperationLog::Field;
    const QStringList fields{F::number, F::time, F::operatorName, F::kind, F::loggedTable, F::rowKey, F::before, F::after, F::chain};
    Result r;
    QByteArray previous;
    qlonglong expected = 1;
    const QByteArray separator("\x1f");
    scanRows(QStringLiteral("SELECT %1 FROM %2 ORDER BY %3").arg(fields.join(QStringLiteral(", ")), OperationLog::table, F::number),
             {}, [&](const RawRow& row) {
                 // Numbers run 1, 2, 3 ... without a gap: a missing number is a removed row.
                 const QByteArrayView chain = row.text(8);
                 bool broken = row.text(0).toLongLong() != expected || chain.isEmpty();
                 if (!broken) {
                     Sha256::Hasher h;
                     h.add(previous).add(row.text(0));
                     for (int i = 1; i < 8; ++i)
                         h.add(separator).add(row.text(i));
                     broken = h.hex() != chain;
                 }
                 if (broken) {
                     r.firstBroken = expected;
                     return false;
                 }
                 previous = chain.toByteArray();
                 ++r.rows;
                 ++expected;
                 return true;
             });
    if (r.firstBroken)
        return r;
    // The database remembers the highest number it gave: rows removed from the end show there.
    const QVariant given = Connection::instance().scalar(QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name = ?"),
                                                         {OperationLog::table});
    if (given.isValid() && given.toLongLong() >= expected)
        r.firstBroken = expected;
    return r;
}

} // namespace LogCheck
