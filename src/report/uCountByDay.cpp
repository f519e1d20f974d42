#include "uCountByDay.h"

#include "DBGrid.h"

TfrmCountByDay* frmCountByDay = nullptr;

TfrmCountByDay::TfrmCountByDay(QWidget* owner)
    : DateRangeStatisticsForm(owner,
                              {StatKind::CashByDay, QStringLiteral("现金统计（按天）"), QStringLiteral("现金统计(按天)"),
                               {GridColumn::dateTime(QStringLiteral("yewurq"), QStringLiteral("日期"), 160).withTimeAtMidnight()}},
                              false)
{
    DBGridEh1->setMultiSelect(true);
}

TfrmCountByDay::~TfrmCountByDay()
{
    if (frmCountByDay == this)
        frmCountByDay = nullptr;
}
