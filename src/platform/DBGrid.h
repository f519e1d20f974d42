#pragma once
// A view-only data grid over a dataset: whole-row selection, 25-pixel rows, column widths fitted
// in proportion to the design widths, and one footer row under the columns.
#include "DatasetModel.h"
#include "GridColumn.h"

#include <QPointer>
#include <QWidget>

class Dataset;
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

    QTableView* view() const { return view_; }
    QTableView* footerView() const { return footer_; }
    DatasetModel* model() const { return model_; }
    QString footerText(int column) const { return model_->footerText(column); }
    // Visible columns in their on-screen order (model column numbers).
    QVector<int> visibleColumnsInViewOrder() const;
    // The rows the user selected, ascending.
    QVector<int> selectedRows() const;

Q_SIGNALS:
    void doubleClicked();

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void fitColumns();
    void syncFooterWidths();
    void followDataset();

    QTableView* view_;
    QTableView* footer_;
    DatasetModel* model_;
    class FooterModel* footerModel_;
    bool following_ = false;
};
