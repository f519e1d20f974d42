#include "Rights.h"

const QList<RightInfo>& allRights()
{
    static const QList<RightInfo> list{
#define ZZ_RIGHT_ROW(column, caption, group) {Right::column, QStringLiteral(#column), QStringLiteral(caption), RightGroup::group},
        ZZ_RIGHTS(ZZ_RIGHT_ROW)
#undef ZZ_RIGHT_ROW
    };
    return list;
}

const RightInfo& rightInfo(Right right)
{
    // The enumerators follow the rows, so a right's value is its row.
    return allRights().at(static_cast<qsizetype>(right));
}

QStringList rightsColumnNames()
{
    QStringList out;
    for (const RightInfo& r : allRights())
        out << r.column;
    return out;
}
