#pragma once
// Dates, times and text order as a Chinese user writes and expects them, whatever the system's
// locale: 2024-03-05 08:30:00, never an English month name; Chinese ordered by pinyin and Latin
// letters without regard to case.
#include <QCollator>
#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

namespace ChineseFormat {

// The zh_CN locale, for whatever else is shown to the user (numbers, Qt's own pickers).
QLocale locale();
QString date(const QDate& d);                     // 2024-03-05
QString time(const QTime& t);                     // 08:30:00
QString dateTime(const QDate& d, const QTime& t); // 2024-03-05 08:30:00
// The zh_CN collation without regard to case: 阿 < 北 < 中; "apple" == "Apple" < "banana".
const QCollator& collator();

} // namespace ChineseFormat
