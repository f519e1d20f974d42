// Gallery scenes of the platform layer: a grid over the cash entries (sorted by two columns,
// find bar open), and print preview pages of a 15-column grid, fitted and not fitted.
#include "DBGrid.h"
#include "Dataset.h"
#include "Gallery.h"
#include "GridPrinter.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTableView>

namespace {

QVector<GridColumn> journalColumns()
{
    return {GridColumn::dateTime(QStringLiteral("YeWuRQ"), QStringLiteral("日期"), 120).footed(QStringLiteral("合计")),
            GridColumn::text(QStringLiteral("ZhanYao"), QStringLiteral("摘要"), 120),
            GridColumn::money(QStringLiteral("JieFang"), QStringLiteral("借方（增加）"), 90).summed(),
            GridColumn::money(QStringLiteral("DaiFang"), QStringLiteral("贷方（减少）"), 90).summed(),
            GridColumn::money(QStringLiteral("YuE"), QStringLiteral("余额"), 90)};
}

QVector<GridColumn> fifteenColumns()
{
    return {GridColumn::dateTime(QStringLiteral("YeWuRQ"), QStringLiteral("日期"), 97).footed(QStringLiteral("合计")),
            GridColumn::text(QStringLiteral("PingZhengNo"), QStringLiteral("凭证号"), 60),
            GridColumn::text(QStringLiteral("ZhanYao"), QStringLiteral("摘要"), 90),
            GridColumn::text(QStringLiteral("Detail"), QStringLiteral("明细"), 90),
            GridColumn::text(QStringLiteral("ZhanYaoType"), QStringLiteral("属性"), 40),
            GridColumn::money(QStringLiteral("QCJE"), QStringLiteral("期初金额"), 70),
            GridColumn::money(QStringLiteral("JieFang"), QStringLiteral("借方（增加）"), 82).summed(),
            GridColumn::money(QStringLiteral("DaiFang"), QStringLiteral("贷方（减少）"), 85).summed(),
            GridColumn::money(QStringLiteral("YuE"), QStringLiteral("余额"), 80),
            GridColumn::text(QStringLiteral("JingBR"), QStringLiteral("经办人"), 50),
            GridColumn::text(QStringLiteral("Fillter"), QStringLiteral("操作员"), 50),
            GridColumn::dateTime(QStringLiteral("FilltDate"), QStringLiteral("填写日期"), 97),
            GridColumn::text(QStringLiteral("Remark"), QStringLiteral("备注"), 70),
            GridColumn::text(QStringLiteral("faPiaoDW"), QStringLiteral("发票单位"), 80),
            GridColumn::text(QStringLiteral("KeMuDM"), QStringLiteral("科目代码"), 60)};
}

// The cash entries eight times over, so the pages have some rows.
const QString manyEntries = QStringLiteral(
    "SELECT x.* FROM XJRJZ x, (SELECT 1 UNION ALL SELECT 2 UNION ALL SELECT 3 UNION ALL SELECT 4 UNION ALL SELECT 5"
    " UNION ALL SELECT 6 UNION ALL SELECT 7 UNION ALL SELECT 8) ORDER BY x.YeWuRQ");

DBGrid* printedGrid(QWidget* owner)
{
    auto* grid = new DBGrid(owner);
    auto* ds = new Dataset(grid);
    grid->setDataset(ds);
    grid->setColumns(fifteenColumns());
    ds->open(manyEntries);
    grid->hide(); // printed at its design widths
    return grid;
}

// The first pages of the grid as printed, side by side.
QWidget* pages(GridPrinter::Options options, int count)
{
    auto* w = new QWidget;
    w->setStyleSheet(QStringLiteral("background: #808080;"));
    auto* lay = new QHBoxLayout(w);
    DBGrid* grid = printedGrid(w);
    const GridPrinter printer(grid, options);
    const QVector<QImage> images = printer.renderImages(GridPrinter::defaultPageLayout(), 110);
    for (int i = 0; i < std::min(count, int(images.size())); ++i) {
        auto* page = new QLabel(w);
        page->setPixmap(QPixmap::fromImage(images[i].scaledToWidth(560, Qt::SmoothTransformation)));
        lay->addWidget(page);
    }
    return w;
}

// The preview the "打印" buttons open, without its modal dialog around it.
class PreviewScene : public QWidget {
public:
    PreviewScene() : printer_(QPrinter::HighResolution)
    {
        printer_.setPageLayout(GridPrinter::defaultPageLayout());
        auto* lay = new QHBoxLayout(this);
        lay->setContentsMargins(0, 0, 0, 0);
        DBGrid* grid = printedGrid(this);
        auto* gp = new GridPrinter(grid, GridPrinter::AllOptions, this);
        auto* preview = new QPrintPreviewWidget(&printer_, this);
        connect(preview, &QPrintPreviewWidget::paintRequested, gp, [gp](QPrinter* p) { gp->render(p); });
        lay->addWidget(preview);
        preview->fitInView();
    }

private:
    QPrinter printer_;
};

const bool grid = Gallery::add({QStringLiteral("platform_grid"), [] {
    auto* grid = new DBGrid;
    auto* ds = new Dataset(grid);
    grid->setDataset(ds);
    grid->setColumns(journalColumns());
    ds->open(QStringLiteral("SELECT * FROM XJRJZ ORDER BY YeWuRQ"));
    return grid;
}, QSize(640, 240), {}});

const bool sorted = Gallery::add({QStringLiteral("platform_grid_sorted_find"), [] {
    auto* grid = new DBGrid;
    auto* ds = new Dataset(grid);
    grid->setDataset(ds);
    grid->setColumns(journalColumns());
    ds->open(QStringLiteral("SELECT * FROM XJRJZ ORDER BY YeWuRQ"));
    grid->setMultiSelect(true);
    return grid;
}, QSize(640, 260), [](QWidget* w) {
    auto* grid = static_cast<DBGrid*>(w);
    grid->titleClicked(3, false);
    grid->titleClicked(0, true);
    grid->titleClicked(0, true);
    grid->showFindBar();
    grid->findEdit()->setText(QStringLiteral("差旅"));
    grid->findNext(grid->findEdit()->text());
}});

const bool fitted = Gallery::add({QStringLiteral("platform_print_fitted"), [] { return pages(GridPrinter::AllOptions, 1); }, {}, {}});
const bool notFitted = Gallery::add({QStringLiteral("platform_print_not_fitted"), [] { return pages({}, 3); }, {}, {}});
const bool preview = Gallery::add({QStringLiteral("platform_print_preview"), [] { return new PreviewScene; }, QSize(900, 700), {}});

} // namespace
