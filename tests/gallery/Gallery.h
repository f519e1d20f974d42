#pragma once
// The screenshot gallery: each scene builds one window, filled from the shared fixture
// database, and the gallery saves it as DIR/<name>.png.
#include <QSize>
#include <QString>
#include <QWidget>
#include <functional>

namespace Gallery {
struct Scene {
    QString name;                       // file name without ".png"
    std::function<QWidget*()> make;     // the window, shown by the gallery (not modally)
    QSize size;                         // empty: the window's own size
    std::function<void(QWidget*)> ready; // optional: runs once the window is shown
};
// Registers a scene; use from a static initialiser: static const bool r = Gallery::add({...});
bool add(Scene scene);
}
