#pragma once
// Amounts and dates as Chinese banks print them in their statement files.
#include "Money.h"

#include <QDateTime>
#include <QString>
#include <optional>

namespace StatementValues {

// "1,234.50", "¥1,234.50", "￥-8.00元", "RMB 12", "(12.00)", full-width digits. An empty cell, "-"
// and "--" read as zero; anything else that is no amount, or has more than four decimals, gives
// nothing.
std::optional<Money> parseAmount(const QString& text);

// "2024-03-05", "2024/3/5", "2024.03.05", "2024年3月5日", "20240305", each optionally followed by a
// time "10:30", "10:30:05" or "103005" (also "20240305103005"). Nothing when it is no valid date.
std::optional<QDateTime> parseDateTime(const QString& text);
// A time of day alone: "10:30", "10:30:05", "103005".
std::optional<QTime> parseTime(const QString& text);

} // namespace StatementValues
