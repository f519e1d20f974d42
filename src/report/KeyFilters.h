#pragma once
// Filters of the characters typed into a box, for the amount fields of the search and the year
// picker. Keys that type no character, navigation keys (Tab, Escape, Enter, Delete) and
// shortcuts are never filtered.
#include <QChar>
#include <functional>

class QWidget;

// Swallows every typed character for which `accept` is false. The filter belongs to `box`.
void filterTypedCharacters(QWidget* box, std::function<bool(QChar)> accept);

// The search's amount fields: backspace, Enter and the digits "0" to "9".
bool amountKeyAccepted(QChar c);
// The year picker: the digits "0" to "9" only, backspace included among the refused.
bool yearKeyAccepted(QChar c);
