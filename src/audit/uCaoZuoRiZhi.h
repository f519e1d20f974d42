#pragma once
// "操作日志": the operation log, filtered by date, operator, kind, table and text, newest first;
// the selected row's values before and after side by side; export, print and the chain check.
#include "Dataset.h"
#include "LogQuery.h"

#include <QDialog>

class DBGrid;
class DateEdit;
class GridPrinter;
class QAction;
class QComboBox;
class QLineEdit;
class QTableWidget;
class QToolBar;

class TfrmCaoZuoRiZhi : public QDialog {
    Q_OBJECT
public:
    explicit TfrmCaoZuoRiZhi(QWidget* owner);
    ~TfrmCaoZuoRiZhi() override;

    // The filters as the boxes hold them.
    LogQuery::Filter filter() const;
    // Lists the rows that match the filters and shows the newest.
    void btnQueryClick();
    void btnExportClick();
    void btnPrintClick();
    // Walks the chain and reports the outcome in a message.
    void btnCheckClick();
    // Fills the before/after table from the current row.
    void showCurrentChange();

    QToolBar* ToolBar1;
    QAction* btnQuery;
    QAction* btnExport;
    QAction* btnPrint;
    QAction* btnCheck;
    QAction* btnExit;
    DateEdit* DateFrom;
    DateEdit* DateTo;
    QComboBox* cbOperator;
    QComboBox* cbKind;
    QComboBox* cbTable;
    QLineEdit* edText;
    DBGrid* DBGridEh1;
    QTableWidget* tblChange;
    Dataset ADOQuery1;

protected:
    void showEvent(QShowEvent* event) override;

private:
    GridPrinter* printer_;
};

extern TfrmCaoZuoRiZhi* frmCaoZuoRiZhi;
