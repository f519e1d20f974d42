#include "JournalKind.h"

const JournalDesign& designOf(JournalKind kind)
{
    static const JournalDesign cash{JournalKind::Cash, QStringLiteral("XJRJZ"), QStringLiteral("YeWuRQ"),
                                    QStringLiteral("ZhanYao"), QStringLiteral("ZhanYaoType"), QStringLiteral("faPiaoDW"),
                                    QStringLiteral("现金日记账"), QStringLiteral("现金日记账报表")};
    static const JournalDesign bank{JournalKind::Bank, QStringLiteral("YHRJZ"), QStringLiteral("yewuRQ"),
                                    QStringLiteral("Zhanyao"), QStringLiteral("Shuxing"), QStringLiteral("FaPiaoDW"),
                                    QStringLiteral("银行日记账"), QStringLiteral("银行日记账报表")};
    return kind == JournalKind::Cash ? cash : bank;
}
