#include "BankAccounts.h"

#include "Connection.h"

#include <QSqlQuery>

QStringList BankAccountNames()
{
    QSqlQuery q = Connection::instance().run(QStringLiteral("Select bankName From bankInfo "));
    QStringList names;
    while (q.next())
        names << q.value(0).toString();
    return names;
}
