#pragma once
// The table model through which a grid shows a dataset's rows, in the grid's columns.
#include "GridColumn.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <QVector>

#include "Dataset.h"

class DatasetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DatasetModel(QObject* parent = nullptr);
    void setDataset(Dataset* ds);
    Dataset* dataset() const { return ds_; }
    void setColumns(const QVector<GridColumn>& columns);
    const QVector<GridColumn>& columns() const { return columns_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

    // The value of a cell as its kind holds it: Money units as Money in a QVariant-free form
    // is given by cellMoney; dates as QDateTime; other values as stored.
    QVariant cellValue(int row, int column) const;
    // The text a cell shows: money as a plain number, dates in the system's format.
    QString cellText(int row, int column) const;
    // The text of a column's footer cell: nothing, its static text, or the column's sum over
    // every row the dataset holds.
    QString footerText(int column) const;

    static QString formatDateTime(const QDateTime& t);

Q_SIGNALS:
    void footerChanged();

private:
    void recomputeFooter();
    int fieldOf(int column) const;

    QPointer<Dataset> ds_;
    QVector<GridColumn> columns_;
    QVector<int> fieldIndex_;
    QVector<QString> footer_;
};
