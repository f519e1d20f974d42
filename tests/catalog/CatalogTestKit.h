#pragma once
// Small helpers shared by the catalogue window tests.
#include <QColor>
#include <QPalette>
#include "DBEdit.h"
#include "TypeInto.h"

#include <QTest>

namespace CatalogTestKit {
// Replaces the box's text as a user would type it.
inline void type(DBEdit* box, const QString& text) { typeInto(box, text); }

// The read-only background of a browsing catalogue box: sky blue A6CAF0.
inline bool skyBlue(const QLineEdit* box) { return box->palette().color(QPalette::Base) == QColor(0xA6, 0xCA, 0xF0); }
}
