#pragma once
// Names of the tables and fields bank reconciliation reads and writes.
#include "Tables.h"

#include <QString>

// Statement lines.
namespace StatementTable {
inline const QString table = QStringLiteral("YinHangDuiZhangDan");
inline const QString key = QStringLiteral("autoID");
inline const QString account = QStringLiteral("KaiHuBank");
inline const QString when = QStringLiteral("JiaoYiSJ");
inline const QString summary = QStringLiteral("ZhanYao");
inline const QString moneyIn = QStringLiteral("ShouRu");
inline const QString moneyOut = QStringLiteral("ZhiChu");
inline const QString balance = QStringLiteral("YuE");
inline const QString counterparty = QStringLiteral("DuiFangHuMing");
inline const QString serial = QStringLiteral("LiuShuiHao");
inline const QString source = QStringLiteral("LaiYuan");
inline const QString sourceLine = QStringLiteral("LaiYuanHang");
inline const QString importedAt = QStringLiteral("DaoRuSJ");
inline const QString importedBy = QStringLiteral("DaoRuRen");
}

// Pairs: the members of one group share ZuHao; each member is an entry or a line.
namespace PairTable {
inline const QString table = QStringLiteral("YinHangDuiZhang");
inline const QString group = QStringLiteral("ZuHao");
inline const QString entry = QStringLiteral("RiJiZhangID");
inline const QString line = QStringLiteral("DuiZhangDanID");
inline const QString byHand = QStringLiteral("ShouGong");
inline const QString pairedAt = QStringLiteral("DuiZhangSJ");
inline const QString pairedBy = QStringLiteral("DuiZhangRen");
}

// Column mappings chosen by hand, per account.
namespace MappingTable {
inline const QString table = QStringLiteral("YinHangDuiZhangGeShi");
inline const QString account = QStringLiteral("KaiHuBank");
inline const QString mapping = QStringLiteral("GeShi");
}

// The bank journal fields reconciliation reads, under the books' own names.
namespace BankEntryTable {
inline const QString& table = Table::bank;
inline const QString& key = JournalField::key;
inline const QString& when = JournalField::bankDate;
inline const QString& voucher = JournalField::voucher;
inline const QString& summary = JournalField::bankSummary;
inline const QString& debit = JournalField::debit;
inline const QString& credit = JournalField::credit;
inline const QString& account = JournalField::account;
inline const QString& operatorName = JournalField::operatorName;
// The summary of a month's brought-forward entry.
inline const QString openingSummary = QStringLiteral("期初金额");
}

// The right that opens the reconciliation window.
inline const QString ReconcileRight = QStringLiteral("F17");
