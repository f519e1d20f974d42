#pragma once
// Small helpers shared by the catalogue window tests.
#include <QColor>
#include <QPalette>
#include "DBEdit.h"

#include <QTest>

namespace CatalogTestKit {
// Replaces the box's text by key events, as a user would type it (Chinese included).
inline void type(DBEdit* box, const QString& text)
{
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

// The read-only background of a browsing catalogue box: sky blue A6CAF0.
inline bool skyBlue(const QLineEdit* box) { return box->palette().color(QPalette::Base) == QColor(0xA6, 0xCA, 0xF0); }
}
