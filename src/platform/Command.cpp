#include "Command.h"

#include "Connection.h"

int Command::execute(const QString& sql, const QVariantList& params)
{
    return Connection::instance().run(sql, params);
}
