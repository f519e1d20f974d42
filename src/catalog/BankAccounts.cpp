#include "BankAccounts.h"

#include "Connection.h"

QStringList BankAccountNames() { return Connection::instance().column(QStringLiteral("Select bankName From bankInfo ")); }
