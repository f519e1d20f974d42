#pragma once
// The main window's commands: the menu item that runs each and the right it asks (none: open
// to every operator). Menus and toolbar name commands by this enum only, and the table is a
// switch, so a command without its row does not compile.
#include "Rights.h"

#include <QString>
#include <optional>

enum class Command {
    SetPeriod, Operators, BackupRestore, DataInitialisation, Exit,
    CashJournal, Summaries, CashByMonth, CashBySummary, CashByDay,
    BankJournal, BankAccounts, BankByMonth, BankBySummary, BankByDay,
    Consultation, About,
};

struct CommandInfo {
    QString item;               // the menu item's name
    std::optional<Right> right; // the rights column asked before the command runs
};

CommandInfo commandInfo(Command command);
