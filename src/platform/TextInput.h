#pragma once
// The rules every text box of the program shares. Control characters never enter a box (a
// NUL would hide the rest of a text from the store's width checks); a multi-line box keeps its
// line breaks. Text that would pass a box's limit is refused whole, with a message, rather
// than cut to fit: a paste of 10,000 characters never becomes a saved first 50.
#include <QString>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;

namespace TextInput {
// `text` without control characters; with `keepLineBreaks`, "\n" stays.
QString withoutControls(const QString& text, bool keepLineBreaks = false);
// What a box says when an input would pass its limit.
QString tooLongMessage(int limit);

// Installs the rules on a one-line box (or an editable list's box); `limit` 0: no limit.
void guard(QLineEdit* box, int limit = 0);
void guard(QComboBox* box, int limit = 0);
void guard(QPlainTextEdit* box);
// Changes the limit of a guarded box; its current limit (0 for none or an unguarded box).
void setLimit(QLineEdit* box, int limit);
int limit(const QLineEdit* box);
}
