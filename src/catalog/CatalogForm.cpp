#include "CatalogForm.h"

#include "Application.h"
#include "Catalog.h"

#include <QApplication>
#include <QDialog>
#include <QColor>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

namespace CatalogForm {

QColor browsingColor() { return QColor(0xA6, 0xCA, 0xF0); }

void applyState(Dataset::State state, const Controls& c)
{
    const bool editing = state == Dataset::State::Editing;
    const bool inserting = state == Dataset::State::Inserting;
    const bool pending = editing || inserting;
    c.save->setEnabled(pending);
    c.cancel->setEnabled(pending);
    c.modify->setEnabled(!inserting);
    c.add->setEnabled(!pending);
    for (QLineEdit* box : c.boxes) {
        box->setReadOnly(!pending);
        QPalette p = box->palette();
        p.setColor(QPalette::Base, pending ? QApplication::palette(box).color(QPalette::Base) : browsingColor());
        box->setPalette(p);
    }
}

void chainTabOrder(const QList<QWidget*>& widgets)
{
    for (int i = 1; i < widgets.size(); ++i)
        QWidget::setTabOrder(widgets[i - 1], widgets[i]);
}

void connectButtons(QDialog* window, Catalog::Controller& catalog, Dataset& list, const Buttons& b,
                    const std::function<void()>& after)
{
    const auto wire = [&](QPushButton* button, std::function<void()> run) {
        onSignal(button, &QPushButton::clicked, window, [run = std::move(run), after] {
            run();
            after();
        });
    };
    wire(b.add, [&list] { list.append(); });
    wire(b.modify, [&list] { list.edit(); });
    wire(b.save, [&catalog] { catalog.save(); });
    wire(b.cancel, [&list] { list.cancel(); });
    wire(b.remove, [&catalog] { catalog.remove(); });
    onSignal(b.exit, &QPushButton::clicked, window, [window] { window->close(); });
}
}
