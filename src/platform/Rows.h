#pragma once
// A whole result held in memory: the field names and every row's values in field order.
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <vector>

struct Rows {
    QStringList fields;
    std::vector<QVector<QVariant>> rows;
};
