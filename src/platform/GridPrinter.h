#pragma once
// Print preview of a grid, with the page options a window chooses. Pages carry the grid alone
// (titles, rows, footer), laid out in millimetres; no page header or footer text.
#include <QFlags>
#include <QImage>
#include <QObject>
#include <QPageLayout>
#include <QPointer>
#include <QString>
#include <QVector>
#include <functional>

class DBGrid;
class QPainter;
class QPrinter;
class QWidget;

class GridPrinter : public QObject {
    Q_OBJECT
public:
    enum Option {
        FitGridToPageWidth = 1, // scale or narrow the grid to the page width
        Colored = 2,            // print the grid's colours
        RowAutoStretch = 4,     // rows grow to fit their text
        FitingByColWidths = 8,  // fit by narrowing columns rather than scaling
    };
    Q_DECLARE_FLAGS(Options, Option)
    static constexpr Options AllOptions = Options(FitGridToPageWidth | Colored | RowAutoStretch | FitingByColWidths);

    GridPrinter(DBGrid* grid, Options options, QObject* parent = nullptr);
    Options options() const { return options_; }
    // A line over the grid on every page (a report's name and day); none by default.
    void setPageTitle(const QString& title) { title_ = title; }
    QString pageTitle() const { return title_; }
    // Opens the print preview; from there the user prints or saves a PDF.
    void preview(QWidget* parent);
    // Lays the grid out on the printer's pages.
    void render(QPrinter* printer) const;

    // The page the preview starts with: A4 portrait, 10 mm margins.
    static QPageLayout defaultPageLayout();
    // Widths in millimetres of the visible columns, in screen order, as printed on pages of the
    // given layout (fitting, scaling and narrowing applied).
    QVector<double> printedColumnWidths(const QPageLayout& page) const;
    // The pages as images at `dpi` dots per inch, for a look without a printer.
    QVector<QImage> renderImages(const QPageLayout& page, int dpi) const;

private:
    struct Geometry;
    Geometry geometry(double pageWidthMm) const;
    // Paints every page; `newPage` starts the next one and returns false to stop.
    void paint(QPainter& p, const QRectF& pageMm, double dotsPerMm, const std::function<bool()>& newPage) const;

    QPointer<DBGrid> grid_;
    Options options_;
    QString title_;
};
Q_DECLARE_OPERATORS_FOR_FLAGS(GridPrinter::Options)
