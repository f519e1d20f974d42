#pragma once
// Opens a window maximised. It first covers the screen, so it is full size also where no
// window manager maximises it.
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

inline void maximise(QWidget* w)
{
    if (const QScreen* s = QGuiApplication::primaryScreen())
        w->setGeometry(s->availableGeometry());
    w->setWindowState(Qt::WindowMaximized);
}
