#include "KeyFilters.h"

#include <QEvent>
#include <QKeyEvent>
#include <QObject>
#include <QWidget>

namespace {
class CharFilter : public QObject {
public:
    CharFilter(QObject* parent, std::function<bool(QChar)> accept) : QObject(parent), accept_(std::move(accept)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, e);
        const auto* k = static_cast<QKeyEvent*>(e);
        switch (k->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Escape:
        case Qt::Key_Delete:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return false;
        default:
            break;
        }
        if (k->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return false;
        const QString t = k->text();
        if (t.isEmpty())
            return false;
        for (QChar c : t)
            if (!accept_(c))
                return true;
        return false;
    }

private:
    std::function<bool(QChar)> accept_;
};
}

void filterTypedCharacters(QWidget* box, std::function<bool(QChar)> accept)
{
    box->installEventFilter(new CharFilter(box, std::move(accept)));
}

bool amountKeyAccepted(QChar c) { return c == u'\b' || c == u'\r' || (c >= u'0' && c <= u'9'); }

bool yearKeyAccepted(QChar c) { return c >= u'0' && c <= u'9'; }
