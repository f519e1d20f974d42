#pragma once
// The month closing window "月末结账": every month that holds entries or is closed with its
// state, the selected month's balance sets, and the two commands 结账 and 反结账.
#include "Dataset.h"

#include <QDialog>

class DBGrid;
class GridPrinter;
class QAction;
class QLabel;
class QTableWidget;
class QToolBar;

class TfrmJieZhang : public QDialog {
    Q_OBJECT
public:
    explicit TfrmJieZhang(QWidget* owner);
    ~TfrmJieZhang() override;

    // Every showing reads the months afresh and selects the month 结账 would close.
    void FormShow();
    // Shows the balance sets of `month` ("yyyy-MM") and selects it in the month list.
    void showMonth(const QString& month);
    QString shownMonth() const { return shownMonth_; }

    void btnJieZhangClick();    // 结账
    void btnFanJieZhangClick(); // 反结账
    void btnExportClick();      // 导出
    void btnPrintClick();       // 打印
    void btnLedgerClick();      // 打印账页
    void btnExitClick();        // 退出

    QToolBar* RzToolbar1;
    QAction* btnJieZhang;
    QAction* btnFanJieZhang;
    QAction* btnExport;
    QAction* btnPrint;
    QAction* btnLedger;
    QAction* btnExit;
    QTableWidget* MonthList; // 月份, 状态
    QLabel* Label1;          // the shown month and its state
    Dataset ADOQuery1;       // the shown month's balance sets
    DBGrid* DBGridEh1;
    GridPrinter* PrintDBGridEh1;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void loadMonths();
    QString shownMonth_;
};

extern TfrmJieZhang* frmJieZhang;
