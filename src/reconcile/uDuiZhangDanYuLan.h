#pragma once
// "导入预览": the lines a statement file will add, the lines skipped as already imported, and any
// break in the printed running balance by line number. "导入" is offered only without breaks.
#include "StatementImport.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;

class TfrmDuiZhangDanYuLan : public QDialog {
    Q_OBJECT
public:
    TfrmDuiZhangDanYuLan(const ImportPreview& preview, QWidget* parent = nullptr);

    QLabel* LabelSummary = nullptr;
    QLabel* LabelBreaks = nullptr;
    QTableWidget* GridLines = nullptr;
    QPushButton* btnImport = nullptr;
};
