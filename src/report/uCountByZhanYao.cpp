#include "uCountByZhanYao.h"

TfrmCountByZhanYao* frmCountByZhanYao = nullptr;

TfrmCountByZhanYao::TfrmCountByZhanYao(QWidget* owner)
    : DateRangeStatisticsForm(owner,
                              {StatKind::CashBySummary, QStringLiteral("现金统计（按摘要）"), QStringLiteral("现金统计(按摘要)"),
                               {GridColumn::text(QStringLiteral("ZhanYao"), QStringLiteral("摘要"), 220)}},
                              false)
{
}

TfrmCountByZhanYao::~TfrmCountByZhanYao()
{
    if (frmCountByZhanYao == this)
        frmCountByZhanYao = nullptr;
}
