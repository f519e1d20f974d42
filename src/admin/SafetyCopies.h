#pragma once
// Automatic safety copies: at every normal end of the program a consistent copy of the books goes
// into the folder "自动备份" beside the database, named by date and time; the newest ten are kept.
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace SafetyCopies {

inline constexpr int Kept = 10;

// "<folder of the database>/自动备份".
QString folderFor(const QString& databasePath);
// RARU-2024-03-05-083000.DLL: the names sort in time order.
QString fileName(const QDateTime& at);
// The safety copies in `folder`, oldest first; other files there are not ours and not listed.
QStringList copiesIn(const QString& folder);

// Writes the copy of the live database taken `at`, then removes the oldest beyond Kept.
// Returns the new copy's path; AppError with the reason when no copy could be written.
QString write(const QString& databasePath, const QDateTime& at);

// At a normal end: when the books were opened this run, writes the copy. A failure is told once,
// in the error box, and never keeps the program from ending.
void atNormalEnd();

} // namespace SafetyCopies
