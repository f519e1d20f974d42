#include "Matching.h"

#include "AppError.h"
#include "Command.h"
#include "Connection.h"
#include "Dataset.h"
#include "ReconcileNames.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>
#include <algorithm>
#include <tuple>

namespace Matching {
namespace {

bool sameSide(const Item& a, const Item& b) { return a.in == b.in && a.amount == b.amount; }
bool sideBefore(const Item& a, const Item& b) { return std::tie(a.in, a.amount) < std::tie(b.in, b.amount); }
bool byDate(const Item& a, const Item& b) { return std::tie(a.date, a.id) < std::tie(b.date, b.id); }

// Pairs within one group of equal direction and amount; both sorted by date. First greedily by
// preference (equal numbers, then nearest dates); then, where an entry was left without a line,
// an augmenting path moves pairs along (never one of equal numbers) so no pair is lost to a
// nearer one: E1 03-01, E2 03-04 against L1 03-03, L2 03-06 pairs both, not only E2 with L1.
class GroupPairing {
public:
    GroupPairing(const Item* entries, qsizetype entryCount, const Item* lines, qsizetype lineCount, int days)
        : entries_(entries), lines_(lines), candidates_(size_t(entryCount)), entryLine_(size_t(entryCount), -1),
          lineEntry_(size_t(lineCount), -1), fixed_(size_t(lineCount), false)
    {
        struct Candidate {
            bool sameNumber;
            qint64 distance;
            qsizetype e, l;
        };
        std::vector<Candidate> all;
        qsizetype firstLine = 0;
        for (qsizetype e = 0; e < entryCount; ++e) {
            const QDate from = entries[e].date.addDays(-days);
            const QDate to = entries[e].date.addDays(days);
            while (firstLine < lineCount && lines[firstLine].date < from)
                ++firstLine;
            for (qsizetype l = firstLine; l < lineCount && lines[l].date <= to; ++l) {
                const bool sameNumber = !entries[e].number.isEmpty()
                    && entries[e].number.compare(lines[l].number, Qt::CaseInsensitive) == 0;
                all.push_back({sameNumber, std::abs(entries[e].date.daysTo(lines[l].date)), e, l});
            }
        }
        // Equal numbers first, then the nearest dates; ties go to the earlier entry, then line.
        std::sort(all.begin(), all.end(), [](const Candidate& a, const Candidate& b) {
            return std::make_tuple(!a.sameNumber, a.distance, a.e, a.l) < std::make_tuple(!b.sameNumber, b.distance, b.e, b.l);
        });
        for (const Candidate& c : all) {
            candidates_[size_t(c.e)].push_back(c.l);
            if (entryLine_[size_t(c.e)] >= 0 || lineEntry_[size_t(c.l)] >= 0)
                continue;
            entryLine_[size_t(c.e)] = c.l;
            lineEntry_[size_t(c.l)] = c.e;
            fixed_[size_t(c.l)] = c.sameNumber;
        }
        for (qsizetype e = 0; e < entryCount; ++e) {
            if (entryLine_[size_t(e)] >= 0 || candidates_[size_t(e)].empty())
                continue;
            visited_.assign(size_t(lineCount), false);
            augment(e);
        }
    }

    void collect(QVector<Pair>& out) const
    {
        for (size_t e = 0; e < entryLine_.size(); ++e)
            if (entryLine_[e] >= 0)
                out << Pair{entries_[e].id, lines_[entryLine_[e]].id};
    }

private:
    bool augment(qsizetype e)
    {
        for (qsizetype l : candidates_[size_t(e)]) {
            if (visited_[size_t(l)] || fixed_[size_t(l)])
                continue;
            visited_[size_t(l)] = true;
            const qsizetype holder = lineEntry_[size_t(l)];
            if (holder < 0 || augment(holder)) {
                entryLine_[size_t(e)] = l;
                lineEntry_[size_t(l)] = e;
                return true;
            }
        }
        return false;
    }

    const Item* entries_;
    const Item* lines_;
    std::vector<std::vector<qsizetype>> candidates_; // per entry, in order of preference
    std::vector<qsizetype> entryLine_, lineEntry_;
    std::vector<bool> fixed_, visited_;
};

QString marks(qsizetype n)
{
    QStringList m;
    for (qsizetype i = 0; i < n; ++i)
        m << QStringLiteral("?");
    return m.join(QStringLiteral(", "));
}

QVariantList idParams(const QVector<qint64>& ids)
{
    QVariantList out;
    for (qint64 id : ids)
        out << QVariant::fromValue<qlonglong>(id);
    return out;
}

QString dayStart(const QDate& d) { return d.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 00:00:00"); }

QDate dateOf(const QVariant& stored) { return QDate::fromString(stored.toString().left(10), QStringLiteral("yyyy-MM-dd")); }

// An entry's side: a debit is money in, a credit money out; an entry with both or neither has none.
bool entryItem(qint64 id, const QVariant& when, Money debit, Money credit, const QString& voucher, Item& item)
{
    if (debit.isZero() == credit.isZero())
        return false;
    item = Item{id, dateOf(when), !debit.isZero(), debit.isZero() ? credit : debit, voucher};
    return true;
}

bool lineItem(qint64 id, const QVariant& when, Money in, Money out, const QString& serial, Item& item)
{
    if (in.isZero() == out.isZero())
        return false;
    item = Item{id, dateOf(when), !in.isZero(), in.isZero() ? out : in, serial};
    return true;
}

qlonglong nextGroup()
{
    return Connection::instance()
               .scalar(QStringLiteral("SELECT coalesce(max(%1), 0) + 1 FROM %2").arg(PairTable::group, PairTable::table))
               .toLongLong();
}

// Stores groups: each group's entries and lines under one new group number. The members travel
// as one JSON array that SQLite takes apart itself, one statement for any number of pairs.
void storeGroups(const QVector<QPair<QVector<qint64>, QVector<qint64>>>& groups, bool byHand, const QString& operatorName,
                 const QDateTime& now)
{
    qlonglong group = nextGroup();
    QJsonArray members;
    for (const auto& [entries, lines] : groups) {
        for (qint64 e : entries)
            members.append(QJsonArray{group, e, QJsonValue()});
        for (qint64 l : lines)
            members.append(QJsonArray{group, QJsonValue(), l});
        ++group;
    }
    Command::execute(QStringLiteral("INSERT INTO %1 (%2, %3, %4, %5, %6, %7) SELECT json_extract(value, '$[0]'), "
                                    "json_extract(value, '$[1]'), json_extract(value, '$[2]'), ?, ?, ? FROM json_each(?) ORDER BY key")
                         .arg(PairTable::table, PairTable::group, PairTable::entry, PairTable::line, PairTable::byHand,
                              PairTable::pairedAt, PairTable::pairedBy),
                     {byHand ? 1 : 0, now.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), operatorName,
                      QString::fromUtf8(QJsonDocument(members).toJson(QJsonDocument::Compact))});
}

} // namespace

QVector<Pair> autoPairs(QVector<Item> entries, QVector<Item> lines, int days)
{
    const auto order = [](const Item& a, const Item& b) { return sideBefore(a, b) || (!sideBefore(b, a) && byDate(a, b)); };
    std::sort(entries.begin(), entries.end(), order);
    std::sort(lines.begin(), lines.end(), order);
    QVector<Pair> out;
    qsizetype e = 0, l = 0;
    while (e < entries.size() && l < lines.size()) {
        if (sideBefore(entries[e], lines[l])) {
            ++e;
        } else if (sideBefore(lines[l], entries[e])) {
            ++l;
        } else {
            qsizetype eEnd = e, lEnd = l;
            while (eEnd < entries.size() && sameSide(entries[eEnd], entries[e]))
                ++eEnd;
            while (lEnd < lines.size() && sameSide(lines[lEnd], lines[l]))
                ++lEnd;
            GroupPairing(entries.constData() + e, eEnd - e, lines.constData() + l, lEnd - l, days).collect(out);
            e = eEnd;
            l = lEnd;
        }
    }
    return out;
}

int autoReconcile(const QString& account, const QDate& from, const QDate& to, int days, const QString& operatorName,
                  const QDateTime& now)
{
    Transaction t;
    const QVariantList range{account, dayStart(from), dayStart(to.addDays(1))};
    Dataset entryRows;
    entryRows.open(QStringLiteral("SELECT %1, %2, %3, %4, %5 FROM %6 WHERE %7 = ? AND %2 >= ? AND %2 < ? AND %8 IS NOT ? "
                                  "AND %1 NOT IN (SELECT %9 FROM %10 WHERE %9 IS NOT NULL)")
                       .arg(BankEntryTable::key, BankEntryTable::when, BankEntryTable::debit, BankEntryTable::credit,
                            BankEntryTable::voucher, BankEntryTable::table, BankEntryTable::account, BankEntryTable::summary)
                       .arg(PairTable::entry, PairTable::table),
                   range + QVariantList{BankEntryTable::openingSummary});
    Dataset lineRows;
    lineRows.open(QStringLiteral("SELECT %1, %2, %3, %4, %5 FROM %6 WHERE %7 = ? AND %2 >= ? AND %2 < ? "
                                 "AND %1 NOT IN (SELECT %8 FROM %9 WHERE %8 IS NOT NULL)")
                      .arg(StatementTable::key, StatementTable::when, StatementTable::moneyIn, StatementTable::moneyOut,
                           StatementTable::serial, StatementTable::table, StatementTable::account, PairTable::line,
                           PairTable::table),
                  range);
    QVector<Item> entries, lines;
    entries.reserve(entryRows.rowCount());
    lines.reserve(lineRows.rowCount());
    Item item;
    for (int r = 0; r < entryRows.rowCount(); ++r)
        if (entryItem(entryRows.valueAt(r, 0).toLongLong(), entryRows.valueAt(r, 1), Money::fromStorage(entryRows.valueAt(r, 2)),
                      Money::fromStorage(entryRows.valueAt(r, 3)), entryRows.valueAt(r, 4).toString(), item))
            entries << item;
    for (int r = 0; r < lineRows.rowCount(); ++r)
        if (lineItem(lineRows.valueAt(r, 0).toLongLong(), lineRows.valueAt(r, 1), Money::fromStorage(lineRows.valueAt(r, 2)),
                     Money::fromStorage(lineRows.valueAt(r, 3)), lineRows.valueAt(r, 4).toString(), item))
            lines << item;

    const QVector<Pair> pairs = autoPairs(entries, lines, days);
    QVector<QPair<QVector<qint64>, QVector<qint64>>> groups;
    groups.reserve(pairs.size());
    for (const Pair& p : pairs)
        groups.append({{p.entry}, {p.line}});
    storeGroups(groups, false, operatorName, now);
    t.commit();
    return int(pairs.size());
}

void pairByHand(const QString& account, const QVector<qint64>& entries, const QVector<qint64>& lines,
                const QString& operatorName, const QDateTime& now)
{
    if (entries.isEmpty() || lines.isEmpty())
        throw AppError(QStringLiteral("请在日记账和对账单中各选择至少一条记录"));
    Transaction t;
    Dataset e;
    e.open(QStringLiteral("SELECT %1, %2, %3, %4, EXISTS (SELECT 1 FROM %5 WHERE %6 = %7.%1) FROM %7 WHERE %1 IN (%8)")
               .arg(BankEntryTable::key, BankEntryTable::account, BankEntryTable::debit, BankEntryTable::credit, PairTable::table,
                    PairTable::entry, BankEntryTable::table, marks(entries.size())),
           idParams(entries));
    Dataset l;
    l.open(QStringLiteral("SELECT %1, %2, %3, %4, EXISTS (SELECT 1 FROM %5 WHERE %6 = %7.%1) FROM %7 WHERE %1 IN (%8)")
               .arg(StatementTable::key, StatementTable::account, StatementTable::moneyIn, StatementTable::moneyOut,
                    PairTable::table, PairTable::line, StatementTable::table, marks(lines.size())),
           idParams(lines));
    if (e.rowCount() != QSet<qint64>(entries.begin(), entries.end()).size()
        || l.rowCount() != QSet<qint64>(lines.begin(), lines.end()).size())
        throw AppError(QStringLiteral("所选记录已被删除，请刷新后重试"));

    Money entryIn, entryOut, lineIn, lineOut;
    for (Dataset* ds : {&e, &l}) {
        const bool isEntry = ds == &e;
        for (int r = 0; r < ds->rowCount(); ++r) {
            if (ds->valueAt(r, 1).toString().compare(account, Qt::CaseInsensitive) != 0)
                throw AppError(QStringLiteral("所选记录不属于开户银行“%1”").arg(account));
            if (ds->valueAt(r, 4).toInt() != 0)
                throw AppError(QStringLiteral("所选记录中有已对账的记录，请先取消对账"));
            (isEntry ? entryIn : lineIn) += Money::fromStorage(ds->valueAt(r, 2));
            (isEntry ? entryOut : lineOut) += Money::fromStorage(ds->valueAt(r, 3));
        }
    }
    if (entryIn != lineIn || entryOut != lineOut)
        throw AppError(QStringLiteral("金额不符，不能对账：日记账借方（增加）%1、贷方（减少）%2；对账单收入 %3、支出 %4")
                           .arg(entryIn.toString(), entryOut.toString(), lineIn.toString(), lineOut.toString()));
    storeGroups({{entries, lines}}, true, operatorName, now);
    t.commit();
}

int unpair(const QVector<qint64>& entries, const QVector<qint64>& lines)
{
    if (entries.isEmpty() && lines.isEmpty())
        return 0;
    const QString members = QStringLiteral("SELECT %1 FROM %2 WHERE %3 IN (%4) OR %5 IN (%6)")
                                .arg(PairTable::group, PairTable::table, PairTable::entry, marks(entries.size()), PairTable::line,
                                     marks(lines.size()));
    const QVariantList params = idParams(entries) + idParams(lines);
    Transaction t;
    const int groups = Connection::instance()
                           .scalar(QStringLiteral("SELECT count(DISTINCT %1) FROM %2 WHERE %1 IN (%3)")
                                       .arg(PairTable::group, PairTable::table, members),
                                   params)
                           .toInt();
    Command::execute(QStringLiteral("DELETE FROM %1 WHERE %2 IN (%3)").arg(PairTable::table, PairTable::group, members), params);
    t.commit();
    return groups;
}

} // namespace Matching
