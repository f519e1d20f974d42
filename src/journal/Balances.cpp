#include "Balances.h"

#include "Connection.h"
#include "Dataset.h"
#include "Period.h"

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

QString setOrder(const JournalDesign& d) { return QStringLiteral("%1, autoID").arg(d.dateField); }

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
} // namespace

namespace Journals {
Statement periodListing(JournalKind kind, const QString& periodText, const QString& currentUser)
{
    const JournalDesign& d = designOf(kind);
    return {QStringLiteral("SELECT * FROM %1 WHERE %2 ORDER BY %3").arg(d.table, memberCondition(d, false), setOrder(d)),
            memberParams(periodText, currentUser, false, {})};
}

Statement balanceSet(JournalKind kind, const QString& periodText, const QString& currentUser, const QString& bankAccount)
{
    const JournalDesign& d = designOf(kind);
    return {QStringLiteral("SELECT * FROM %1 WHERE %2 ORDER BY %3").arg(d.table, memberCondition(d, d.isBank()), setOrder(d)),
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
                            .arg(d.table, memberCondition(d, d.isBank()), setOrder(d));
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
    // An edited bank entry moved to another account leaves a gap in its old account's set;
    // that set is rewritten too, so no stored balance is left stale.
    QString previousAccount;
    bool previousToo = false;
    if (d.isBank() && list.state() == Dataset::State::Editing) {
        previousAccount = accountOf(Connection::instance().scalar(
            QStringLiteral("SELECT %1 FROM %2 WHERE %3=?").arg(JournalField::account, d.table, JournalField::key), {list.value(JournalField::key)}));
        previousToo = previousAccount.compare(bankAccount, Qt::CaseInsensitive) != 0;
    }
    const QVariant key = list.writePending();
    run(balanceRewrite(kind, periodText, currentUser, bankAccount));
    if (previousToo)
        run(balanceRewrite(kind, periodText, currentUser, previousAccount));
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
    list.deleteCurrentInDatabase();
    run(balanceRewrite(kind, periodText, currentUser, account));
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
