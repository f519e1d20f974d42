#include "SafetyCopies.h"

#include "AppError.h"
#include "Connection.h"
#include "Messages.h"
#include "u_DBbak.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace SafetyCopies {

QString folderFor(const QString& databasePath)
{
    return QDir(QFileInfo(databasePath).absolutePath()).filePath(QStringLiteral("自动备份"));
}

QString fileName(const QDateTime& at) { return at.toString(QStringLiteral("'RARU-'yyyy-MM-dd-HHmmss'.DLL'")); }

QStringList copiesIn(const QString& folder)
{
    static const QRegularExpression ours(QStringLiteral("^RARU-\\d{4}-\\d{2}-\\d{2}-\\d{6}\\.DLL$"));
    QStringList out;
    const QStringList names = QDir(folder).entryList(QDir::Files, QDir::Name);
    for (const QString& n : names)
        if (ours.match(n).hasMatch())
            out << QDir(folder).filePath(n);
    return out;
}

QString write(const QString& databasePath, const QDateTime& at)
{
    const QString folder = folderFor(databasePath);
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir())
        throw AppError(QStringLiteral("无法建立文件夹 %1").arg(QDir::toNativeSeparators(folder)));
    const QString target = QDir(folder).filePath(fileName(at));
    BackupRestore::backup(target);
    // Only once the new copy is safe do old ones go.
    const QStringList copies = copiesIn(folder);
    for (qsizetype i = 0; i + Kept < copies.size(); ++i)
        QFile::remove(copies[i]);
    return target;
}

void atNormalEnd()
{
    Connection& c = Connection::instance();
    if (!c.isOpen())
        return;
    try {
        write(c.databasePath(), QDateTime::currentDateTime());
    } catch (const std::exception& e) {
        Messages::current().error(nullptr, QStringLiteral("自动备份没有完成。\n%1").arg(QString::fromUtf8(e.what())));
    }
}

} // namespace SafetyCopies
