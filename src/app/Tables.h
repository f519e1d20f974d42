#pragma once
// The names of the books' tables and fields, in one place for every folder. Field names are
// matched without regard to letter case; the spelling here is the schema's.
#include <QString>

namespace Table {
inline const QString cash = QStringLiteral("XJRJZ");
inline const QString bank = QStringLiteral("YHRJZ");
inline const QString summaries = QStringLiteral("ZhanYao");
inline const QString bankAccounts = QStringLiteral("bankInfo");
inline const QString operators = QStringLiteral("tuser");
inline const QString period = QStringLiteral("FinscalYearMonth");
}

// Fields both journals have under one spelling.
namespace JournalField {
inline const QString key = QStringLiteral("autoID");
inline const QString voucher = QStringLiteral("PingZhengNo");
inline const QString detail = QStringLiteral("Detail");
inline const QString openingAmount = QStringLiteral("QCJE"); // cash only
inline const QString debit = QStringLiteral("JieFang");
inline const QString credit = QStringLiteral("DaiFang");
inline const QString balance = QStringLiteral("YuE");
inline const QString handler = QStringLiteral("JingBR");
inline const QString operatorName = QStringLiteral("Fillter");
inline const QString enteredAt = QStringLiteral("FilltDate");
inline const QString remark = QStringLiteral("Remark");
inline const QString account = QStringLiteral("KaiHuBank"); // bank only
inline const QString subjectCode = QStringLiteral("KeMuDM");
// Spelt differently by the two tables; JournalDesign names the one of each.
inline const QString cashDate = QStringLiteral("YeWuRQ");
inline const QString bankDate = QStringLiteral("yewuRQ");
inline const QString cashSummary = QStringLiteral("ZhanYao");
inline const QString bankSummary = QStringLiteral("Zhanyao");
inline const QString cashCategory = QStringLiteral("ZhanYaoType");
inline const QString bankCategory = QStringLiteral("Shuxing");
inline const QString cashInvoice = QStringLiteral("faPiaoDW");
inline const QString bankInvoice = QStringLiteral("FaPiaoDW");
}

namespace SummaryField {
inline const QString key = QStringLiteral("AutoID");
inline const QString text = QStringLiteral("ZhanYao");
inline const QString category = QStringLiteral("ZYType");
inline const QString enteredAt = QStringLiteral("FilltDate");
inline const QString subjectCode = QStringLiteral("KuMuCode");
}

namespace BankAccountField {
inline const QString key = QStringLiteral("bankID");
inline const QString name = QStringLiteral("bankName");
}

namespace OperatorField {
inline const QString key = QStringLiteral("userID");
inline const QString name = QStringLiteral("username");
inline const QString password = QStringLiteral("password");
}

namespace PeriodField {
inline const QString yearMonth = QStringLiteral("YearMonth");
}
