#pragma once
// The frame shared by the six statistics windows: a toolbar ("导出", "统计", "打印", "退出"),
// an optional panel of inputs, and a grid of totals with the footers "合计", sum of JF and sum
// of DF. Every showing starts with an empty grid that already has its columns.
#include "Connection.h"
#include "Dataset.h"
#include "GridColumn.h"
#include "GridPrinter.h"
#include "Statistics.h"

#include <QDialog>

class DBGrid;
class DateEdit;
class QAction;
class QComboBox;
class QHBoxLayout;
class QToolBar;

class StatisticsForm : public QDialog {
    Q_OBJECT
public:
    struct Design {
        StatKind kind;
        QString caption;
        QString exportFileName;
        QVector<GridColumn> columns; // the grouping columns; JF, DF and SR are added
    };
    StatisticsForm(QWidget* owner, const Design& design);

    // Opens the empty statement and sets up the footers.
    virtual void FormShow();
    // "导出": the grid's rows to a file, proposing the window's file name.
    void RzToolButton1Click();
    // "统计": the window's own computation.
    virtual void RzToolButton2Click() = 0;
    // "打印": the print preview of the grid.
    void RzToolButton3Click();
    // "退出".
    void RzToolButton4Click();

    StatKind kind() const { return design_.kind; }
    QString exportFileName() const { return design_.exportFileName; }
    GridPrinter::Options printOptions() const { return PrintDBGridEh1->options(); }

    Dataset ADOQuery1;
    DBGrid* DBGridEh1 = nullptr;
    QToolBar* RzToolbar1 = nullptr;
    QAction* RzToolButton1 = nullptr;
    QAction* RzToolButton2 = nullptr;
    QAction* RzToolButton3 = nullptr;
    QAction* RzToolButton4 = nullptr;
    GridPrinter* PrintDBGridEh1 = nullptr;

protected:
    // Replaces the grid's rows by the statement's.
    void showRows(const Connection::Statement& st);
    // The row of inputs between the toolbar and the grid; created on first use.
    QHBoxLayout* inputPanel();
    void showEvent(QShowEvent* e) override;

private:
    Design design_;
    QHBoxLayout* panel_ = nullptr;
    class QVBoxLayout* layout_ = nullptr;
};

// The monthly windows: the year comes from the year picker.
class YearMonthStatisticsForm : public StatisticsForm {
    Q_OBJECT
public:
    YearMonthStatisticsForm(QWidget* owner, const Design& design, JournalKind journal);
    void RzToolButton2Click() override;
    // The statistics of one year; an empty year runs nothing.
    void runYear(const QString& year);

private:
    JournalKind journal_;
};

// The windows over a date range (by summary, by day): two date edits that may be empty and
// keep their dates between showings; the bank by-summary window also has an account box.
class DateRangeStatisticsForm : public StatisticsForm {
    Q_OBJECT
public:
    DateRangeStatisticsForm(QWidget* owner, const Design& design, bool accountBox);
    void FormShow() override;
    // Raises "统计日期不能为空" when either date is missing; the grid then keeps its rows.
    void RzToolButton2Click() override;

    DateEdit* DBDateTimeEditEh1 = nullptr;
    DateEdit* DBDateTimeEditEh2 = nullptr;
    QComboBox* ComboBox1 = nullptr; // "银行", bank by-summary window only
};
