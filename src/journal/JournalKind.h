#pragma once
// The two journals share one design; what differs between them is data, held here.
#include <QString>

enum class JournalKind { Cash, Bank };

struct JournalDesign {
    JournalKind kind;
    QString table;         // XJRJZ / YHRJZ
    QString dateField;     // the business date, YeWuRQ (the bank spells it yewuRQ)
    QString summaryField;  // ZhanYao / Zhanyao
    QString categoryField; // ZhanYaoType / Shuxing
    QString invoiceField;  // faPiaoDW / FaPiaoDW
    QString caption;       // window caption and title
    QString exportName;    // default file name of the grid export
    bool isBank() const { return kind == JournalKind::Bank; }
};

const JournalDesign& designOf(JournalKind kind);

// Field names common to both journals.
namespace JournalField {
inline const QString key = QStringLiteral("autoID");
inline const QString voucher = QStringLiteral("PingZhengNo");
inline const QString detail = QStringLiteral("Detail");
inline const QString debit = QStringLiteral("JieFang");
inline const QString credit = QStringLiteral("DaiFang");
inline const QString balance = QStringLiteral("YuE");
inline const QString handler = QStringLiteral("JingBR");
inline const QString operatorName = QStringLiteral("Fillter");
inline const QString remark = QStringLiteral("Remark");
inline const QString account = QStringLiteral("KaiHuBank");
inline const QString subjectCode = QStringLiteral("KeMuDM");
}
