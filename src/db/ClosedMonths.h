#pragma once
// Closed months as the store keeps them (Table::closedMonths, one row per closed month) and the
// fixed messages of the lock triggers. The closing itself (结账 / 反结账) lives in src/closing;
// these few pieces are shared with the entry dialogs and the data initialisation, which must not
// depend on it.
#include <QString>
#include <QStringList>

namespace ClosedMonths {
// "2024年03月" for "2024-03".
QString monthLabel(const QString& month);
// "<yyyy>年<MM>月已结账，不能修改": what the store says when a change touches the closed `month`.
QString refusal(const QString& month);

// The closed months, earliest first.
QStringList all();
bool isClosed(const QString& month);

// Writes the trigger that gives each closed month its own refusal text. The journals' lock
// triggers name the month; SQLite's RAISE takes only a fixed text, so the texts are rewritten
// whenever the closed months change (run it inside that change's transaction).
void rewriteRefusals();
}
