#pragma once
// "对账单格式": the user points out the header row and the column of each part of a line, for a
// statement file whose titles are not recognised. The choice is remembered for the account.
#include "StatementLayout.h"

#include <QDialog>
#include <QVector>

class QComboBox;
class QSpinBox;
class QTableWidget;

class TfrmDuiZhangDanGeShi : public QDialog {
    Q_OBJECT
public:
    TfrmDuiZhangDanGeShi(const SheetReader::Rows& rows, QWidget* parent = nullptr);

    // The layout chosen; usable once the dialog was accepted.
    StatementLayout layout() const;
    // Selects the header row (0-based) and, where `layout` names one, each role's column.
    void choose(const StatementLayout& layout);
    // "确定": refuses a layout without a date or without amounts, with a message.
    void btnOKClick();

    QSpinBox* SpinHeaderRow = nullptr;
    QVector<QComboBox*> RoleBoxes; // in the order of StatementRole
    QTableWidget* GridRows = nullptr;

private:
    void fillRoleBoxes();
    SheetReader::Rows rows_;
};
