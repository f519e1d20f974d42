#pragma once
// What the two catalogue windows share on screen: their button and box states by dataset state
// and their tab order.
#include "Dataset.h"

#include <QList>
#include <QString>

#include <functional>

class QDialog;
class QLineEdit;
class QPushButton;
class QWidget;
namespace Catalog {
class Controller;
}

namespace CatalogForm {
// The boxes' read-only background while browsing (sky blue).
QColor browsingColor();

struct Controls {
    QPushButton* add;
    QPushButton* modify;
    QPushButton* save;
    QPushButton* cancel;
    QList<QLineEdit*> boxes;
};
// Browsing: save/cancel off, boxes read-only and sky blue. Editing: add off. Inserting: add and
// modify off. The boxes take the system window colour while they are editable.
void applyState(Dataset::State state, const Controls& c);

// Tab order along the given widgets, in layout order.
void chainTabOrder(const QList<QWidget*>& widgets);

struct Buttons {
    QPushButton *add, *modify, *save, *cancel, *remove, *exit;
};
// Wires the buttons to the list and its controller, each guarded; `after` runs after every
// command but "退出" (the window's control states).
void connectButtons(QDialog* window, Catalog::Controller& catalog, Dataset& list, const Buttons& b,
                    const std::function<void()>& after);
}
