#include "TestDatabase.h"

#include "Connection.h"
#include "Database.h"
#include "PasswordHash.h"
#include "Upgrades.h"

TestDatabase::TestDatabase(Content c, const QDateTime& period)
{
    path_ = dir_.filePath(QStringLiteral("RARU.DLL"));
    if (c == Content::Delivered)
        Database::createDelivered(path_, period);
    else
        Database::createEmpty(path_);
    Connection::instance().setDatabasePath(path_);
    Database::upgradeOnOpen(Connection::instance());
}

TestDatabase::~TestDatabase()
{
    Connection::instance().close();
    Connection::instance().setOpenCheck({});
}

void TestDatabase::exec(const QString& sql, const QVariantList& params) { Connection::instance().run(sql, params); }

QVariant TestDatabase::scalar(const QString& sql, const QVariantList& params)
{
    return Connection::instance().scalar(sql, params);
}

void TestDatabase::addOperator(const QString& name, const QString& password, const QStringList& rights)
{
    QStringList sets;
    QVariantList params{name, PasswordHash::hash(password)};
    QStringList cols = Database::rightsColumns();
    QStringList marks;
    for (const QString& col : cols) {
        params << (rights.contains(col) ? 1 : 0);
        marks << QStringLiteral("?");
    }
    exec(QStringLiteral("INSERT INTO tuser (username, password, %1) VALUES (?, ?, %2)")
             .arg(cols.join(u','), marks.join(u',')),
         params);
}
