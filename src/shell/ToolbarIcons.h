#pragma once
// The main toolbar's four 32 x 32 icons, drawn at run time.
#include <QIcon>

namespace ToolbarIcons {
enum Kind { Journal = 0, SummaryStatistics = 1, MonthlyStatistics = 2, Exit = 3 };
QIcon icon(Kind kind);
}
