#pragma once
// The application object: its title, and the guard that turns an error escaping an event
// handler into the default error box, after which the program goes on.
#include <QApplication>
#include <QObject>
#include <functional>
#include <type_traits>
#include <utility>

// "zizedozuvar": the caption of plain message boxes and of the default error box.
QString appTitle();

class Application : public QApplication {
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Runs `fn`; a std::exception it throws is shown in the default error box and swallowed.
// Returns false when `fn` failed.
bool runGuarded(const std::function<void()>& fn);

// Wraps a handler so that it runs guarded; use it for every signal connection of a window.
template <typename F>
auto guarded(F fn)
{
    // Like a plain connection, a handler may take all of the signal's arguments or none.
    return [fn = std::move(fn)](auto&&... args) {
        runGuarded([&] {
            if constexpr (std::is_invocable_v<const F&, decltype(args)...>)
                fn(std::forward<decltype(args)>(args)...);
            else
                fn();
        });
    };
}

// Connects `signal` of `sender` to `fn`, guarded, with `context` bounding its lifetime.
template <typename Sender, typename Signal, typename F>
QMetaObject::Connection onSignal(Sender* sender, Signal signal, QObject* context, F fn)
{
    return QObject::connect(sender, signal, context, guarded(std::move(fn)));
}
