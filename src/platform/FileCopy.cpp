#include "FileCopy.h"

#include "AppError.h"

#include <QDir>
#include <QFile>

void copyFileWithProgress(const QString& from, const QString& to, const Progress& progress)
{
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("无法读取 %1：%2").arg(QDir::toNativeSeparators(from), in.errorString()));
    QFile out(to);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw AppError(QStringLiteral("无法写入 %1：%2").arg(QDir::toNativeSeparators(to), out.errorString()));
    try {
        const qint64 total = in.size();
        qint64 done = 0;
        if (progress)
            progress(0, total);
        QByteArray piece(1 << 16, Qt::Uninitialized);
        for (;;) {
            const qint64 n = in.read(piece.data(), piece.size());
            if (n < 0)
                throw AppError(QStringLiteral("无法读取 %1：%2").arg(QDir::toNativeSeparators(from), in.errorString()));
            if (n == 0)
                break;
            if (out.write(piece.constData(), n) != n)
                throw AppError(QStringLiteral("无法写入 %1：%2").arg(QDir::toNativeSeparators(to), out.errorString()));
            done += n;
            if (progress)
                progress(done, std::max(total, done));
        }
        if (!out.flush())
            throw AppError(QStringLiteral("无法写入 %1：%2").arg(QDir::toNativeSeparators(to), out.errorString()));
    } catch (...) {
        out.close();
        QFile::remove(to);
        throw;
    }
}
