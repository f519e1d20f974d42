#pragma once
// "银行统计（按天）": every operator's bank totals per entry time stamp and account.
#include "StatisticsForm.h"

class TfrmBankTJByDay : public DateRangeStatisticsForm {
    Q_OBJECT
public:
    explicit TfrmBankTJByDay(QWidget* owner);
    ~TfrmBankTJByDay() override;
};

extern TfrmBankTJByDay* frmBankTJByDay;
