#pragma once
// Where the books live. A program folder holding a writable RARU.DLL (a build or portable folder)
// keeps using it; otherwise the books live in the user's data folder, where the first start places
// a copy of the delivered database. Only that copy is ever placed: never an empty database, and a
// file already there is never overwritten. The current directory plays no part.
#include <QString>
#include <QStringList>
#include <functional>

namespace BooksLocation {

inline const QString databaseFileName = QStringLiteral("RARU.DLL");
inline const QString backgroundFileName = QStringLiteral("Main.jpg");

struct Folders {
    QString programDir;  // the executable's folder
    QString dataDir;     // the user's data folder (QStandardPaths::AppDataLocation)
    QStringList deliveredCopies; // where a delivered database may be found, first found wins
};

struct Choice {
    QString databasePath;
    bool placed = false; // a delivered copy was placed in the data folder by this call
};

// The folders of the running program: its executable's folder, the user's data folder, and the
// delivered database beside the executable or in the installed data folder (../share/zizedozuvar).
Folders ofThisProgram();

// Whether this user can write the file and the folder holding it (SQLite needs both).
bool canWrite(const QString& file);

// The database file to use, placing the delivered copy in the data folder when it has none. When
// no delivered copy can be found the data folder's path is returned unplaced, so opening it names
// the missing file. Raises AppError when the copy cannot be placed.
Choice settle(const Folders& folders, const std::function<bool(const QString&)>& writable = canWrite);

// Main.jpg beside the books, else in the program folder; empty when neither has one.
QString backgroundPicture(const QString& databasePath, const QString& programDir);

} // namespace BooksLocation
