#pragma once
// Entries for the journal tests, written straight into the test database.
#include "Connection.h"
#include "Money.h"

#include <QString>
#include <QVariant>
#include <optional>

namespace JournalFixture {
// A balance no rewrite would give, so an untouched entry shows.
inline constexpr qlonglong untouched = 7777777;

inline QVariant amount(const QString& text)
{
    if (text.isEmpty())
        return QVariant();
    return Money::parse(text).value().toStorage();
}

// One cash entry; amounts as money text ("" for none). Returns its key.
inline qlonglong addCash(const QString& when, const QString& debit, const QString& credit,
                         const QString& user = QStringLiteral("admin"), const QString& summary = QStringLiteral("销售收入"))
{
    return Connection::instance()
        .scalar(QStringLiteral("INSERT INTO XJRJZ (YeWuRQ, ZhanYao, ZhanYaoType, JieFang, DaiFang, YuE, Fillter) VALUES (?, ?, '增加', ?, ?, ?, ?) RETURNING autoID"),
                {when, summary, amount(debit), amount(credit), untouched, user})
        .toLongLong();
}

inline qlonglong addBank(const QString& when, const QString& debit, const QString& credit, const QString& account,
                         const QString& user = QStringLiteral("admin"))
{
    return Connection::instance()
        .scalar(QStringLiteral("INSERT INTO YHRJZ (yewuRQ, Zhanyao, Shuxing, JieFang, DaiFang, YuE, Fillter, KaiHuBank) VALUES (?, '销售收入', '增加', ?, ?, ?, ?, ?) RETURNING autoID"),
                {when, amount(debit), amount(credit), untouched, user, account})
        .toLongLong();
}

// The stored balance of an entry as money text, or "-" while it is the untouched marker.
inline QString balanceOf(const QString& table, qlonglong id)
{
    const QVariant v = Connection::instance().scalar(QStringLiteral("SELECT YuE FROM %1 WHERE autoID=?").arg(table), {id});
    if (!v.isNull() && v.toLongLong() == untouched)
        return QStringLiteral("-");
    return Money::fromStorage(v).toString();
}

inline qlonglong count(const QString& table)
{
    return Connection::instance().scalar(QStringLiteral("SELECT count(*) FROM %1").arg(table)).toLongLong();
}

// Every stored balance of a table, by key, to compare before and after a change.
inline QString allBalances(const QString& table)
{
    QString out;
    for (const auto& row : Connection::instance().rows(QStringLiteral("SELECT autoID, YuE FROM %1 ORDER BY autoID").arg(table)).rows)
        out += row[0].toString() + u'=' + row[1].toString() + u';';
    return out;
}
}
