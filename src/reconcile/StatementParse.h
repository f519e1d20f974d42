#pragma once
// A statement file's rows turned into statement lines, by a layout.
#include "StatementLayout.h"
#include "StatementLine.h"

#include <QVector>

namespace StatementParse {

// The lines below the header row. Blank rows and closing rows (合计, 总计, 小计, 共 N 笔 …) are left
// out; any other row whose date or amounts cannot be read raises AppError naming its line.
QVector<StatementLine> lines(const SheetReader::Rows& rows, const StatementLayout& layout);

// Reads a direction cell: true for money in (贷, 收, 存入 …), false for out (借, 支, 支取 …).
std::optional<bool> directionIn(const QString& cell);

} // namespace StatementParse
