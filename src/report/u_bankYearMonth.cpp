#include "u_bankYearMonth.h"

Tfrmbank_yearMonth* frmbank_yearMonth = nullptr;

Tfrmbank_yearMonth::Tfrmbank_yearMonth(QWidget* owner)
    : YearMonthStatisticsForm(owner,
                              {StatKind::BankYearMonth, QStringLiteral("银行统计（按年月）"), QStringLiteral("银行年月统计"),
                               {GridColumn::integer(QStringLiteral("yeardu"), QStringLiteral("年度"), 70),
                                GridColumn::integer(QStringLiteral("monthF"), QStringLiteral("月份"), 60),
                                GridColumn::text(QStringLiteral("KaiHuBank"), QStringLiteral("开户银行"), 180)}},
                              JournalKind::Bank)
{
}

Tfrmbank_yearMonth::~Tfrmbank_yearMonth()
{
    if (frmbank_yearMonth == this)
        frmbank_yearMonth = nullptr;
}
