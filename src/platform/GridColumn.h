#pragma once
// One column of a data grid: which field it shows, how, and what its footer cell holds.
#include <QString>
#include <Qt>

struct GridColumn {
    enum class Kind { Text, Money, DateTime, Integer };
    enum class Footer { None, Text, Sum };

    QString field;
    QString title;
    int width = 80; // design width; the grid fits the columns in proportion to these
    bool visible = true;
    Kind kind = Kind::Text;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    Footer footer = Footer::None;
    QString footerText; // for Footer::Text
    bool timeAtMidnight = false; // DateTime: the time of day shown also when it is 00:00:00

    // Builders, so a window lists its columns one per line:
    //   GridColumn::money("JieFang", "借方（增加）", 90).summed()
    static GridColumn text(const QString& field, const QString& title, int width)
    {
        GridColumn c;
        c.field = field;
        c.title = title;
        c.width = width;
        return c;
    }
    static GridColumn money(const QString& field, const QString& title, int width)
    {
        GridColumn c = text(field, title, width);
        c.kind = Kind::Money;
        c.alignment = Qt::AlignRight | Qt::AlignVCenter;
        return c;
    }
    static GridColumn integer(const QString& field, const QString& title, int width)
    {
        GridColumn c = money(field, title, width);
        c.kind = Kind::Integer;
        return c;
    }
    static GridColumn dateTime(const QString& field, const QString& title, int width)
    {
        GridColumn c = text(field, title, width);
        c.kind = Kind::DateTime;
        return c;
    }
    GridColumn hidden() const { GridColumn c = *this; c.visible = false; return c; }
    GridColumn summed() const { GridColumn c = *this; c.footer = Footer::Sum; return c; }
    GridColumn footed(const QString& t) const { GridColumn c = *this; c.footer = Footer::Text; c.footerText = t; return c; }
    GridColumn withTimeAtMidnight() const { GridColumn c = *this; c.timeAtMidnight = true; return c; }
    GridColumn aligned(Qt::Alignment a) const { GridColumn c = *this; c.alignment = a; return c; }
};
