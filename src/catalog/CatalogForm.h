#pragma once
// What the two catalogue windows share: their button and box states by dataset state, and the
// reference counts that keep a catalogue row from being deleted while entries carry its text.
#include "Dataset.h"

#include <QList>
#include <QString>

class QLineEdit;
class QPushButton;
class QWidget;

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

// Rows of `table` whose `column` equals `text` (bound, so quotes need no care).
int countByText(const QString& table, const QString& column, const QString& text);

// The text of `field` as stored for the dataset's current row (not its pending edit), read by
// key; the shown value for a row not stored yet.
QString storedText(const Dataset& ds, const QString& table, const QString& keyField, const QString& field);
}
