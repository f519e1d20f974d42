#include "DBGrid.h"

#include "Application.h"
#include "Dataset.h"
#include "ChineseFormat.h"

#include <QAbstractTableModel>
#include <QAction>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
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
    // The footer is no data row: its row header carries no number.
    QVariant headerData(int section, Qt::Orientation o, int role) const override
    {
        if (o == Qt::Vertical && role == Qt::DisplayRole)
            return QString();
        return QAbstractTableModel::headerData(section, o, role);
    }

private:
    DatasetModel* src_;
};

DBGrid::DBGrid(QWidget* parent) : QWidget(parent), view_(new QTableView(this)), footer_(new QTableView(this)),
    model_(new DatasetModel(this)), footerModel_(new FooterModel(model_, this)), findBar_(new QWidget(this)),
    findEdit_(new QLineEdit(findBar_)), findStatus_(new QLabel(findBar_))
{
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);
    lay->addWidget(view_, 1);
    lay->addWidget(footer_);
    lay->addWidget(findBar_);

    view_->setModel(model_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setAlternatingRowColors(false);
    view_->verticalHeader()->setDefaultSectionSize(25);
    view_->verticalHeader()->setMinimumSectionSize(25);
    view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view_->verticalHeader()->setFixedWidth(12);
    view_->horizontalHeader()->setSectionsMovable(true);
    view_->horizontalHeader()->setSectionsClickable(true);
    view_->horizontalHeader()->setHighlightSections(false);
    view_->horizontalHeader()->setSortIndicatorShown(false);
    view_->setWordWrap(false);
    view_->setSortingEnabled(false); // sorting goes through the dataset, never a proxy

    footer_->setModel(footerModel_);
    footer_->horizontalHeader()->hide();
    footer_->verticalHeader()->setFixedWidth(12);
    footer_->verticalHeader()->setDefaultSectionSize(25);
    footer_->verticalHeader()->setMinimumSectionSize(25);
    footer_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    footer_->setFixedHeight(27);
    footer_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    footer_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    footer_->setSelectionMode(QAbstractItemView::NoSelection);
    footer_->setFocusPolicy(Qt::NoFocus);
    footer_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    footer_->setStyleSheet(QStringLiteral("QTableView { background: palette(button); }"));

    // The find bar, hidden until Ctrl+F.
    auto* findLay = new QHBoxLayout(findBar_);
    findLay->setContentsMargins(4, 2, 4, 2);
    auto* findLabel = new QLabel(QStringLiteral("查找(&F):"), findBar_);
    findLabel->setBuddy(findEdit_);
    auto* findNextButton = new QPushButton(QStringLiteral("查找下一个(&N)"), findBar_);
    auto* closeButton = new QToolButton(findBar_);
    closeButton->setText(QStringLiteral("×"));
    closeButton->setToolTip(QStringLiteral("关闭查找"));
    closeButton->setAccessibleName(QStringLiteral("关闭查找"));
    findLay->addWidget(findLabel);
    findLay->addWidget(findEdit_, 1);
    findLay->addWidget(findNextButton);
    findLay->addWidget(findStatus_);
    findLay->addWidget(closeButton);
    findBar_->hide();
    setTabOrder(findEdit_, findNextButton);
    setTabOrder(findNextButton, closeButton);

    auto* findAction = new QAction(QStringLiteral("查找"), this);
    findAction->setShortcut(QKeySequence::Find);
    findAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(findAction);
    connect(findAction, &QAction::triggered, this, guarded([this] { showFindBar(); }));
    const auto doFind = guarded([this] {
        findStatus_->setText(findNext(findEdit_->text()) ? QString() : QStringLiteral("未找到"));
    });
    connect(findEdit_, &QLineEdit::returnPressed, this, doFind);
    connect(findNextButton, &QPushButton::clicked, this, doFind);
    connect(closeButton, &QToolButton::clicked, this, [this] {
        findBar_->hide();
        view_->setFocus();
    });

    QHeaderView* header = view_->horizontalHeader();
    connect(header, &QHeaderView::sectionClicked, this, guarded([this](int logical) {
        titleClicked(logical, QGuiApplication::keyboardModifiers().testFlag(Qt::ControlModifier));
    }));
    connect(header, &QHeaderView::sectionResized, this, &DBGrid::syncFooterWidths);
    connect(header, &QHeaderView::sectionMoved, this, &DBGrid::syncFooterWidths);
    connect(view_->horizontalScrollBar(), &QScrollBar::valueChanged, footer_->horizontalScrollBar(), &QScrollBar::setValue);
    // The room to fit into changes with the grid's size and with the vertical scroll bar coming
    // and going; both resize the viewport.
    view_->viewport()->installEventFilter(this);
    connect(view_, &QTableView::doubleClicked, this, [this] { Q_EMIT doubleClicked(); });
    connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            guarded([this](const QModelIndex& cur, const QModelIndex&) {
                if (!following_ && cur.isValid() && dataset())
                    dataset()->moveTo(cur.row());
            }));
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        applyHidden();
        syncFooterWidths();
        followDataset();
    });
}

void DBGrid::setDataset(Dataset* ds)
{
    if (Dataset* old = dataset())
        disconnect(old, nullptr, this, nullptr);
    model_->setDataset(ds);
    if (ds)
        connect(ds, &Dataset::afterScroll, this, &DBGrid::followDataset);
    followDataset();
}

void DBGrid::setColumns(const QVector<GridColumn>& columns)
{
    model_->setColumns(columns);
    applyHidden();
    fitColumns();
}

void DBGrid::applyHidden()
{
    const auto& cols = model_->columns();
    for (int c = 0; c < cols.size(); ++c)
        view_->setColumnHidden(c, !cols[c].visible);
}

void DBGrid::setMultiSelect(bool on)
{
    view_->setSelectionMode(on ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

void DBGrid::setFooterVisible(bool on)
{
    footerShown_ = on;
    footer_->setVisible(on);
}

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

void DBGrid::titleClicked(int column, bool addToSort)
{
    if (column < 0 || column >= model_->columnCount())
        return;
    DatasetModel::SortOrder order = model_->sortOrder();
    int at = -1;
    for (int i = 0; i < order.size(); ++i)
        if (order[i].first == column)
            at = i;
    if (addToSort) {
        if (at >= 0)
            order[at].second = !order[at].second;
        else
            order << qMakePair(column, true);
    } else {
        const bool ascending = at >= 0 ? !order[at].second : true;
        order = {qMakePair(column, ascending)};
    }
    sortBy(order);
}

void DBGrid::sortBy(const DatasetModel::SortOrder& order)
{
    following_ = true;
    try {
        model_->sortRows(order);
    } catch (...) {
        following_ = false;
        throw;
    }
    following_ = false;
    followDataset();
}

bool DBGrid::findNext(const QString& text)
{
    Dataset* ds = dataset();
    if (!ds || text.isEmpty() || ds->rowCount() == 0)
        return false;
    const QVector<int> cols = visibleColumnsInViewOrder();
    const int n = ds->rowCount();
    const int start = ds->currentRow();
    for (int k = 1; k <= n; ++k) {
        const int r = (start + k) % n;
        for (int c : cols) {
            if (model_->cellText(r, c).contains(text, Qt::CaseInsensitive)) {
                ds->moveTo(r);
                return true;
            }
        }
    }
    return false;
}

void DBGrid::showFindBar()
{
    findStatus_->clear();
    findBar_->show();
    findEdit_->setFocus();
    findEdit_->selectAll();
}

bool DBGrid::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == view_->viewport() && e->type() == QEvent::Resize) {
        const auto* r = static_cast<QResizeEvent*>(e);
        if (r->size().width() != r->oldSize().width())
            fitColumns();
    }
    return QWidget::eventFilter(watched, e);
}

void DBGrid::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    fitColumns();
}

int DBGrid::minimumColumnWidth(const GridColumn& c) const
{
    if (c.kind != GridColumn::Kind::DateTime)
        return 20;
    // The longest date text a cell shows, with the cell's margins and a little air.
    const QString widest = ChineseFormat::dateTime(QDate(2000, 12, 28), QTime(20, 48, 48));
    return view_->fontMetrics().horizontalAdvance(widest) + 2 * view_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 10;
}

void DBGrid::fitColumns()
{
    const auto& cols = model_->columns();
    if (!isVisible()) {
        // Nothing to fit into yet: the design widths hold until the grid is shown.
        for (int c = 0; c < cols.size(); ++c)
            if (cols[c].visible)
                view_->setColumnWidth(c, std::max(cols[c].width, minimumColumnWidth(cols[c])));
        syncFooterWidths();
        return;
    }
    const int avail = view_->viewport()->width();
    if (avail <= 0)
        return;
    // The columns share the width in proportion to their design widths; a column whose share is
    // below its minimum (a date that would be cut) gets its minimum and the others share the rest.
    QVector<bool> pinned(cols.size(), false);
    for (bool again = true; again;) {
        again = false;
        qint64 total = 0;
        int left = avail;
        for (int c = 0; c < cols.size(); ++c) {
            if (!cols[c].visible)
                continue;
            if (pinned[c])
                left -= minimumColumnWidth(cols[c]);
            else
                total += std::max(cols[c].width, 1);
        }
        for (int c = 0; c < cols.size() && total > 0; ++c)
            if (cols[c].visible && !pinned[c] && std::max(cols[c].width, 1) * qint64(std::max(left, 0)) / total < minimumColumnWidth(cols[c]))
                pinned[c] = again = true;
    }
    qint64 total = 0;
    int left = avail;
    for (int c = 0; c < cols.size(); ++c) {
        if (!cols[c].visible)
            continue;
        if (pinned[c])
            left -= minimumColumnWidth(cols[c]);
        else
            total += std::max(cols[c].width, 1);
    }
    left = std::max(left, 0);
    // Cumulative rounding, so the widths add up to the available width exactly.
    qint64 run = 0;
    int given = 0;
    for (int c = 0; c < cols.size(); ++c) {
        if (!cols[c].visible)
            continue;
        if (pinned[c]) {
            view_->setColumnWidth(c, minimumColumnWidth(cols[c]));
            continue;
        }
        run += std::max(cols[c].width, 1);
        const int upTo = int(run * left / total);
        view_->setColumnWidth(c, std::max(20, upTo - given));
        given = upTo;
    }
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
    if (!ds || following_)
        return;
    following_ = true;
    const int row = ds->currentRow();
    if (row >= 0 && row < model_->rowCount()) {
        const QVector<int> shown = visibleColumnsInViewOrder();
        const QModelIndex i = model_->index(row, shown.isEmpty() ? 0 : shown.first());
        view_->selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        view_->scrollTo(i);
    } else {
        view_->selectionModel()->clearSelection();
    }
    following_ = false;
}
