#include "u_BankTJbyday.h"

#include "DBGrid.h"

TfrmBankTJByDay* frmBankTJByDay = nullptr;

TfrmBankTJByDay::TfrmBankTJByDay(QWidget* owner)
    : DateRangeStatisticsForm(owner,
                              {StatKind::BankByDay, QStringLiteral("银行统计（按天）"), QStringLiteral("银行统计(按天)"),
                               {GridColumn::dateTime(QStringLiteral("yewurq"), QStringLiteral("日期"), 160).withTimeAtMidnight(),
                                GridColumn::text(QStringLiteral("KaiHuBank"), QStringLiteral("开户银行"), 180)}},
                              false)
{
    DBGridEh1->setMultiSelect(true);
}

TfrmBankTJByDay::~TfrmBankTJByDay()
{
    if (frmBankTJByDay == this)
        frmBankTJByDay = nullptr;
}
