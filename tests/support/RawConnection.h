#pragma once
// For fixtures that write through a connection of their own (a second writer, a hand-made file):
// the store's triggers call CurrentOperator() and LogChain(), which such a connection must define
// just as the program's connection does.
#include <QSqlDatabase>

void registerStoreFunctions(QSqlDatabase& db);
