#include "DatasetModel.h"

#include "Dataset.h"
#include "Money.h"

#include "ChineseFormat.h"

#include <stdexcept>

DatasetModel::DatasetModel(QObject* parent) : QAbstractTableModel(parent) {}

void DatasetModel::setDataset(Dataset* ds)
{
    beginResetModel();
    if (ds_)
        disconnect(ds_, nullptr, this, nullptr);
    ds_ = ds;
    sortOrder_.clear();
    if (ds_) {
        connect(ds_, &Dataset::opened, this, [this] {
            if (sorting_)
                return; // sortRows announces the reordering as a layout change
            beginResetModel();
            sortOrder_.clear();
            setColumns(columns_);
            endResetModel();
        });
        connect(ds_, &Dataset::rowChanged, this, [this](int row) {
            Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
            recomputeFooter();
        });
        connect(ds_, &Dataset::rowAboutToBeInserted, this, [this](int row) { beginInsertRows({}, row, row); });
        connect(ds_, &Dataset::rowInserted, this, [this] {
            endInsertRows();
            recomputeFooter();
        });
        connect(ds_, &Dataset::rowAboutToBeRemoved, this, [this](int row) { beginRemoveRows({}, row, row); });
        connect(ds_, &Dataset::rowRemoved, this, [this] {
            endRemoveRows();
            recomputeFooter();
        });
    }
    endResetModel();
    setColumns(columns_);
}

void DatasetModel::setColumns(const QVector<GridColumn>& columns)
{
    const bool shapeChanged = columns.size() != columns_.size();
    if (shapeChanged) {
        beginResetModel();
        sortOrder_.clear();
    }
    columns_ = columns;
    fieldIndex_.clear();
    for (const GridColumn& c : columns_)
        fieldIndex_ << (ds_ ? ds_->fieldIndex(c.field) : -1);
    if (shapeChanged)
        endResetModel();
    else if (!columns_.isEmpty())
        Q_EMIT headerDataChanged(Qt::Horizontal, 0, int(columns_.size()) - 1);
    recomputeFooter();
}

int DatasetModel::fieldOf(int column) const { return fieldIndex_.value(column, -1); }

int DatasetModel::rowCount(const QModelIndex& parent) const
{
    return (parent.isValid() || !ds_) ? 0 : ds_->rowCount();
}

int DatasetModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(columns_.size()); }

QVariant DatasetModel::cellValue(int row, int column) const
{
    const int f = fieldOf(column);
    if (!ds_ || f < 0 || row < 0 || row >= ds_->rowCount())
        return {};
    const QVariant v = ds_->valueAt(row, f);
    switch (columns_[column].kind) {
    case GridColumn::Kind::DateTime:
        return v.isNull() ? QVariant() : QVariant(Dataset::parseDateTime(v));
    default:
        return v;
    }
}

Money DatasetModel::cellMoney(int row, int column) const
{
    const QVariant v = cellValue(row, column);
    if (v.isNull() || !v.isValid())
        return Money();
    if (columns_[column].kind == GridColumn::Kind::Integer)
        return Money::fromUnits(v.toLongLong() * Money::Scale);
    if (v.typeId() == QMetaType::QString) // an amount still being typed counts once saved
        return Money();
    return Money::fromStorage(v);
}

bool DatasetModel::splitDateTime(const QVariant& v, QDate& date, QTime& time)
{
    if (v.isNull() || !v.isValid())
        return false;
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString();
        const auto num = [&s](int at, int len, int& out) {
            int n = 0;
            for (int i = at; i < at + len; ++i) {
                const int d = s[i].digitValue();
                if (d < 0)
                    return false;
                n = n * 10 + d;
            }
            out = n;
            return true;
        };
        int y, mo, d, h = 0, mi = 0, se = 0;
        const bool dateOk = (s.size() == 10 || (s.size() == 19 && s[10] == u' ')) && s[4] == u'-' && s[7] == u'-'
                            && num(0, 4, y) && num(5, 2, mo) && num(8, 2, d);
        const bool timeOk = s.size() == 10 || (s[13] == u':' && s[16] == u':' && num(11, 2, h) && num(14, 2, mi) && num(17, 2, se));
        if (dateOk && timeOk) {
            date = QDate(y, mo, d);
            time = QTime(h, mi, se);
            if (date.isValid() && time.isValid())
                return true;
        }
    }
    const QDateTime t = Dataset::parseDateTime(v);
    if (!t.isValid())
        return false;
    date = t.date();
    time = t.time();
    return true;
}

bool DatasetModel::cellDateTime(int row, int column, QDate& date, QTime& time) const
{
    const int f = fieldOf(column);
    if (!ds_ || f < 0 || row < 0 || row >= ds_->rowCount())
        return false;
    return splitDateTime(ds_->valueAt(row, f), date, time);
}

QString DatasetModel::formatDateTime(const QDate& d, const QTime& t, bool timeAtMidnight)
{
    if (!d.isValid())
        return {};
    // A stored midnight is a date without a time of day, unless the column shows every time.
    if (!t.isValid() || (!timeAtMidnight && t == QTime(0, 0)))
        return ChineseFormat::date(d);
    return ChineseFormat::dateTime(d, t);
}

QString DatasetModel::formatDateTime(const QDateTime& t)
{
    return t.isValid() ? formatDateTime(t.date(), t.time()) : QString();
}

QString DatasetModel::cellText(int row, int column) const
{
    const int f = fieldOf(column);
    if (!ds_ || f < 0 || row < 0 || row >= ds_->rowCount())
        return {};
    const QVariant v = ds_->valueAt(row, f);
    if (v.isNull())
        return {};
    switch (columns_[column].kind) {
    case GridColumn::Kind::Money:
        return v.typeId() == QMetaType::QString ? v.toString() : Money::fromStorage(v).toString();
    case GridColumn::Kind::DateTime: {
        QDate d;
        QTime t;
        return splitDateTime(v, d, t) ? formatDateTime(d, t, columns_[column].timeAtMidnight) : QString();
    }
    default:
        return v.toString();
    }
}

QVariant DatasetModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return cellText(index.row(), index.column());
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(columns_[index.column()].alignment);
    return {};
}

QString DatasetModel::titleWithMark(int column) const
{
    const QString title = columns_.value(column).title;
    for (int i = 0; i < sortOrder_.size(); ++i) {
        if (sortOrder_[i].first != column)
            continue;
        QString mark = sortOrder_[i].second ? QStringLiteral("▲") : QStringLiteral("▼");
        if (sortOrder_.size() > 1)
            mark += QString::number(i + 1);
        return title + u' ' + mark;
    }
    return title;
}

QVariant DatasetModel::headerData(int section, Qt::Orientation o, int role) const
{
    if (o != Qt::Horizontal || section < 0 || section >= columns_.size())
        return QAbstractTableModel::headerData(section, o, role);
    if (role == Qt::DisplayRole)
        return titleWithMark(section);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    return {};
}

void DatasetModel::sortRows(const SortOrder& order)
{
    SortOrder kept, byField;
    for (const auto& [column, ascending] : order) {
        const int f = fieldOf(column);
        if (f >= 0) {
            kept << qMakePair(column, ascending);
            byField << qMakePair(f, ascending);
        }
    }
    sortOrder_ = kept;
    if (ds_ && ds_->isOpen() && !byField.isEmpty()) {
        Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
        sorting_ = true;
        try {
            ds_->sortBy(byField);
        } catch (...) {
            sorting_ = false;
            Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
            throw;
        }
        sorting_ = false;
        Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    }
    if (!columns_.isEmpty())
        Q_EMIT headerDataChanged(Qt::Horizontal, 0, int(columns_.size()) - 1);
}

QString DatasetModel::footerText(int column) const { return footer_.value(column); }

bool DatasetModel::hasFooter() const
{
    for (const GridColumn& c : columns_)
        if (c.footer != GridColumn::Footer::None)
            return true;
    return false;
}

void DatasetModel::recomputeFooter()
{
    footer_ = QVector<QString>(columns_.size());
    const int n = ds_ ? ds_->rowCount() : 0;
    for (int c = 0; c < columns_.size(); ++c) {
        const GridColumn& col = columns_[c];
        if (col.footer == GridColumn::Footer::Text) {
            footer_[c] = col.footerText;
        } else if (col.footer == GridColumn::Footer::Sum) {
            const int f = fieldOf(c);
            if (f < 0)
                continue;
            try {
                Money sum;
                for (int r = 0; r < n; ++r)
                    sum += cellMoney(r, c);
                footer_[c] = col.kind == GridColumn::Kind::Integer ? QString::number(sum.units() / Money::Scale) : sum.toString();
            } catch (const std::overflow_error&) {
                footer_[c] = QStringLiteral("溢出"); // the sum leaves the money range; show that rather than a wrong figure
            }
        }
    }
    Q_EMIT footerChanged();
}
