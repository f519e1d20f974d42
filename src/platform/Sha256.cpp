#include "Sha256.h"

#include <sodium.h>

QByteArray Sha256::hex(const QByteArray& data)
{
    unsigned char digest[crypto_hash_sha256_BYTES];
    crypto_hash_sha256(digest, reinterpret_cast<const unsigned char*>(data.constData()), quint64(data.size()));
    char text[2 * crypto_hash_sha256_BYTES + 1];
    sodium_bin2hex(text, sizeof text, digest, sizeof digest);
    return QByteArray(text, 2 * crypto_hash_sha256_BYTES);
}
