#pragma once
// A view-only data grid over a dataset: whole-row selection, 25-pixel rows, column widths fitted
// in proportion to the design widths, one footer row under the columns, local sorting by title
// clicks (Ctrl+click marks further columns) and a find bar (Ctrl+F).
#include "DatasetModel.h"
#include "GridColumn.h"

#include <QPointer>
#include <QWidget>

class Dataset;
class QLabel;
class QLineEdit;
class QTableView;

class DBGrid : public QWidget {
    Q_OBJECT
public:
    explicit DBGrid(QWidget* parent = nullptr);

    void setDataset(Dataset* ds);
    Dataset* dataset() const { return model_->dataset(); }
    void setColumns(const QVector<GridColumn>& columns);
    const QVector<GridColumn>& columns() const { return model_->columns(); }
    void setMultiSelect(bool on);
    void setFooterVisible(bool on);
    bool isFooterVisible() const { return footerShown_; }

    QTableView* view() const { return view_; }
    QTableView* footerView() const { return footer_; }
    DatasetModel* model() const { return model_; }
    QString footerText(int column) const { return model_->footerText(column); }
    // Visible columns in their on-screen order (model column numbers).
    QVector<int> visibleColumnsInViewOrder() const;
    // The rows the user selected, ascending.
    QVector<int> selectedRows() const;

    // A click on a column title: alone it sorts by that column (again: reversed); with
    // `addToSort` (Ctrl held) the column joins the marked ones, or reverses if already marked.
    void titleClicked(int column, bool addToSort);
    void sortBy(const DatasetModel::SortOrder& order);
    const DatasetModel::SortOrder& sortOrder() const { return model_->sortOrder(); }

    // The find bar: moves to the next row after the current one (wrapping) whose shown text
    // in a visible column contains `text`, ignoring letter case. False when no row has it.
    bool findNext(const QString& text);
    void showFindBar();
    QLineEdit* findEdit() const { return findEdit_; }

    // Fits the visible columns to the grid's width in proportion to their design widths.
    void fitColumns();
    // The narrowest a column may be fitted: a date column keeps room for its whole text.
    int minimumColumnWidth(const GridColumn& c) const;

Q_SIGNALS:
    void doubleClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void syncFooterWidths();
    void followDataset();
    void applyHidden();

    QTableView* view_;
    QTableView* footer_;
    DatasetModel* model_;
    class FooterModel* footerModel_;
    QWidget* findBar_;
    QLineEdit* findEdit_;
    QLabel* findStatus_;
    bool following_ = false;
    bool footerShown_ = true;
};
