#include "uXJTJ_YearMonth.h"

TfrmXJTJ_YearMonth* frmXJTJ_YearMonth = nullptr;

TfrmXJTJ_YearMonth::TfrmXJTJ_YearMonth(QWidget* owner)
    : YearMonthStatisticsForm(owner,
                              {StatKind::CashYearMonth, QStringLiteral("现金统计（按年月）"), QStringLiteral("现金年月统计"),
                               {GridColumn::integer(QStringLiteral("yeardu"), QStringLiteral("年度"), 70),
                                GridColumn::integer(QStringLiteral("monthF"), QStringLiteral("月份"), 60)}},
                              JournalKind::Cash)
{
}

TfrmXJTJ_YearMonth::~TfrmXJTJ_YearMonth()
{
    if (frmXJTJ_YearMonth == this)
        frmXJTJ_YearMonth = nullptr;
}
