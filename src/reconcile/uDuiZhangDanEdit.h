#pragma once
// "对账单记录": a statement line typed by hand, for banks without an export, or one corrected.
#include "StatementLine.h"

#include <QDialog>

class QDateTimeEdit;
class QLineEdit;

class TfrmDuiZhangDanEdit : public QDialog {
    Q_OBJECT
public:
    explicit TfrmDuiZhangDanEdit(QWidget* parent = nullptr);

    void setLine(const StatementLine& line);
    // The line as typed; AppError names a box that holds no amount.
    StatementLine line() const;
    // "保存": checks the line (message on a fault) and accepts.
    void btnSaveClick();

    QDateTimeEdit* EditWhen = nullptr;
    QLineEdit* EditSummary = nullptr;
    QLineEdit* EditIn = nullptr;
    QLineEdit* EditOut = nullptr;
    QLineEdit* EditBalance = nullptr;
    QLineEdit* EditCounterparty = nullptr;
    QLineEdit* EditSerial = nullptr;
};
