#pragma once
// "现金统计（按天）": every operator's cash totals per entry time stamp over a date range.
#include "StatisticsForm.h"

class TfrmCountByDay : public DateRangeStatisticsForm {
    Q_OBJECT
public:
    explicit TfrmCountByDay(QWidget* owner);
    ~TfrmCountByDay() override;
};

extern TfrmCountByDay* frmCountByDay;
