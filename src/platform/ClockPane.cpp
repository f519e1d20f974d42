#include "ClockPane.h"

#include <QLocale>
#include <QTimer>

ClockPane::ClockPane(QWidget* parent) : QLabel(parent), timer_(new QTimer(this))
{
    setAlignment(Qt::AlignCenter);
    // Ticks a little more often than once a second so that no second is skipped on screen.
    timer_->setInterval(500);
    connect(timer_, &QTimer::timeout, this, &ClockPane::refresh);
    timer_->start();
    refresh();
}

namespace {
// The locale's long time format (with seconds) without its time-zone name, which would not fit
// the pane and which a desktop clock does not show.
QString longTimeFormat(const QLocale& locale)
{
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString out;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        if (!quoted && c == u't')
            continue;
        out += c;
    }
    return out.simplified();
}
} // namespace

QString ClockPane::clockText(const QDateTime& t)
{
    const QLocale locale = QLocale::system();
    return locale.toString(t.date(), QLocale::ShortFormat) + u' ' + locale.toString(t.time(), longTimeFormat(locale));
}

void ClockPane::refresh()
{
    const QString text = clockText(QDateTime::currentDateTime());
    if (text != QLabel::text())
        setText(text);
}
