#pragma once
// The data module: the program directory, the database connection's file, the logged-in
// operator and the rights lookup.
#include "Rights.h"

#include <QObject>
#include <QString>

class DBGrid;

class TDM : public QObject {
    Q_OBJECT
public:
    explicit TDM(QObject* parent = nullptr);

    // The executable's directory with a trailing separator, never the current directory.
    QString ProgramDir() const { return programDir_; }
    // The database file in the program directory.
    QString DatabasePath() const;

    // The logged-in operator as stored in tuser; written only by a successful login.
    QString CurrentUser;

    // Whether the current operator holds one rights column (one of rightsColumnNames()). Asks the
    // database afresh on every call; null, no such operator or an empty CurrentUser: no right.
    bool HasRight(const QString& column);
    bool HasRight(Right right);

    // Saves every row of the grid's dataset, in its visible columns, to a file of the type the
    // user picks; the type picked last is preselected at the next export of the run.
    void ExportGrid(DBGrid* grid, const QString& defaultFileName);

private:
    void DataModuleCreate();
    QString programDir_;
};

// The program-wide data module.
extern TDM* DM;
