#pragma once
// Pairing journal entries with statement lines. A bank line bringing money in (贷方/收入/存入)
// matches an entry with a debit JieFang (增加); money out (借方/支出/支取) matches a credit DaiFang
// (减少). Pairs are stored as groups in YinHangDuiZhang; a group made by hand may hold several
// entries or several lines whose sums agree in each direction.
#include "Money.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVector>

namespace Matching {

// One side of a possible pair: an entry or a line, with one direction and one amount.
struct Item {
    qint64 id = 0;
    QDate date;
    bool in = true;
    Money amount;
    QString number; // the entry's voucher number or the line's serial
};

struct Pair {
    qint64 entry = 0;
    qint64 line = 0;
};

// Pairs entries with lines of the same direction and amount whose dates lie at most `days` apart,
// one with one, as many as can be: a pair with equal non-empty numbers first, then the nearest
// dates, then the earlier items. Work grows with the items times the candidates within the window
// of equal amount, not with the square of the items.
QVector<Pair> autoPairs(QVector<Item> entries, QVector<Item> lines, int days);

// 自动对账: pairs the unpaired entries and lines of the account dated from `from` to `to`
// (inclusive) and stores the pairs. Existing pairs, made by hand or not, stay as they are.
// Returns the number of pairs made.
int autoReconcile(const QString& account, const QDate& from, const QDate& to, int days, const QString& operatorName,
                  const QDateTime& now);

// 手工对账: pairs the given entries with the given lines as one group. Refused with a message when
// either side is empty, a row is missing, of another account or already paired, or the sums differ
// in a direction.
void pairByHand(const QString& account, const QVector<qint64>& entries, const QVector<qint64>& lines,
                const QString& operatorName, const QDateTime& now);

// 取消对账: undoes the pairs (whole groups) the given entries and lines belong to. Returns how many
// groups were undone.
int unpair(const QVector<qint64>& entries, const QVector<qint64>& lines);

} // namespace Matching
