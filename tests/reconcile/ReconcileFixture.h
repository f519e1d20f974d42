#pragma once
// Rows written straight into the test database (which has the reconciliation tables).
#include "Command.h"
#include "Connection.h"
#include "Dataset.h"
#include "Money.h"
#include "ReconcileNames.h"
#include "TestDatabase.h"

#include <QFile>
#include <QProcess>

namespace ReconcileFixture {

inline const QString account = QStringLiteral("工行基本户");
inline const QString otherAccount = QStringLiteral("建行一般户");

inline QVariant money(const QString& text)
{
    if (text.isEmpty())
        return QVariant();
    return Money::parse(text).value().toStorage();
}

inline qint64 lastKey() { return Connection::instance().scalar(QStringLiteral("SELECT last_insert_rowid()")).toLongLong(); }

// A bank journal entry; debit = 增加 (money in), credit = 减少 (money out).
inline qint64 addEntry(const QString& when, const QString& debit, const QString& credit, const QString& voucher = {},
                       const QString& acct = account, const QString& summary = QStringLiteral("货款"),
                       const QString& user = QStringLiteral("admin"))
{
    Command::execute(QStringLiteral("INSERT INTO YHRJZ (yewuRQ, PingZhengNo, Zhanyao, Shuxing, JieFang, DaiFang, Fillter, KaiHuBank) "
                                    "VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                     {when.size() == 10 ? when + QStringLiteral(" 09:00:00") : when, voucher, summary,
                      debit.isEmpty() ? QStringLiteral("减少") : QStringLiteral("增加"), money(debit), money(credit), user, acct});
    return lastKey();
}

// A statement line typed by hand; in = the bank's 贷方, out = its 借方.
inline qint64 addLine(const QString& when, const QString& in, const QString& out, const QString& serial = {},
                      const QString& balance = {}, const QString& acct = account, const QString& summary = QStringLiteral("转账"))
{
    Command::execute(QStringLiteral("INSERT INTO YinHangDuiZhangDan (KaiHuBank, JiaoYiSJ, ZhanYao, ShouRu, ZhiChu, YuE, LiuShuiHao, "
                                    "DaoRuSJ, DaoRuRen) VALUES (?, ?, ?, ?, ?, ?, ?, '2024-04-01 08:00:00', 'admin')"),
                     {acct, when.size() == 10 ? when + QStringLiteral(" 00:00:00") : when, summary,
                      in.isEmpty() ? QVariant(0) : money(in), out.isEmpty() ? QVariant(0) : money(out), money(balance), serial});
    return lastKey();
}

inline qlonglong count(const QString& table)
{
    return Connection::instance().scalar(QStringLiteral("SELECT count(*) FROM %1").arg(table)).toLongLong();
}

// The pairs as "entry:line" of one-to-one groups and "{entries}{lines}" otherwise, sorted.
inline QStringList pairs()
{
    Dataset ds;
    ds.open(QStringLiteral("SELECT group_concat(RiJiZhangID), group_concat(DuiZhangDanID), max(ShouGong) FROM "
                           "(SELECT * FROM YinHangDuiZhang ORDER BY RiJiZhangID, DuiZhangDanID) GROUP BY ZuHao"));
    QStringList out;
    for (int r = 0; r < ds.rowCount(); ++r)
        out << ds.valueAt(r, 0).toString() + u':' + ds.valueAt(r, 1).toString() + (ds.valueAt(r, 2).toInt() ? QStringLiteral(" 手工") : QString());
    out.sort();
    return out;
}

inline QString python()
{
    return QFile::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3") : QStringLiteral("python3");
}

// Writes one of statement_files.py's files; false when the writer fails.
inline bool writeStatement(const QString& kind, const QString& path)
{
    QProcess p;
    p.start(python(), {qEnvironmentVariable("ZZ_SOURCE_DIR") + QStringLiteral("/tests/reconcile/statement_files.py"), kind, path});
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        qWarning().noquote() << "statement_files.py failed:" << p.readAllStandardError();
        return false;
    }
    return true;
}

} // namespace ReconcileFixture
