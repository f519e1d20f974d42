#pragma once
// "现金统计（按年月）": the operator's cash totals per month of a picked year.
#include "StatisticsForm.h"

class TfrmXJTJ_YearMonth : public YearMonthStatisticsForm {
    Q_OBJECT
public:
    explicit TfrmXJTJ_YearMonth(QWidget* owner);
    ~TfrmXJTJ_YearMonth() override;
};

extern TfrmXJTJ_YearMonth* frmXJTJ_YearMonth;
