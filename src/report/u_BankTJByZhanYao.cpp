#include "u_BankTJByZhanYao.h"

TfrmBankTJByZhanYao* frmBankTJByZhanYao = nullptr;

TfrmBankTJByZhanYao::TfrmBankTJByZhanYao(QWidget* owner)
    : DateRangeStatisticsForm(owner,
                              {StatKind::BankBySummary, QStringLiteral("银行统计（按摘要）"), QStringLiteral("银行统计(按摘要)"),
                               {GridColumn::text(QStringLiteral("KaiHuBank"), QStringLiteral("开户银行"), 180),
                                GridColumn::text(QStringLiteral("ZhanYao"), QStringLiteral("摘要"), 200)}},
                              true)
{
}

TfrmBankTJByZhanYao::~TfrmBankTJByZhanYao()
{
    if (frmBankTJByZhanYao == this)
        frmBankTJByZhanYao = nullptr;
}
