#include "Application.h"

#include "AppError.h"
#include "Messages.h"

#include <QApplication>
#include <exception>

QString appTitle() { return QStringLiteral("zizedozuvar"); }

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(appTitle());
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    bool handled = false;
    runGuarded([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

bool runGuarded(const std::function<void()>& fn)
{
    try {
        fn();
        return true;
    } catch (const RefusalShown&) {
        return false;
    } catch (const std::exception& e) {
        showErrorBox(QString::fromUtf8(e.what()), QApplication::activeWindow());
        return false;
    }
}
