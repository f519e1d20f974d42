#include "JournalKind.h"

const JournalDesign& designOf(JournalKind kind)
{
    using namespace JournalField;
    static const JournalDesign cash{JournalKind::Cash, Table::cash, cashDate, cashSummary, cashCategory, cashInvoice,
                                    QStringLiteral("现金日记账"), QStringLiteral("现金日记账报表")};
    static const JournalDesign bank{JournalKind::Bank, Table::bank, bankDate, bankSummary, bankCategory, bankInvoice,
                                    QStringLiteral("银行日记账"), QStringLiteral("银行日记账报表")};
    return kind == JournalKind::Cash ? cash : bank;
}
