#include "GridPrinter.h"

#include "DBGrid.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

GridPrinter::GridPrinter(DBGrid* grid, Options options, QObject* parent) : QObject(parent), grid_(grid), options_(options) {}

void GridPrinter::preview(QWidget* parent)
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dlg(&printer, parent);
    connect(&dlg, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) { render(p); });
    dlg.exec();
}

void GridPrinter::render(QPrinter*) const {}
