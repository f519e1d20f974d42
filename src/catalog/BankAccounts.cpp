#include "BankAccounts.h"

#include "Connection.h"
#include "Tables.h"

#include <QSqlQuery>

QStringList BankAccountNames()
{
    QSqlQuery q = Connection::instance().run(QStringLiteral("Select %1 From %2 ").arg(BankAccountField::name, Table::bankAccounts));
    QStringList names;
    while (q.next())
        names << q.value(0).toString();
    return names;
}
