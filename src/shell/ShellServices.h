#pragma once
// What the shell asks of the world beyond its windows (the login step, the rights lookup, the
// windows a command opens, the end of the program), behind one service so that tests stand in
// for it without hooks in the windows.
#include "Commands.h"

#include <functional>

class QWidget;

class ShellServices {
public:
    virtual ~ShellServices() = default;
    // The login at the main window's first display: the login dialog, modal.
    virtual void login(QWidget* owner);
    // Whether the logged-in operator holds `right`, asked of the database.
    virtual bool hasRight(Right right);
    // Runs what `command` opens once its right is granted; `open` is the main window's own.
    virtual void open(Command command, const std::function<void()>& open);
    // Ends the program ("退出" of the login dialog).
    virtual void quit();

    // The service in force; the program's own unless a test installed another.
    static ShellServices& current();
    // Installs `s` (not owned); nullptr goes back to the program's own.
    static void install(ShellServices* s);
};
