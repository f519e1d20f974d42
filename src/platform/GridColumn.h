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
};
