#pragma once
// "银行统计（按摘要）": the operator's bank totals per account and summary over a date range.
#include "StatisticsForm.h"

class TfrmBankTJByZhanYao : public DateRangeStatisticsForm {
    Q_OBJECT
public:
    explicit TfrmBankTJByZhanYao(QWidget* owner);
    ~TfrmBankTJByZhanYao() override;
};

extern TfrmBankTJByZhanYao* frmBankTJByZhanYao;
