#include "RawConnection.h"

#include "SqlFunctions.h"
#include "StoreFunctions.h"

void registerStoreFunctions(QSqlDatabase& db)
{
    StoreFunctions::define();
    SqlFunctions::installOn(db);
}
