#include "uDM.h"

#include "AppError.h"
#include "Application.h"
#include "BooksLocation.h"
#include "Connection.h"
#include "DBGrid.h"
#include "OperationLog.h"
#include "StoreFunctions.h"
#include "Rights.h"
#include "Tables.h"
#include "Upgrades.h"
#include "export/GridExport.h"

#include <QCoreApplication>
#include <QDir>
#include <QSqlQuery>

TDM* DM = nullptr;

TDM::TDM(QObject* parent) : QObject(parent) { DataModuleCreate(); }

void TDM::DataModuleCreate()
{
    programDir_ = QCoreApplication::applicationDirPath();
    if (!programDir_.endsWith(u'/'))
        programDir_ += u'/';
    const BooksLocation::Folders folders = BooksLocation::ofThisProgram();
    databasePath_ = QDir(folders.dataDir).filePath(BooksLocation::databaseFileName);
    // A copy that cannot be placed is reported now; the first query then names the missing file.
    runGuarded([&] { databasePath_ = BooksLocation::settle(folders).databasePath; });
    // The connection opens itself at the first query; no empty database is ever created here.
    Connection::instance().setDatabasePath(databasePath_);
    // The store's triggers name the logged-in operator in the operation log.
    StoreFunctions::setCurrentOperator([] { return DM ? DM->CurrentUser : QString(); });
    // An older file is upgraded, a newer one refused, at that first opening.
    Database::upgradeOnOpen(Connection::instance());
}

QString TDM::BackgroundPicturePath() const { return BooksLocation::backgroundPicture(databasePath_, programDir_); }

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
    QWidget* window = grid ? grid->window() : nullptr;
    const auto saved = GridExport::exportGrid(window, grid, defaultFileName);
    if (!saved)
        return;
    namespace Log = OperationLog;
    Log::record({Log::Kind::exportFile, {}, {}, {}, {},
                 {{Log::Value::window, window ? window->windowTitle() : QString()},
                  {Log::Value::fileType, GridExport::extension(saved->format).toUpper()},
                  {Log::Value::file, saved->path},
                  {Log::Value::rows, saved->rows}}});
}
