#pragma once
// "现金统计（按摘要）": the operator's cash totals per summary over a date range.
#include "StatisticsForm.h"

class TfrmCountByZhanYao : public DateRangeStatisticsForm {
    Q_OBJECT
public:
    explicit TfrmCountByZhanYao(QWidget* owner);
    ~TfrmCountByZhanYao() override;
};

extern TfrmCountByZhanYao* frmCountByZhanYao;
