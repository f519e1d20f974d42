#pragma once
// Print preview of a grid, with the page options a window chooses.
#include <QFlags>
#include <QObject>
#include <QPointer>

class DBGrid;
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
    // Opens the print preview; from there the user prints or saves a PDF.
    void preview(QWidget* parent);
    // Lays the grid out on the printer's pages.
    void render(QPrinter* printer) const;

private:
    QPointer<DBGrid> grid_;
    Options options_;
};
Q_DECLARE_OPERATORS_FOR_FLAGS(GridPrinter::Options)
