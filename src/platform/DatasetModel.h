#pragma once
// The table model through which a grid shows a dataset's rows, in the grid's columns.
#include "GridColumn.h"

#include <QAbstractTableModel>
#include <QPair>
#include <QPointer>
#include <QVector>

#include "Dataset.h"

class DatasetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Columns marked for sorting, in the order they were marked (model column, ascending).
    using SortOrder = QVector<QPair<int, bool>>;

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
    // A money or integer cell as an exact amount (integers as whole amounts); null reads as zero.
    Money cellMoney(int row, int column) const;
    // A date-time cell's date and time; false for null or unreadable values.
    bool cellDateTime(int row, int column, QDate& date, QTime& time) const;
    // The text a cell shows: money as a plain number, dates in the system's format.
    QString cellText(int row, int column) const;
    // The text of a column's footer cell: nothing, its static text, or the column's sum over
    // every row the dataset holds.
    QString footerText(int column) const;
    // Whether any column has a footer cell other than nothing.
    bool hasFooter() const;

    // Reorders the dataset's rows in memory by the marked columns (no new query) and shows the
    // marks in the titles. Opening the dataset again clears the marks.
    void sortRows(const SortOrder& order);
    const SortOrder& sortOrder() const { return sortOrder_; }
    bool isSorting() const { return sorting_; }
    // A column's title with its sort mark: "▲"/"▼", numbered when several are marked.
    QString titleWithMark(int column) const;

    static QString formatDateTime(const QDateTime& t);
    static QString formatDateTime(const QDate& d, const QTime& t, bool timeAtMidnight = false);
    // Reads a stored date-time ("yyyy-MM-dd HH:mm:ss", or what Dataset::parseDateTime reads)
    // into its date and time without the local-time lookups of QDateTime.
    static bool splitDateTime(const QVariant& v, QDate& date, QTime& time);

Q_SIGNALS:
    void footerChanged();

private:
    void recomputeFooter();
    int fieldOf(int column) const;

    QPointer<Dataset> ds_;
    QVector<GridColumn> columns_;
    QVector<int> fieldIndex_;
    QVector<QString> footer_;
    SortOrder sortOrder_;
    bool sorting_ = false;
};
