#pragma once
#include <QStringList>
// The bank account names in table order, for the entry dialog, the bank search and statistics.
QStringList BankAccountNames();
