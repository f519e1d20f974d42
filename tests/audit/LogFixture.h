#pragma once
// Reading the operation log of the test database, and shaping it as an attacker would.
#include "Connection.h"
#include "OperationLog.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QVariant>

namespace LogFixture {

struct Row {
    qlonglong number = 0;
    QString time, operatorName, kind, table, key;
    QVariant before, after, chain;
};

// The log rows numbered above `after`, oldest first.
inline QList<Row> rowsAfter(qlonglong after = 0)
{
    QSqlQuery q = Connection::instance().run(
        QStringLiteral("SELECT XuHao, ShiJian, CaoZuoYuan, LeiBie, BiaoMing, JiLuHao, XiuGaiQian, XiuGaiHou, JiaoYanZhi "
                       "FROM CaoZuoRiZhi WHERE XuHao > ? ORDER BY XuHao"),
        {after});
    QList<Row> out;
    while (q.next())
        out << Row{q.value(0).toLongLong(), q.value(1).toString(), q.value(2).toString(), q.value(3).toString(),
                   q.value(4).toString(), q.value(5).toString(), q.value(6), q.value(7), q.value(8)};
    return out;
}

inline qlonglong lastNumber()
{
    return Connection::instance().scalar(QStringLiteral("SELECT coalesce(max(XuHao), 0) FROM CaoZuoRiZhi")).toLongLong();
}

inline QJsonObject json(const QVariant& text) { return QJsonDocument::fromJson(text.toString().toUtf8()).object(); }

// A stored row as the log writes a whole row: integers as numbers, texts as strings, nulls as null.
inline QJsonObject storedRow(const QString& table, const QString& key, const QVariant& value)
{
    QSqlQuery q = Connection::instance().run(QStringLiteral("SELECT * FROM %1 WHERE %2 = ?").arg(table, key), {value});
    QJsonObject o;
    if (!q.next())
        return o;
    const QSqlRecord r = q.record();
    for (int i = 0; i < r.count(); ++i) {
        const QVariant v = q.value(i);
        o.insert(r.fieldName(i), v.isNull() ? QJsonValue() : v.typeId() == QMetaType::QString ? QJsonValue(v.toString())
                                                                                             : QJsonValue(v.toLongLong()));
    }
    return o;
}

// Drops the log's own triggers, as someone editing the file by other means is not held by them.
inline void dropLogGuards()
{
    for (const char* t : {"CaoZuoRiZhi_new", "CaoZuoRiZhi_chain", "CaoZuoRiZhi_keep", "CaoZuoRiZhi_remove"})
        Connection::instance().run(QStringLiteral("DROP TRIGGER %1").arg(QString::fromLatin1(t)));
}

} // namespace LogFixture
