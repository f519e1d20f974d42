#pragma once
// The three kinds of message box the program shows, behind one service so that tests can
// answer them without a screen.
#include <QString>

class QWidget;

class Messages {
public:
    virtual ~Messages() = default;
    // Information box with an OK button; an empty caption means the application title.
    virtual void information(QWidget* parent, const QString& text, const QString& caption = {}) = 0;
    // Yes/No question; true only for Yes.
    virtual bool question(QWidget* parent, const QString& text, const QString& caption) = 0;
    // The default error box: stop icon, OK, the application title as caption.
    // `text` is shown as given; callers pass it through errorBoxText().
    virtual void error(QWidget* parent, const QString& text) = 0;

    // The service in force; a Qt implementation unless a test installed its own.
    static Messages& current();
    // Installs `m` (not owned); nullptr goes back to the Qt implementation.
    static void install(Messages* m);
};

// The default error box's text rule: "." is appended when the last character sorts after ".".
QString errorBoxText(const QString& message);

// Shows `message` in the default error box through the current service.
void showErrorBox(const QString& message, QWidget* parent = nullptr);
