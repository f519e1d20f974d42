#include "uDM.h"

#include "AppError.h"
#include "Connection.h"
#include "DBGrid.h"
#include "Rights.h"
#include "Tables.h"
#include "Upgrades.h"
#include "export/GridExport.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>

TDM* DM = nullptr;

TDM::TDM(QObject* parent) : QObject(parent) { DataModuleCreate(); }

void TDM::DataModuleCreate()
{
    programDir_ = QCoreApplication::applicationDirPath();
    if (!programDir_.endsWith(u'/'))
        programDir_ += u'/';
    // The connection opens itself at the first query; the file is never created here.
    Connection::instance().setDatabasePath(DatabasePath());
    // An older file is upgraded, a newer one refused, at that first opening.
    Database::upgradeOnOpen(Connection::instance());
}

QString TDM::DatabasePath() const { return programDir_ + QStringLiteral("RARU.DLL"); }

bool TDM::HasRight(const QString& column)
{
    // The column name is the one piece of the statement that cannot be bound; only the rights
    // columns are accepted.
    if (!rightsColumnNames().contains(column))
        throw AppError(QStringLiteral("未知的权限列 %1").arg(column));
    const QVariant v = Connection::instance().scalar(
        QStringLiteral(" Select %1 From %2 where %3=?").arg(column, Table::operators, OperatorField::name), {CurrentUser});
    return v.isValid() && !v.isNull() && v.toInt() != 0;
}

bool TDM::HasRight(Right right) { return HasRight(rightsColumn(right)); }

void TDM::ExportGrid(DBGrid* grid, const QString& defaultFileName)
{
    GridExport::exportGrid(grid ? grid->window() : nullptr, grid, defaultFileName);
}
