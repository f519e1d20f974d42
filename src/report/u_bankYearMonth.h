#pragma once
// "银行统计（按年月）": the operator's bank totals per month and account of a picked year.
#include "StatisticsForm.h"

class Tfrmbank_yearMonth : public YearMonthStatisticsForm {
    Q_OBJECT
public:
    explicit Tfrmbank_yearMonth(QWidget* owner);
    ~Tfrmbank_yearMonth() override;
};

extern Tfrmbank_yearMonth* frmbank_yearMonth;
