#include "StatementParse.h"

#include "AppError.h"
#include "StatementValues.h"

#include <QRegularExpression>

namespace StatementParse {
namespace {

QString cellOf(const QStringList& row, const StatementLayout& layout, StatementRole role)
{
    return layout.has(role) ? row.value(layout.column(role)).trimmed() : QString();
}

bool isBlank(const QStringList& row)
{
    for (const QString& c : row)
        if (!c.trimmed().isEmpty())
            return false;
    return true;
}

// Rows that close a statement: totals and counts, which carry no date.
bool isClosingRow(const QString& dateCell)
{
    static const QRegularExpression closing(QStringLiteral("^(合计|总计|小计|本页|累计|共|以下空白|打印|备注|说明)"));
    return closing.match(dateCell).hasMatch();
}

Money amountOf(const QString& cell, int line)
{
    const auto m = StatementValues::parseAmount(cell);
    if (!m)
        throw AppError(QStringLiteral("第 %1 行的金额无法识别：%2").arg(line).arg(cell));
    return *m;
}

Money absolute(Money m) { return m < Money() ? Money() - m : m; }

} // namespace

std::optional<bool> directionIn(const QString& cell)
{
    const QString t = cell.trimmed().normalized(QString::NormalizationForm_KC).toUpper();
    static const QStringList in{QStringLiteral("贷"), QStringLiteral("贷方"), QStringLiteral("收"), QStringLiteral("收入"),
                                QStringLiteral("存入"), QStringLiteral("来账"), QStringLiteral("C"), QStringLiteral("CR"),
                                QStringLiteral("+")};
    static const QStringList out{QStringLiteral("借"), QStringLiteral("借方"), QStringLiteral("支"), QStringLiteral("支出"),
                                 QStringLiteral("支取"), QStringLiteral("往账"), QStringLiteral("D"), QStringLiteral("DR"),
                                 QStringLiteral("-")};
    if (in.contains(t))
        return true;
    if (out.contains(t))
        return false;
    return std::nullopt;
}

QVector<StatementLine> lines(const SheetReader::Rows& rows, const StatementLayout& layout)
{
    QVector<StatementLine> out;
    for (int r = layout.headerRow + 1; r < rows.size(); ++r) {
        const QStringList& row = rows.at(r);
        const int lineNo = r + 1;
        if (isBlank(row))
            continue;
        const QString dateCell = cellOf(row, layout, StatementRole::Date);
        auto when = StatementValues::parseDateTime(dateCell);
        if (!when) {
            if (dateCell.isEmpty() || isClosingRow(dateCell))
                continue;
            throw AppError(QStringLiteral("第 %1 行的日期无法识别：%2").arg(lineNo).arg(dateCell));
        }
        if (layout.has(StatementRole::Time)) {
            const QString timeCell = cellOf(row, layout, StatementRole::Time);
            if (!timeCell.isEmpty()) {
                // A time column may repeat the date ("2024-03-05 10:30:00") or hold the time alone.
                auto full = StatementValues::parseDateTime(timeCell);
                auto time = full ? std::optional<QTime>(full->time()) : StatementValues::parseTime(timeCell);
                if (!time)
                    throw AppError(QStringLiteral("第 %1 行的时间无法识别：%2").arg(lineNo).arg(timeCell));
                when->setTime(*time);
            }
        }

        StatementLine line;
        line.when = *when;
        line.sourceLine = lineNo;
        line.summary = cellOf(row, layout, StatementRole::Summary);
        line.counterparty = cellOf(row, layout, StatementRole::Counterparty);
        line.serial = cellOf(row, layout, StatementRole::Serial);
        if (layout.has(StatementRole::In) && layout.has(StatementRole::Out)) {
            // Some banks print withdrawals as negative numbers in their own column: the column
            // says the direction, the figure the size.
            line.in = absolute(amountOf(cellOf(row, layout, StatementRole::In), lineNo));
            line.out = absolute(amountOf(cellOf(row, layout, StatementRole::Out), lineNo));
        } else {
            const Money amount = amountOf(cellOf(row, layout, StatementRole::Amount), lineNo);
            bool in = amount >= Money();
            if (layout.has(StatementRole::Direction)) {
                const QString flag = cellOf(row, layout, StatementRole::Direction);
                const auto dir = directionIn(flag);
                if (!dir)
                    throw AppError(QStringLiteral("第 %1 行的借贷标志无法识别：%2").arg(lineNo).arg(flag));
                in = *dir;
            }
            (in ? line.in : line.out) = absolute(amount);
        }
        if (!line.in.isZero() && !line.out.isZero())
            throw AppError(QStringLiteral("第 %1 行同时有收入和支出，无法导入").arg(lineNo));
        if (layout.has(StatementRole::Balance)) {
            const QString cell = cellOf(row, layout, StatementRole::Balance);
            if (!cell.isEmpty())
                line.balance = amountOf(cell, lineNo);
        }
        out << line;
    }
    return out;
}

} // namespace StatementParse
