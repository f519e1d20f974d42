#include "uDM.h"

#include "AppError.h"
#include "Connection.h"
#include "DBGrid.h"
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
    // The column name is the one piece of the statement that cannot be bound; only the fixed
    // rights columns are accepted.
    static const QRegularExpression rightsColumn(QStringLiteral("^F([0-9]|1[1-4])$"));
    if (!rightsColumn.match(column).hasMatch())
        throw AppError(QStringLiteral("未知的权限列 %1").arg(column));
    const QVariant v = Connection::instance().scalar(
        QStringLiteral(" Select ") + column + QStringLiteral(" From tuser where userName=?"), {CurrentUser});
    return v.isValid() && !v.isNull() && v.toInt() != 0;
}

void TDM::ExportGrid(DBGrid* grid, const QString& defaultFileName)
{
    GridExport::exportGrid(grid ? grid->window() : nullptr, grid, defaultFileName);
}
