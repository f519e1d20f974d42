#include "CatalogForm.h"

#include "Connection.h"

#include <QApplication>
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

int countByText(const QString& table, const QString& column, const QString& text)
{
    return Connection::instance()
        .scalar(QStringLiteral("Select count(*) from %1 where %2 = ?").arg(table, column), {text})
        .toInt();
}

QString storedText(const Dataset& ds, const QString& table, const QString& keyField, const QString& field)
{
    if (ds.state() == Dataset::State::Inserting || ds.currentRow() < 0)
        return ds.text(field);
    return Connection::instance()
        .scalar(QStringLiteral("Select %1 From %2 where %3 = ?").arg(field, table, keyField), {ds.value(keyField)})
        .toString();
}
}
