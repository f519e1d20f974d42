#include "BankAccounts.h"

#include "Connection.h"
#include "Tables.h"

QStringList BankAccountNames()
{
    return Connection::instance().column(QStringLiteral("Select %1 From %2 ").arg(BankAccountField::name, Table::bankAccounts));
}
