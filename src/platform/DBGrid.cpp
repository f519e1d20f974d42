#include "DBGrid.h"

#include "Application.h"
#include "Dataset.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

// The single footer row, shown in a second view kept in step with the grid's columns.
class FooterModel : public QAbstractTableModel {
public:
    explicit FooterModel(DatasetModel* source, QObject* parent) : QAbstractTableModel(parent), src_(source)
    {
        connect(src_, &DatasetModel::footerChanged, this, [this] {
            if (columnCount() > 0)
                Q_EMIT dataChanged(index(0, 0), index(0, columnCount() - 1));
        });
        connect(src_, &QAbstractItemModel::modelReset, this, [this] {
            beginResetModel();
            endResetModel();
        });
    }
    int rowCount(const QModelIndex& p = {}) const override { return p.isValid() ? 0 : 1; }
    int columnCount(const QModelIndex& p = {}) const override { return p.isValid() ? 0 : src_->columnCount(); }
    QVariant data(const QModelIndex& i, int role) const override
    {
        if (role == Qt::DisplayRole)
            return src_->footerText(i.column());
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(src_->columns().value(i.column()).alignment);
        return {};
    }

private:
    DatasetModel* src_;
};

DBGrid::DBGrid(QWidget* parent) : QWidget(parent), view_(new QTableView(this)), footer_(new QTableView(this)),
    model_(new DatasetModel(this)), footerModel_(new FooterModel(model_, this))
{
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);
    lay->addWidget(view_, 1);
    lay->addWidget(footer_);

    view_->setModel(model_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setAlternatingRowColors(false);
    view_->verticalHeader()->setDefaultSectionSize(25);
    view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view_->verticalHeader()->setFixedWidth(12);
    view_->horizontalHeader()->setSectionsMovable(true);
    view_->horizontalHeader()->setHighlightSections(false);
    view_->setWordWrap(false);

    footer_->setModel(footerModel_);
    footer_->horizontalHeader()->hide();
    footer_->verticalHeader()->setFixedWidth(12);
    footer_->verticalHeader()->setDefaultSectionSize(25);
    footer_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    footer_->setFixedHeight(27);
    footer_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    footer_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    footer_->setSelectionMode(QAbstractItemView::NoSelection);
    footer_->setFocusPolicy(Qt::NoFocus);
    footer_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    footer_->setStyleSheet(QStringLiteral("QTableView { background: palette(button); }"));

    connect(view_->horizontalHeader(), &QHeaderView::sectionResized, this, &DBGrid::syncFooterWidths);
    connect(view_->horizontalHeader(), &QHeaderView::sectionMoved, this, &DBGrid::syncFooterWidths);
    connect(view_->horizontalScrollBar(), &QScrollBar::valueChanged, footer_->horizontalScrollBar(), &QScrollBar::setValue);
    connect(view_, &QTableView::doubleClicked, this, [this] { Q_EMIT doubleClicked(); });
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        for (int c = 0; c < model_->columnCount(); ++c)
            view_->setColumnHidden(c, !model_->columns()[c].visible);
        fitColumns();
        followDataset();
    });
}

void DBGrid::setDataset(Dataset* ds)
{
    model_->setDataset(ds);
    if (ds) {
        connect(ds, &Dataset::afterScroll, this, &DBGrid::followDataset);
        connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                guarded([this](const QModelIndex& cur, const QModelIndex&) {
                    if (!following_ && cur.isValid() && dataset())
                        dataset()->moveTo(cur.row());
                }));
    }
}

void DBGrid::setColumns(const QVector<GridColumn>& columns)
{
    model_->setColumns(columns);
    for (int c = 0; c < columns.size(); ++c)
        view_->setColumnHidden(c, !columns[c].visible);
    fitColumns();
}

void DBGrid::setMultiSelect(bool on)
{
    view_->setSelectionMode(on ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

void DBGrid::setFooterVisible(bool on) { footer_->setVisible(on); }

QVector<int> DBGrid::visibleColumnsInViewOrder() const
{
    QVector<int> out;
    const QHeaderView* h = view_->horizontalHeader();
    for (int v = 0; v < h->count(); ++v) {
        const int c = h->logicalIndex(v);
        if (!view_->isColumnHidden(c))
            out << c;
    }
    return out;
}

QVector<int> DBGrid::selectedRows() const
{
    QVector<int> rows;
    for (const QModelIndex& i : view_->selectionModel()->selectedRows())
        rows << i.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

void DBGrid::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    fitColumns();
}

void DBGrid::fitColumns()
{
    const auto& cols = model_->columns();
    int total = 0;
    for (const GridColumn& c : cols)
        if (c.visible)
            total += std::max(c.width, 1);
    const int avail = view_->viewport()->width();
    if (total <= 0 || avail <= 0)
        return;
    for (int c = 0; c < cols.size(); ++c)
        if (cols[c].visible)
            view_->setColumnWidth(c, std::max(20, std::max(cols[c].width, 1) * avail / total));
    syncFooterWidths();
}

void DBGrid::syncFooterWidths()
{
    const QHeaderView* h = view_->horizontalHeader();
    QHeaderView* fh = footer_->horizontalHeader();
    for (int c = 0; c < model_->columnCount(); ++c) {
        footer_->setColumnHidden(c, view_->isColumnHidden(c));
        footer_->setColumnWidth(c, view_->columnWidth(c));
        const int want = h->visualIndex(c);
        const int now = fh->visualIndex(c);
        if (want >= 0 && now >= 0 && want != now)
            fh->moveSection(now, want);
    }
}

void DBGrid::followDataset()
{
    Dataset* ds = dataset();
    if (!ds)
        return;
    following_ = true;
    const int row = ds->currentRow();
    if (row >= 0) {
        const QModelIndex i = model_->index(row, view_->horizontalHeader()->logicalIndex(0));
        view_->selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        view_->scrollTo(i);
    } else {
        view_->selectionModel()->clearSelection();
    }
    following_ = false;
}
