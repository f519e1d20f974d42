#pragma once
// An operator's name and password as the login reads them. The operator dialog stores what
// the login will compare: the same trim, the same longest password, so every password that
// saves can log in.
#include <QString>

// The longest password either box takes.
inline constexpr int maxPasswordLength = 64;

// Leading and trailing characters up to and including the blank removed.
QString trimBlanksAndControls(const QString& text);
