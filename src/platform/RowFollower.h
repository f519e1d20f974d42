#pragma once
// Calls `refresh` whenever what a bound control shows of `ds`'s current row may have changed:
// the set opened or moved, its state changed, or the current row's values changed.
#include "Dataset.h"

#include <QObject>

template <typename F>
void followCurrentRow(Dataset* ds, QObject* receiver, F refresh)
{
    QObject::connect(ds, &Dataset::afterScroll, receiver, refresh);
    QObject::connect(ds, &Dataset::opened, receiver, refresh);
    QObject::connect(ds, &Dataset::stateChanged, receiver, refresh);
    QObject::connect(ds, &Dataset::rowChanged, receiver, [ds, refresh](int row) {
        if (row == ds->currentRow())
            refresh();
    });
}
