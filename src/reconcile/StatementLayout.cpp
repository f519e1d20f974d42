#include "StatementLayout.h"

#include <QRegularExpression>

bool StatementLayout::isUsable() const { return missing().isEmpty(); }

QString StatementLayout::missing() const
{
    if (!has(StatementRole::Date))
        return QStringLiteral("没有日期列");
    if (!has(StatementRole::Amount) && !(has(StatementRole::In) && has(StatementRole::Out)))
        return QStringLiteral("没有收入、支出列，也没有交易金额列");
    return {};
}

namespace StatementLayouts {
namespace {

// Stored keys of the roles; they never change, so remembered mappings stay readable.
const char* const roleKeys[StatementRoleCount] = {"date", "time", "summary", "in", "out",
                                                  "amount", "direction", "balance", "counterparty", "serial"};

QStringList list(std::initializer_list<const char*> names)
{
    QStringList out;
    for (const char* n : names)
        out << QString::fromUtf8(n);
    return out;
}

} // namespace

QString caption(StatementRole r)
{
    switch (r) {
    case StatementRole::Date: return QStringLiteral("交易日期");
    case StatementRole::Time: return QStringLiteral("交易时间");
    case StatementRole::Summary: return QStringLiteral("摘要");
    case StatementRole::In: return QStringLiteral("收入（贷方）");
    case StatementRole::Out: return QStringLiteral("支出（借方）");
    case StatementRole::Amount: return QStringLiteral("交易金额");
    case StatementRole::Direction: return QStringLiteral("借贷标志");
    case StatementRole::Balance: return QStringLiteral("余额");
    case StatementRole::Counterparty: return QStringLiteral("对方户名");
    case StatementRole::Serial: return QStringLiteral("流水号");
    }
    return {};
}

const QStringList& titles(StatementRole r)
{
    static const std::array<QStringList, StatementRoleCount> all = {
        list({"交易日期", "记账日期", "交易时间", "日期"}),
        list({"时间", "交易时刻", "记账时间"}),
        list({"摘要", "用途", "交易摘要", "附言"}),
        list({"贷方发生额", "收入金额", "收入", "存入", "贷方金额", "存入金额"}),
        list({"借方发生额", "支出金额", "支出", "支取", "借方金额", "支取金额"}),
        list({"交易金额", "发生额"}),
        list({"借贷标志", "收支标志", "借贷方向", "收支方向"}),
        list({"余额", "账户余额"}),
        list({"对方户名", "对方账户名称", "对方名称"}),
        list({"流水号", "交易流水号", "凭证号"}),
    };
    return all[size_t(r)];
}

QString normalizedTitle(const QString& title)
{
    QString t = title.normalized(QString::NormalizationForm_KC);
    static const QRegularExpression drop(QStringLiteral("\\s|\\*|\\([^)]*\\)|\\[[^\\]]*\\]|【[^】]*】"));
    t.remove(drop);
    return t;
}

std::optional<StatementLayout> detect(const SheetReader::Rows& rows)
{
    const int last = std::min<int>(int(rows.size()), HeaderSearchRows);
    for (int r = 0; r < last; ++r) {
        QStringList cells;
        for (const QString& c : rows.at(r))
            cells << normalizedTitle(c);
        StatementLayout layout;
        layout.headerRow = r;
        for (int role = 0; role < StatementRoleCount; ++role) {
            // The role's preferred title wins over a later one ("摘要" over "用途").
            for (const QString& name : titles(StatementRole(role))) {
                int c = cells.indexOf(name);
                // "交易时间" names the date only where no date column is present.
                while (c >= 0 && std::find(layout.columns.begin(), layout.columns.end(), c) != layout.columns.end())
                    c = cells.indexOf(name, c + 1);
                if (c >= 0) {
                    layout.setColumn(StatementRole(role), c);
                    break;
                }
            }
        }
        // A column titled 交易时间 beside a 交易日期 column holds the time of day.
        if (layout.has(StatementRole::Date) && !layout.has(StatementRole::Time)) {
            const int t = cells.indexOf(QStringLiteral("交易时间"));
            if (t >= 0 && t != layout.column(StatementRole::Date))
                layout.setColumn(StatementRole::Time, t);
        }
        if (layout.isUsable())
            return layout;
    }
    return std::nullopt;
}

std::optional<StatementLayout> fromAssigned(const SheetReader::Rows& rows, const Assigned& assigned)
{
    if (assigned.isEmpty())
        return std::nullopt;
    const int last = std::min<int>(int(rows.size()), HeaderSearchRows);
    for (int r = 0; r < last; ++r) {
        QStringList cells;
        for (const QString& c : rows.at(r))
            cells << normalizedTitle(c);
        StatementLayout layout;
        layout.headerRow = r;
        bool all = true;
        for (auto it = assigned.cbegin(); it != assigned.cend() && all; ++it) {
            const int c = cells.indexOf(normalizedTitle(it.value()));
            all = c >= 0;
            layout.setColumn(it.key(), c);
        }
        if (all && layout.isUsable())
            return layout;
    }
    return std::nullopt;
}

Assigned assignedOf(const SheetReader::Rows& rows, const StatementLayout& layout)
{
    Assigned out;
    const QStringList header = rows.value(layout.headerRow);
    for (int role = 0; role < StatementRoleCount; ++role) {
        const int c = layout.columns[size_t(role)];
        if (c >= 0)
            out.insert(StatementRole(role), header.value(c));
    }
    return out;
}

QString toText(const Assigned& a)
{
    QStringList lines;
    for (auto it = a.cbegin(); it != a.cend(); ++it)
        lines << QString::fromLatin1(roleKeys[int(it.key())]) + u'=' + it.value();
    return lines.join(u'\n');
}

Assigned fromText(const QString& text)
{
    Assigned out;
    for (const QString& line : text.split(u'\n', Qt::SkipEmptyParts)) {
        const int eq = line.indexOf(u'=');
        if (eq <= 0)
            continue;
        const QString key = line.left(eq);
        for (int role = 0; role < StatementRoleCount; ++role)
            if (key == QLatin1String(roleKeys[role]))
                out.insert(StatementRole(role), line.mid(eq + 1));
    }
    return out;
}

} // namespace StatementLayouts
