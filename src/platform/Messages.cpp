#include "Messages.h"

#include "Application.h"

#include <QApplication>
#include <QMessageBox>

namespace {

class QtMessages final : public Messages {
public:
    void information(QWidget* parent, const QString& text, const QString& caption) override
    {
        QMessageBox::information(parent, caption.isEmpty() ? appTitle() : caption, text);
    }
    bool question(QWidget* parent, const QString& text, const QString& caption) override
    {
        return QMessageBox::question(parent, caption, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
            == QMessageBox::Yes;
    }
    void error(QWidget* parent, const QString& text) override
    {
        QMessageBox::critical(parent, appTitle(), text);
    }
};

Messages* installed = nullptr;

} // namespace

Messages& Messages::current()
{
    static QtMessages qt;
    return installed ? *installed : qt;
}

void Messages::install(Messages* m) { installed = m; }

QString errorBoxText(const QString& message)
{
    if (!message.isEmpty() && message.back() > QChar(u'.'))
        return message + u'.';
    return message;
}

void showErrorBox(const QString& message, QWidget* parent)
{
    Messages::current().error(parent, errorBoxText(message));
}
