#pragma once
// The daily fund report window "资金日报表": a day, whose entries (every operator's or the
// logged-in operator's), the report grid with its "合计" footer, and the month's balance chart.
#include "Dataset.h"
#include "DailyFunds.h"

#include <QDialog>

class BalanceChart;
class DBGrid;
class GridPrinter;
class QAction;
class QDateEdit;
class QRadioButton;
class QToolBar;

class TfrmZiJinRiBao : public QDialog {
    Q_OBJECT
public:
    explicit TfrmZiJinRiBao(QWidget* owner);
    ~TfrmZiJinRiBao() override;

    // Every showing reads the report afresh for the picked day.
    void FormShow();
    // The report and the chart for the picked day and operator choice.
    void refresh();
    OperatorFilter operatorFilter() const;

    void exportClick();      // "导出"
    void printClick();       // "打印"
    void chartExportClick(); // "导出图表": the chart as a PNG file
    void chartPrintClick();  // "打印图表"
    void exitClick();        // "退出"

    // The file the chart is saved to: the chosen path, with ".png" unless it ends so already.
    static QString pngPath(const QString& chosen);
    static QString exportFileName() { return QStringLiteral("资金日报表"); }

    Dataset ADOQuery1;
    QToolBar* RzToolbar1;
    QAction* RzToolButton1; // 导出
    QAction* RzToolButton2; // 打印
    QAction* RzToolButton3; // 导出图表
    QAction* RzToolButton4; // 打印图表
    QAction* RzToolButton5; // 退出
    QDateEdit* DateTimePicker1;
    QRadioButton* RadioButton1; // 全部操作员
    QRadioButton* RadioButton2; // 当前操作员
    DBGrid* DBGridEh1;
    GridPrinter* PrintDBGridEh1;
    BalanceChart* Chart1;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void followCurrentRow();
};

extern TfrmZiJinRiBao* frmZiJinRiBao;
