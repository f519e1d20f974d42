#include "BooksLocation.h"

#include "AppError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace BooksLocation {

Folders ofThisProgram()
{
    Folders f;
    f.programDir = QCoreApplication::applicationDirPath();
    f.dataDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const QDir program(f.programDir);
    f.deliveredCopies << program.filePath(databaseFileName)
                      << QDir::cleanPath(program.filePath(QStringLiteral(ZZ_DELIVERED_FROM_PROGRAM_DIR "/") + databaseFileName));
    return f;
}

bool canWrite(const QString& file)
{
    const QFileInfo fi(file);
    if (!fi.isFile())
        return false;
    const QByteArray path = QFile::encodeName(fi.absoluteFilePath());
    const QByteArray folder = QFile::encodeName(fi.absolutePath());
    return ::access(path.constData(), R_OK | W_OK) == 0 && ::access(folder.constData(), W_OK | X_OK) == 0;
}

namespace {
// Copies `from` to `to` unless `to` exists: the copy is made under a name of its own and then
// linked into place, which fails rather than replace a file that appeared meanwhile.
// Returns whether this call placed the file.
bool placeCopy(const QString& from, const QString& to)
{
    const auto fail = [&](const QString& why) {
        return AppError(QStringLiteral("无法把数据库 %1 复制到 %2：%3")
                            .arg(QDir::toNativeSeparators(from), QDir::toNativeSeparators(to), why));
    };
    const QString folder = QFileInfo(to).absolutePath();
    if (!QDir().mkpath(folder))
        throw fail(QStringLiteral("无法建立文件夹 %1").arg(QDir::toNativeSeparators(folder)));
    const QString part = QStringLiteral("%1.%2.part").arg(to).arg(QCoreApplication::applicationPid());
    QFile::remove(part);
    QFile source(from);
    if (!source.copy(part)) {
        QFile::remove(part);
        throw fail(source.errorString());
    }
    // The installed copy is read-only for the user; the placed one is theirs to write.
    QFile::setPermissions(part, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const bool linked = ::link(QFile::encodeName(part).constData(), QFile::encodeName(to).constData()) == 0;
    const int error = errno;
    QFile::remove(part);
    if (!linked && error != EEXIST)
        throw fail(QString::fromLocal8Bit(std::strerror(error)));
    return linked;
}
} // namespace

Choice settle(const Folders& folders, const std::function<bool(const QString&)>& writable)
{
    const QString beside = QDir(folders.programDir).filePath(databaseFileName);
    if (QFileInfo(beside).isFile() && writable(beside))
        return {beside, false};
    const QString own = QDir(folders.dataDir).filePath(databaseFileName);
    if (QFileInfo::exists(own))
        return {own, false};
    for (const QString& delivered : folders.deliveredCopies)
        if (QFileInfo(delivered).isFile())
            return {own, placeCopy(delivered, own)};
    return {own, false};
}

QString backgroundPicture(const QString& databasePath, const QString& programDir)
{
    for (const QString& folder : {QFileInfo(databasePath).absolutePath(), programDir}) {
        const QString path = QDir(folder).filePath(backgroundFileName);
        if (QFileInfo::exists(path))
            return path;
    }
    return {};
}

} // namespace BooksLocation
