#include "Commands.h"

#include "AppError.h"

CommandInfo commandInfo(Command command)
{
    const auto row = [](const char16_t* item, std::optional<Right> right) {
        return CommandInfo{QString::fromUtf16(item), right};
    };
    switch (command) {
    case Command::SetPeriod: return row(u"N23", Right::F1);
    case Command::Operators: return row(u"N27", Right::F2);
    case Command::BackupRestore: return row(u"N30", Right::F3);
    case Command::DataInitialisation: return row(u"N32", Right::F4);
    case Command::Exit: return row(u"N34", std::nullopt);
    case Command::CashJournal: return row(u"N5", Right::F5);
    case Command::Summaries: return row(u"N7", Right::F6);
    case Command::CashByMonth: return row(u"N9", Right::F7);
    case Command::CashBySummary: return row(u"N10", Right::F8);
    case Command::CashByDay: return row(u"N12", Right::F9);
    case Command::BankJournal: return row(u"N13", Right::F0);
    case Command::BankAccounts: return row(u"N15", Right::F11);
    case Command::BankByMonth: return row(u"N18", Right::F13);
    case Command::BankBySummary: return row(u"N17", Right::F12);
    case Command::BankByDay: return row(u"N20", Right::F14);
    case Command::Consultation: return row(u"N31", std::nullopt);
    case Command::About: return row(u"N26", std::nullopt);
    }
    throw AppError(QStringLiteral("未知的命令"));
}
