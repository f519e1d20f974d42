#include "ClockPane.h"

#include "ChineseFormat.h"

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

QString ClockPane::clockText(const QDateTime& t) { return ChineseFormat::dateTime(t.date(), t.time()); }

void ClockPane::refresh()
{
    const QString text = clockText(QDateTime::currentDateTime());
    if (text != QLabel::text())
        setText(text);
}
