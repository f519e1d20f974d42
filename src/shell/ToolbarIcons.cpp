#include "ToolbarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {
constexpr int side = 32;

// An open ledger: two pages with ruled lines and a red margin.
void drawJournal(QPainter& p)
{
    p.setPen(QPen(QColor(0x5a, 0x3a, 0x1a), 1.2));
    p.setBrush(QColor(0x8b, 0x5a, 0x2b));
    p.drawRoundedRect(QRectF(2.5, 5.5, 27, 22), 2, 2);
    p.setPen(QPen(QColor(0x9a, 0x9a, 0x9a), 0.8));
    p.setBrush(QColor(0xfd, 0xfb, 0xf2));
    p.drawRect(QRectF(4.5, 4.5, 11, 21));
    p.drawRect(QRectF(16.5, 4.5, 11, 21));
    p.setPen(QPen(QColor(0x5b, 0x8d, 0xc9), 0.8));
    for (int y = 9; y <= 23; y += 3) {
        p.drawLine(QLineF(6, y, 14, y));
        p.drawLine(QLineF(18, y, 26, y));
    }
    p.setPen(QPen(QColor(0xd0, 0x30, 0x30), 0.9));
    p.drawLine(QLineF(8, 5, 8, 25));
    p.drawLine(QLineF(20, 5, 20, 25));
    p.setPen(QPen(QColor(0x5a, 0x3a, 0x1a), 1.4));
    p.drawLine(QLineF(16, 4, 16, 27));
}

// A pie chart: totals per summary.
void drawSummaryStatistics(QPainter& p)
{
    const QRectF box(3.5, 4.5, 24, 24);
    p.setPen(QPen(Qt::white, 1));
    const struct { int start, span; QColor color; } slices[] = {
        {90, 140, QColor(0x2f, 0x7e, 0xd8)},
        {230, 85, QColor(0xf0, 0xa0, 0x20)},
        {315, 75, QColor(0x3c, 0xb0, 0x5a)},
    };
    for (const auto& s : slices) {
        p.setBrush(s.color);
        p.drawPie(box, s.start * 16, s.span * 16);
    }
    // The last slice stands out from the others.
    p.setBrush(QColor(0xd8, 0x40, 0x40));
    p.drawPie(box.translated(1.5, -2.5), 30 * 16, 60 * 16);
}

// A bar chart over a month sheet: totals per month.
void drawMonthlyStatistics(QPainter& p)
{
    p.setPen(QPen(QColor(0x70, 0x70, 0x70), 1));
    p.setBrush(QColor(0xfb, 0xfb, 0xfb));
    p.drawRect(QRectF(2.5, 4.5, 27, 25));
    p.setBrush(QColor(0xc8, 0x3a, 0x3a));
    p.drawRect(QRectF(2.5, 4.5, 27, 5));
    p.setPen(QPen(QColor(0x50, 0x50, 0x50), 1.6));
    p.drawLine(QLineF(9, 2, 9, 7));
    p.drawLine(QLineF(23, 2, 23, 7));
    p.setPen(Qt::NoPen);
    const int heights[] = {8, 13, 6, 16, 11};
    for (int i = 0; i < 5; ++i) {
        p.setBrush(i % 2 ? QColor(0x2f, 0x7e, 0xd8) : QColor(0x3c, 0xb0, 0x5a));
        p.drawRect(QRectF(5 + i * 4.8, 27 - heights[i], 3.6, heights[i]));
    }
}

// An open door with an arrow leaving it.
void drawExit(QPainter& p)
{
    p.setPen(QPen(QColor(0x55, 0x55, 0x55), 1));
    p.setBrush(QColor(0xe8, 0xe0, 0xd0));
    p.drawRect(QRectF(4.5, 3.5, 15, 25));
    QPainterPath door;
    door.moveTo(4.5, 3.5);
    door.lineTo(13.5, 6.5);
    door.lineTo(13.5, 31);
    door.lineTo(4.5, 28.5);
    door.closeSubpath();
    p.setBrush(QColor(0x9c, 0x5b, 0x2e));
    p.drawPath(door);
    p.setBrush(QColor(0xf2, 0xc9, 0x4c));
    p.drawEllipse(QPointF(11.5, 18), 1.2, 1.2);
    QPainterPath arrow;
    arrow.moveTo(16, 15);
    arrow.lineTo(23, 15);
    arrow.lineTo(23, 10.5);
    arrow.lineTo(30.5, 18);
    arrow.lineTo(23, 25.5);
    arrow.lineTo(23, 21);
    arrow.lineTo(16, 21);
    arrow.closeSubpath();
    p.setPen(QPen(QColor(0x1e, 0x6b, 0x2e), 1));
    p.setBrush(QColor(0x3c, 0xb0, 0x5a));
    p.drawPath(arrow);
}
} // namespace

QIcon ToolbarIcons::icon(Kind kind)
{
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    switch (kind) {
    case Journal: drawJournal(p); break;
    case SummaryStatistics: drawSummaryStatistics(p); break;
    case MonthlyStatistics: drawMonthlyStatistics(p); break;
    case Exit: drawExit(p); break;
    }
    p.end();
    return QIcon(pixmap);
}
