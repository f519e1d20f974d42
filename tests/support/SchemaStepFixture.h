#pragma once
// Applies an upgrade step's script (from the program's resources) to the test database the way the
// upgrade runs it: statement by statement, a CREATE TRIGGER with its body as one statement.
#include "AppError.h"
#include "Connection.h"

#include <QFile>
#include <sqlite3.h>

inline void applySchemaStep(const QString& resource)
{
    QFile f(resource);
    if (!f.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("missing upgrade step ") + resource);
    QString pending;
    for (const QString& line : QString::fromUtf8(f.readAll()).split(u'\n')) {
        if (line.trimmed().startsWith(QStringLiteral("--")))
            continue;
        pending += line + u'\n';
        if (sqlite3_complete(pending.toUtf8().constData())) {
            Connection::instance().run(pending.trimmed());
            pending.clear();
        }
    }
}
