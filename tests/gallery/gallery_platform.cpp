// Gallery scenes of the platform layer: a grid over the cash entries.
#include "DBGrid.h"
#include "Dataset.h"
#include "Gallery.h"

namespace {
const bool registered = Gallery::add({QStringLiteral("platform_grid"), [] {
    auto* grid = new DBGrid;
    auto* ds = new Dataset(grid);
    grid->setDataset(ds);
    grid->setColumns({GridColumn::dateTime(QStringLiteral("YeWuRQ"), QStringLiteral("日期"), 120).footed(QStringLiteral("合计")),
                      GridColumn::text(QStringLiteral("ZhanYao"), QStringLiteral("摘要"), 120),
                      GridColumn::money(QStringLiteral("JieFang"), QStringLiteral("借方（增加）"), 90).summed(),
                      GridColumn::money(QStringLiteral("DaiFang"), QStringLiteral("贷方（减少）"), 90).summed(),
                      GridColumn::money(QStringLiteral("YuE"), QStringLiteral("余额"), 90)});
    ds->open(QStringLiteral("SELECT * FROM XJRJZ ORDER BY YeWuRQ"));
    return grid;
}, QSize(640, 240), {}});
}
