#include "Balances.h"

#include "Tables.h"
#include "Connection.h"
#include "Dataset.h"
#include "Period.h"
#include "SameName.h"

#include <QVector>
#include <optional>

namespace {
// The members' condition, shared by the listing of a set and its rewrite so the two always
// agree on who belongs. Month membership is the half-open range of the period.
QString memberCondition(const JournalDesign& d, bool byAccount)
{
    QString c = QStringLiteral("Fillter=? AND %1>=? AND %1<?").arg(d.dateField);
    if (byAccount)
        c += QStringLiteral(" AND KaiHuBank=?");
    return c;
}

QVariantList memberParams(const QString& periodText, const QString& currentUser, bool byAccount,
                          const QString& bankAccount)
{
    const PeriodRange r = periodRange(periodText);
    QVariantList p{currentUser, r.from, r.to};
    if (byAccount)
        p << bankAccount;
    return p;
}

// A month's carried opening line comes first, also beside an entry of the same instant.
QString orderOf(const JournalDesign& d) { return QStringLiteral("%1, %2 IS NULL, autoID").arg(d.dateField, JournalField::carriedFrom); }

void prepareList(Dataset& list, const JournalDesign& d)
{
    if (list.table() != d.table)
        list.setTable(d.table, JournalField::key);
}

void openOnLastRow(Dataset& list, JournalKind kind, const Journals::Statement& st)
{
    prepareList(list, designOf(kind));
    list.open(st.sql, st.params);
    list.last();
}

void run(const Journals::Statement& st) { Connection::instance().run(st.sql, st.params); }

// One balance set: whose entries, of which month (any date of it), for the bank of which account.
struct BalanceSet {
    QString user;
    QString periodText;
    QString account;
};

bool sameSet(const BalanceSet& a, const BalanceSet& b, bool byAccount)
{
    return sameName(a.user, b.user) && a.periodText.left(7) == b.periodText.left(7)
        && (!byAccount || sameName(a.account, b.account));
}

// The set a stored entry belongs to; none when the row is gone or has no operator or date.
std::optional<BalanceSet> storedSetOf(const JournalDesign& d, const QVariant& key)
{
    const QString sql = QStringLiteral("SELECT %1, %2, %3 FROM %4 WHERE %5=?")
                            .arg(JournalField::operatorName, d.dateField,
                                 d.isBank() ? JournalField::account : QStringLiteral("NULL"), d.table, JournalField::key);
    auto row = Connection::instance().run(sql, {key});
    if (!row.next() || row.value(0).isNull() || row.value(1).isNull())
        return std::nullopt;
    return BalanceSet{row.value(0).toString(), row.value(1).toString().left(10), Journals::accountOf(row.value(2))};
}

// The sets a change touches: the one the list shows first, then each other set an entry left
// or joined. Each is rewritten once, so every stored balance keeps the running-sum rule.
class TouchedSets {
public:
    TouchedSets(JournalKind kind, BalanceSet shown) : kind_(kind), sets_{std::move(shown)} {}
    void add(const std::optional<BalanceSet>& s)
    {
        if (!s)
            return;
        for (const BalanceSet& have : sets_)
            if (sameSet(have, *s, designOf(kind_).isBank()))
                return;
        sets_ << *s;
    }
    void rewrite() const
    {
        for (const BalanceSet& s : sets_)
            run(Journals::balanceRewrite(kind_, s.periodText, s.user, s.account));
    }

private:
    JournalKind kind_;
    QVector<BalanceSet> sets_;
};
} // namespace

namespace Journals {
QString setOrder(JournalKind kind) { return orderOf(designOf(kind)); }

Statement periodListing(JournalKind kind, const QString& periodText, const QString& currentUser)
{
    const JournalDesign& d = designOf(kind);
    return {QStringLiteral("SELECT * FROM %1 WHERE %2 ORDER BY %3").arg(d.table, memberCondition(d, false), orderOf(d)),
            memberParams(periodText, currentUser, false, {})};
}

Statement balanceSet(JournalKind kind, const QString& periodText, const QString& currentUser, const QString& bankAccount)
{
    const JournalDesign& d = designOf(kind);
    return {QStringLiteral("SELECT * FROM %1 WHERE %2 ORDER BY %3").arg(d.table, memberCondition(d, d.isBank()), orderOf(d)),
            memberParams(periodText, currentUser, d.isBank(), bankAccount)};
}

Statement balanceRewrite(JournalKind kind, const QString& periodText, const QString& currentUser, const QString& bankAccount)
{
    const JournalDesign& d = designOf(kind);
    // One statement for the whole set: the running sum is a window over the set's order, and
    // SQLite's integer sum is exact (it fails on overflow instead of wrapping).
    const QString sql = QStringLiteral(
        "UPDATE %1 SET YuE = s.balance FROM ("
        "SELECT autoID AS id, sum(coalesce(JieFang, 0) - coalesce(DaiFang, 0)) "
        "OVER (ORDER BY %3 ROWS BETWEEN UNBOUNDED PRECEDING AND CURRENT ROW) AS balance "
        "FROM %1 WHERE %2) AS s WHERE %1.autoID = s.id")
                            .arg(d.table, memberCondition(d, d.isBank()), orderOf(d));
    return {sql, memberParams(periodText, currentUser, d.isBank(), bankAccount)};
}

void OpenPeriodListing(Dataset& list, JournalKind kind, const QString& periodText, const QString& currentUser)
{
    const Statement st = periodListing(kind, periodText, currentUser);
    prepareList(list, designOf(kind));
    list.open(st.sql, st.params);
}

QString accountOf(const QVariant& stored) { return stored.isNull() ? QString() : stored.toString(); }

void SaveEntry(Dataset& list, JournalKind kind, const QString& periodText, const QString& currentUser,
               const QString& bankAccount)
{
    const JournalDesign& d = designOf(kind);
    prepareList(list, d);
    Transaction t;
    TouchedSets sets(kind, {currentUser, periodText, bankAccount});
    // An edited entry may leave a set other than the one listed (another month found by a
    // search, another account): that set is rewritten too, as is the one it joins.
    if (list.state() == Dataset::State::Editing)
        sets.add(storedSetOf(d, list.value(JournalField::key)));
    const QVariant key = list.writePending();
    sets.add(storedSetOf(d, key));
    sets.rewrite();
    t.commit();
    // Memory follows the database only once the change is committed.
    list.acceptPending(key);
    openOnLastRow(list, kind, balanceSet(kind, periodText, currentUser, bankAccount));
}

bool DeleteEntry(Dataset& list, JournalKind kind, const QString& periodText, const QString& currentUser)
{
    const JournalDesign& d = designOf(kind);
    if (!list.isOpen() || list.currentRow() < 0 || list.isNull(JournalField::key))
        return false;
    prepareList(list, d);
    const QString account = d.isBank() ? accountOf(list.value(JournalField::account)) : QString();
    Transaction t;
    TouchedSets sets(kind, {currentUser, periodText, account});
    sets.add(storedSetOf(d, list.value(JournalField::key)));
    list.deleteCurrentInDatabase();
    sets.rewrite();
    t.commit();
    list.removeCurrentRow();
    openOnLastRow(list, kind, balanceSet(kind, periodText, currentUser, account));
    return true;
}
} // namespace Journals

void RewriteBalances(Dataset& list, JournalKind kind, const QString& periodText, const QString& currentUser,
                     const QString& bankAccount)
{
    run(Journals::balanceRewrite(kind, periodText, currentUser, bankAccount));
    openOnLastRow(list, kind, Journals::balanceSet(kind, periodText, currentUser, bankAccount));
}
