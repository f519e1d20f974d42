#pragma once
// The rights columns of tuser, one line each in the order of the table: the column, the caption
// the operator dialog gives its check box and the group it shows it in. A new right is one line
// here (and the column added by its schema upgrade).
#include <QString>
#include <QStringList>
#include <QList>

// 系统权限, 现金日记账权限, 银行日记账权限: the operator dialog's three groups, in its order.
enum class RightGroup { System, Cash, Bank };

#define ZZ_RIGHTS(X)                              \
    X(F1, "记账年月设置", System)                 \
    X(F2, "操作员设置", System)                   \
    X(F3, "数据备份与恢复", System)               \
    X(F4, "数据初始化", System)                   \
    X(F5, "现金日记账", Cash)                     \
    X(F6, "摘要设置", Cash)                       \
    X(F7, "现金统计（按年月）", Cash)             \
    X(F8, "现金统计（按摘要）", Cash)             \
    X(F9, "现金统计（按天）", Cash)               \
    X(F0, "银行日记账", Bank)                     \
    X(F11, "摘要设置", Bank)                      \
    X(F12, "银行统计（按摘要）", Bank)            \
    X(F13, "银行统计（按年度）", Bank)            \
    X(F14, "银行统计（按天）", Bank)

enum class Right {
#define ZZ_RIGHT_ENUMERATOR(column, caption, group) column,
    ZZ_RIGHTS(ZZ_RIGHT_ENUMERATOR)
#undef ZZ_RIGHT_ENUMERATOR
};

struct RightInfo {
    Right right;
    QString column;
    QString caption;
    RightGroup group;
};

// Every right in the order of the table.
const QList<RightInfo>& allRights();
const RightInfo& rightInfo(Right right);
inline QString rightsColumn(Right right) { return rightInfo(right).column; }
// The column names of allRights(), in order.
QStringList rightsColumnNames();
