#include "StatementImport.h"

#include "AppError.h"
#include "Command.h"
#include "Connection.h"
#include "Dataset.h"
#include "ReconcileNames.h"
#include "StatementParse.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QHash>
#include <algorithm>

QString ImportPreview::breakText() const
{
    QStringList out;
    for (const BalanceBreak& b : breaks)
        out << QStringLiteral("第 %1 行余额不连续：应为 %2，文件中为 %3").arg(b.sourceLine).arg(b.expected.toString(), b.printed.toString());
    return out.join(u'\n');
}

namespace StatementImport {
namespace {

const QString noHeader = QStringLiteral("找不到对账单的表头行：前 %1 行中没有交易日期和金额的列名").arg(StatementLayouts::HeaderSearchRows);

QString keyOf(const QString& when, qlonglong in, qlonglong out, const QVariant& balance, const QString& serial)
{
    return when + u'|' + QString::number(in) + u'|' + QString::number(out) + u'|'
        + (balance.isNull() ? QStringLiteral("-") : QString::number(balance.toLongLong())) + u'|' + serial.toCaseFolded();
}

QString keyOf(const StatementLine& l)
{
    return keyOf(l.whenText(), l.in.units(), l.out.units(), l.balance ? QVariant(qlonglong(l.balance->units())) : QVariant(),
                 l.serial);
}

} // namespace

StatementLayouts::Assigned assignedFor(const QString& account)
{
    const QVariant v = Connection::instance().scalar(
        QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?").arg(MappingTable::mapping, MappingTable::table, MappingTable::account),
        {account});
    return StatementLayouts::fromText(v.toString());
}

void rememberLayout(const QString& account, const SheetReader::Rows& rows, const StatementLayout& layout)
{
    Command::execute(QStringLiteral("INSERT OR REPLACE INTO %1 (%2, %3) VALUES (?, ?)")
                                   .arg(MappingTable::table, MappingTable::account, MappingTable::mapping),
                     {account, StatementLayouts::toText(StatementLayouts::assignedOf(rows, layout))});
}

std::optional<StatementLayout> layoutFor(const SheetReader::Rows& rows, const QString& account)
{
    if (auto remembered = StatementLayouts::fromAssigned(rows, assignedFor(account)))
        return remembered;
    return StatementLayouts::detect(rows);
}

QVector<BalanceBreak> balanceBreaks(const QVector<StatementLine>& lines)
{
    QVector<BalanceBreak> out;
    const StatementLine* previous = nullptr;
    for (const StatementLine& l : lines) {
        if (!l.balance)
            continue;
        if (previous) {
            const Money expected = *previous->balance + l.in - l.out;
            if (expected != *l.balance)
                out << BalanceBreak{l.sourceLine, expected, *l.balance};
        }
        previous = &l;
    }
    return out;
}

ImportPreview preview(const QString& account, const QString& filePath, const QVector<StatementLine>& lines)
{
    if (lines.isEmpty())
        throw AppError(QStringLiteral("文件中没有对账单记录"));
    ImportPreview p;
    p.account = account;
    p.fileName = QFileInfo(filePath).fileName();

    // Newest-first files run their balances backwards: a line's balance is the one below it plus
    // the line's movement. The reading with fewer breaks is the file's order; without balances
    // (or on a tie) the dates tell.
    QVector<StatementLine> reversed(lines.rbegin(), lines.rend());
    const QVector<BalanceBreak> forwards = balanceBreaks(lines);
    QVector<BalanceBreak> backwards = balanceBreaks(reversed);
    std::reverse(backwards.begin(), backwards.end());
    p.newestFirst = backwards.size() != forwards.size() ? backwards.size() < forwards.size()
                                                        : lines.first().when > lines.last().when;
    p.breaks = p.newestFirst ? backwards : forwards;

    const auto [first, last] = std::minmax_element(lines.cbegin(), lines.cend(),
                                                   [](const StatementLine& a, const StatementLine& b) { return a.when < b.when; });
    QHash<QString, int> stored;
    Dataset q;
    q.open(QStringLiteral("SELECT %1, %2, %3, %4, %5 FROM %6 WHERE %7 = ? AND %1 BETWEEN ? AND ?")
            .arg(StatementTable::when, StatementTable::moneyIn, StatementTable::moneyOut, StatementTable::balance,
                 StatementTable::serial, StatementTable::table, StatementTable::account),
        {account, first->whenText(), last->whenText()});
    for (int r = 0; r < q.rowCount(); ++r)
        ++stored[keyOf(q.valueAt(r, 0).toString(), q.valueAt(r, 1).toLongLong(), q.valueAt(r, 2).toLongLong(), q.valueAt(r, 3),
                       q.valueAt(r, 4).toString())];

    // Stored oldest first, so lines of one day without times keep their order by key.
    for (const StatementLine& l : p.newestFirst ? reversed : lines) {
        auto it = stored.find(keyOf(l));
        if (it != stored.end() && it.value() > 0) {
            --it.value();
            ++p.duplicates;
        } else {
            p.fresh << l;
        }
    }
    return p;
}

ImportPreview prepare(const QString& filePath, const QString& account)
{
    const SheetReader::Rows rows = SheetReader::read(filePath);
    const auto layout = layoutFor(rows, account);
    if (!layout)
        throw AppError(noHeader);
    return preview(account, filePath, StatementParse::lines(rows, *layout));
}

int commit(const ImportPreview& preview, const QString& operatorName, const QDateTime& now)
{
    if (!preview.breaks.isEmpty())
        throw AppError(QStringLiteral("对账单余额不连续，未导入：\n") + preview.breakText());
    if (preview.fresh.isEmpty())
        return 0;
    // One statement for the whole file: the lines travel as one JSON array, which SQLite takes
    // apart itself; binding thousands of values through Qt costs far more.
    QJsonArray rows;
    for (const StatementLine& l : preview.fresh)
        rows.append(QJsonArray{l.whenText(), l.summary, qint64(l.in.units()), qint64(l.out.units()),
                               l.balance ? QJsonValue(qint64(l.balance->units())) : QJsonValue(), l.counterparty, l.serial,
                               l.sourceLine});
    const auto item = [](int i) { return QStringLiteral("json_extract(value, '$[%1]')").arg(i); };
    Transaction t;
    Command::execute(QStringLiteral("INSERT INTO %1 (%2, %3, %4, %5, %6, %7, %8, %9, %10, %11, %12, %13) "
                                    "SELECT ?, %14, %15, %16, %17, %18, %19, %20, ?, %21, ?, ? FROM json_each(?) ORDER BY key")
                         .arg(StatementTable::table, StatementTable::account, StatementTable::when, StatementTable::summary,
                              StatementTable::moneyIn, StatementTable::moneyOut, StatementTable::balance,
                              StatementTable::counterparty, StatementTable::serial)
                         .arg(StatementTable::source, StatementTable::sourceLine, StatementTable::importedAt,
                              StatementTable::importedBy, item(0), item(1), item(2), item(3), item(4))
                         .arg(item(5), item(6), item(7)),
                     {preview.account, preview.fileName, now.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), operatorName,
                      QString::fromUtf8(QJsonDocument(rows).toJson(QJsonDocument::Compact))});
    t.commit();
    return int(preview.fresh.size());
}

} // namespace StatementImport
