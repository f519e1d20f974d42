#include "PasswordHash.h"

#include "AppError.h"

#include <sodium.h>

namespace {
void initSodium()
{
    static const bool ready = sodium_init() >= 0;
    if (!ready)
        throw AppError(QStringLiteral("密码库初始化失败"));
}
} // namespace

QString PasswordHash::hash(const QString& password)
{
    initSodium();
    const QByteArray utf8 = password.toUtf8();
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(out, utf8.constData(), static_cast<unsigned long long>(utf8.size()),
                          crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE)
        != 0)
        throw AppError(QStringLiteral("内存不足，无法保存密码"));
    return QString::fromLatin1(out);
}

bool PasswordHash::verify(const QString& stored, const QString& password)
{
    initSodium();
    const QByteArray h = stored.toLatin1();
    if (h.isEmpty() || h.size() >= crypto_pwhash_STRBYTES)
        return false;
    const QByteArray utf8 = password.toUtf8();
    return crypto_pwhash_str_verify(h.constData(), utf8.constData(), static_cast<unsigned long long>(utf8.size())) == 0;
}
