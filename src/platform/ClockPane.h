#pragma once
// A status-bar pane showing the local date and time, kept current by its own timer.
#include <QDateTime>
#include <QLabel>

class QTimer;

class ClockPane : public QLabel {
    Q_OBJECT
public:
    explicit ClockPane(QWidget* parent = nullptr);

    // `t` as a Chinese user writes it, whatever the system's locale: 2024-03-05 08:30:00.
    static QString clockText(const QDateTime& t);
    // Shows the current time now (the timer calls it every second).
    void refresh();
    const QTimer* timer() const { return timer_; }

private:
    QTimer* timer_;
};
