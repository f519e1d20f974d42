#include "GridPrinter.h"

#include "DBGrid.h"
#include "DatasetModel.h"
#include "Maximise.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTableView>
#include <functional>

namespace {
constexpr double MmPerScreenPixel = 25.4 / 96.0;
constexpr double CellPaddingMm = 0.8;
constexpr double LineMm = 0.15;

// The grid's font sized in points for the page, by `scale`. A font set in screen pixels has no
// point size; its pixels are taken at the screen's 96 per inch, so it prints as large as it shows.
QFont pageFont(QFont f, double scale)
{
    const double points = f.pointSizeF() > 0 ? f.pointSizeF() : f.pixelSize() * 72.0 / 96.0;
    f.setPointSizeF(points * scale);
    return f;
}
} // namespace

// The printed shape of the grid: which columns, how wide, and by what factor text is scaled.
struct GridPrinter::Geometry {
    QVector<int> columns;     // model columns in screen order
    QVector<double> widthsMm; // as printed, scale applied
    double scale = 1.0;       // applied to fonts and row heights when the grid is scaled to fit
};

GridPrinter::GridPrinter(DBGrid* grid, Options options, QObject* parent) : QObject(parent), grid_(grid), options_(options) {}

QPageLayout GridPrinter::defaultPageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
}

void GridPrinter::preview(QWidget* parent)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(defaultPageLayout());
    QPrintPreviewDialog dlg(&printer, parent);
    maximise(&dlg);
    connect(&dlg, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) { render(p); });
    dlg.exec();
}

GridPrinter::Geometry GridPrinter::geometry(double pageWidthMm) const
{
    Geometry g;
    if (!grid_)
        return g;
    g.columns = grid_->visibleColumnsInViewOrder();
    double total = 0;
    for (int c : g.columns) {
        int px = grid_->view()->columnWidth(c);
        if (px <= 0)
            px = std::max(grid_->columns()[c].width, 1);
        g.widthsMm << px * MmPerScreenPixel;
        total += g.widthsMm.back();
    }
    if (options_.testFlag(FitGridToPageWidth) && total > 0 && pageWidthMm > 0) {
        const double k = pageWidthMm / total;
        if (options_.testFlag(FitingByColWidths)) {
            for (double& w : g.widthsMm) // the columns narrow (or widen) to fill the width; text keeps its size
                w *= k;
        } else if (k < 1) {
            for (double& w : g.widthsMm) // the whole grid shrinks, text included
                w *= k;
            g.scale = k;
        }
    }
    return g;
}

QVector<double> GridPrinter::printedColumnWidths(const QPageLayout& page) const
{
    return geometry(page.paintRect(QPageLayout::Millimeter).width()).widthsMm;
}

void GridPrinter::render(QPrinter* printer) const
{
    QPainter p(printer);
    if (!p.isActive())
        return;
    const QRectF pageMm = printer->pageLayout().paintRect(QPageLayout::Millimeter);
    paint(p, QRectF(QPointF(0, 0), pageMm.size()), printer->resolution() / 25.4, [printer] { return printer->newPage(); });
}

QVector<QImage> GridPrinter::renderImages(const QPageLayout& page, int dpi) const
{
    const QRectF full = page.fullRect(QPageLayout::Millimeter);
    const QRectF paintMm = page.paintRect(QPageLayout::Millimeter);
    const double dotsPerMm = dpi / 25.4;
    const QSize size(qRound(full.width() * dotsPerMm), qRound(full.height() * dotsPerMm));
    QVector<QImage> pages;
    const auto start = [&] {
        QImage img(size, QImage::Format_RGB32);
        img.setDotsPerMeterX(qRound(dotsPerMm * 1000));
        img.setDotsPerMeterY(qRound(dotsPerMm * 1000));
        img.fill(Qt::white);
        pages << img;
    };
    start();
    // One painter for every page: paint() holds a reference to it across page breaks.
    QPainter painter(&pages.back());
    const auto place = [&] { painter.translate(paintMm.left() * dotsPerMm, paintMm.top() * dotsPerMm); };
    place();
    paint(painter, QRectF(QPointF(0, 0), paintMm.size()), dotsPerMm, [&] {
        painter.end();
        start();
        painter.begin(&pages.back());
        place();
        return true;
    });
    painter.end();
    return pages;
}

void GridPrinter::paint(QPainter& p, const QRectF& pageMm, double dotsPerMm, const std::function<bool()>& newPage) const
{
    if (!grid_)
        return;
    const DatasetModel* model = grid_->model();
    const Geometry g = geometry(pageMm.width());
    const int cols = int(g.columns.size());
    if (cols == 0)
        return;
    const bool colored = options_.testFlag(Colored);
    const bool stretch = options_.testFlag(RowAutoStretch);
    const bool withFooter = grid_->isFooterVisible() && model->hasFooter();
    const QPalette pal = grid_->palette();

    // Device units from millimetres.
    const auto d = [dotsPerMm](double mm) { return mm * dotsPerMm; };
    const QFont font = pageFont(grid_->font(), g.scale);
    QFont bold = font;
    bold.setBold(true);
    p.setFont(font);
    const QFontMetricsF fm(font, p.device());
    const double pad = d(CellPaddingMm * g.scale);
    const double lineHeight = fm.height();
    const double baseRowHeight = lineHeight + 2 * pad;

    // Column bands: everything on one page width when fitted, otherwise as many columns as
    // fit side by side; the bands are printed one after another.
    QVector<QPair<int, int>> bands; // [first, last]
    {
        int first = 0;
        double run = 0;
        for (int i = 0; i < cols; ++i) {
            if (i > first && run + g.widthsMm[i] > pageMm.width() + 0.01) {
                bands << qMakePair(first, i - 1);
                first = i;
                run = 0;
            }
            run += g.widthsMm[i];
        }
        bands << qMakePair(first, cols - 1);
    }

    const auto alignment = [&](int i) { return grid_->columns()[g.columns[i]].alignment; };
    const auto cellText = [&](int part, int row, int i) {
        const int c = g.columns[i];
        if (part == 0)
            return grid_->columns()[c].title;
        if (part == 2)
            return model->footerText(c);
        return model->cellText(row, c);
    };
    // Wrapping at words, or anywhere when a single word is wider than the cell.
    const auto wrapFlags = [&](const QFont& f, double width, const QString& text) {
        const QRectF r = QFontMetricsF(f, p.device()).boundingRect(QRectF(0, 0, width, 1e9), Qt::TextWordWrap, text);
        return r.width() > width + 0.5 ? Qt::TextWrapAnywhere : Qt::TextWordWrap;
    };
    const double pageBottom = d(pageMm.height());
    QPen line(Qt::black);
    line.setWidthF(d(LineMm));

    bool firstPage = true;
    double y = 0;
    for (const auto& [first, last] : bands) {
        const auto rowHeight = [&](int part, int row) {
            if (!stretch)
                return baseRowHeight;
            double h = baseRowHeight;
            for (int i = first; i <= last; ++i) {
                const QFont& f = part == 1 ? font : bold;
                const double width = std::max(1.0, d(g.widthsMm[i]) - 2 * pad);
                const QString text = cellText(part, row, i);
                const QRectF r = QFontMetricsF(f, p.device()).boundingRect(QRectF(0, 0, width, 1e9), wrapFlags(f, width, text), text);
                h = std::max(h, r.height() + 2 * pad);
            }
            return std::min(h, pageBottom / 2); // a row never needs more than half a page
        };
        const auto drawRow = [&](int part, int row, double h) {
            double x = 0;
            for (int i = first; i <= last; ++i) {
                const QRectF cell(x, y, d(g.widthsMm[i]), h);
                if (colored) {
                    const QColor fill = part == 1 ? pal.color(QPalette::Base) : pal.color(QPalette::Button);
                    if (fill != Qt::white)
                        p.fillRect(cell, fill);
                }
                p.setPen(line);
                p.drawRect(cell);
                p.setPen(colored ? pal.color(part == 1 ? QPalette::Text : QPalette::ButtonText) : QColor(Qt::black));
                p.setFont(part == 1 ? font : bold);
                const QRectF inner = cell.adjusted(pad, pad, -pad, -pad);
                QString text = cellText(part, row, i);
                const Qt::Alignment a = part == 0 ? Qt::AlignCenter : alignment(i);
                if (stretch) {
                    p.drawText(inner, int(a | Qt::AlignVCenter) | wrapFlags(p.font(), inner.width(), text), text);
                } else {
                    text.replace(u'\n', u' ').replace(u'\r', u' ');
                    const QFontMetricsF m(p.font(), p.device());
                    p.drawText(inner, int((a & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter) | Qt::TextSingleLine,
                               m.elidedText(text, Qt::ElideRight, inner.width()));
                }
                x += d(g.widthsMm[i]);
            }
            y += h;
        };
        const auto startPage = [&] {
            if (!firstPage && !newPage())
                return false;
            firstPage = false;
            y = 0;
            if (!title_.isEmpty()) {
                QFont big = bold;
                big.setPointSizeF(bold.pointSizeF() * 1.3);
                p.setFont(big);
                p.setPen(Qt::black);
                const double h = QFontMetricsF(big, p.device()).height() * 1.8;
                p.drawText(QRectF(0, 0, d(pageMm.width()), h), int(Qt::AlignCenter) | Qt::TextSingleLine, title_);
                y = h;
            }
            drawRow(0, -1, rowHeight(0, -1)); // the titles head every page
            return true;
        };
        if (!startPage())
            return;
        const int rows = model->rowCount();
        for (int r = 0; r < rows; ++r) {
            const double h = rowHeight(1, r);
            if (y + h > pageBottom && !startPage())
                return;
            drawRow(1, r, h);
        }
        if (withFooter) {
            const double h = rowHeight(2, -1);
            if (y + h > pageBottom && !startPage())
                return;
            drawRow(2, -1, h);
        }
    }
}
