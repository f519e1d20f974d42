#pragma once
// Where a statement file keeps what: the header row below any preamble lines (账号, 户名, 起止日期
// …) and which column holds each part of a line. Found from the column titles Chinese banks use,
// or from titles the user assigned by hand for the account.
#include "sheet/SheetReader.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

enum class StatementRole {
    Date,         // date, or date and time
    Time,         // time of day in a column of its own
    Summary,
    In,           // money into the account: the bank's 贷方
    Out,          // money out of the account: the bank's 借方
    Amount,       // a signed amount, or an absolute one beside a direction column
    Direction,    // 借贷标志 / 收支标志
    Balance,
    Counterparty,
    Serial,
};
inline constexpr int StatementRoleCount = 10;

struct StatementLayout {
    int headerRow = -1; // index into the file's rows
    std::array<int, StatementRoleCount> columns{}; // -1 when the file has no such column

    StatementLayout() { columns.fill(-1); }
    int column(StatementRole r) const { return columns[size_t(r)]; }
    void setColumn(StatementRole r, int c) { columns[size_t(r)] = c; }
    bool has(StatementRole r) const { return column(r) >= 0; }
    // A date and either both money columns or an amount.
    bool isUsable() const;
    // What is missing for isUsable, as a message; empty when usable.
    QString missing() const;
};

namespace StatementLayouts {

// Every role in the order the mapping dialog lists them, with the caption it shows.
QString caption(StatementRole r);
// The column titles that name a role, preferred first.
const QStringList& titles(StatementRole r);
// A title as compared: full-width forms folded, blanks, "*" and bracketed units ("(元)") dropped.
QString normalizedTitle(const QString& title);

// The first row among the first rows of the file whose titles name a usable layout.
std::optional<StatementLayout> detect(const SheetReader::Rows& rows);

// Titles assigned by hand: role → the column title of the header row.
using Assigned = QMap<StatementRole, QString>;
// The first row holding every assigned title; nothing when no row does or the titles are not usable.
std::optional<StatementLayout> fromAssigned(const SheetReader::Rows& rows, const Assigned& assigned);
// The titles a layout picks out of its header row.
Assigned assignedOf(const SheetReader::Rows& rows, const StatementLayout& layout);

// Stored form, one "role=title" per line, and back.
QString toText(const Assigned& a);
Assigned fromText(const QString& text);

// How many rows from the top are searched for the header row.
inline constexpr int HeaderSearchRows = 40;

} // namespace StatementLayouts
