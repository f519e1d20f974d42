#pragma once
// Names of the journal tables and columns that the reports read, in one place.
#include "SearchQuery.h"

#include <QString>

namespace Books {
inline const QString cashTable = QStringLiteral("XJRJZ");
inline const QString bankTable = QStringLiteral("YHRJZ");
inline const QString accountsTable = QStringLiteral("bankInfo");
inline const QString accountName = QStringLiteral("bankName");
inline const QString accountKey = QStringLiteral("bankID");

// Columns common to both journals (names compare without regard to letter case).
inline const QString key = QStringLiteral("autoID");
inline const QString date = QStringLiteral("yewurq");
inline const QString voucher = QStringLiteral("PingZhengNo");
inline const QString summary = QStringLiteral("ZhanYao");
inline const QString detail = QStringLiteral("Detail");
inline const QString debit = QStringLiteral("JieFang");
inline const QString credit = QStringLiteral("DaiFang");
inline const QString operatorName = QStringLiteral("Fillter");
inline const QString subjectCode = QStringLiteral("KeMuDM");
inline const QString account = QStringLiteral("KaiHuBank"); // bank journal only

inline const QString& tableOf(Journal j) { return j == Journal::Cash ? cashTable : bankTable; }
}
