#include "Sha256.h"

#include <sodium.h>

namespace {
static_assert(sizeof(crypto_hash_sha256_state) <= 128 && alignof(crypto_hash_sha256_state) <= 16);
}

QByteArray Sha256::hex(const QByteArray& data) { return Hasher().add(data).hex(); }

namespace {
crypto_hash_sha256_state* stateOf(unsigned char* storage) { return reinterpret_cast<crypto_hash_sha256_state*>(storage); }
}

Sha256::Hasher::Hasher() { crypto_hash_sha256_init(stateOf(state_)); }

Sha256::Hasher& Sha256::Hasher::add(QByteArrayView data)
{
    crypto_hash_sha256_update(stateOf(state_), reinterpret_cast<const unsigned char*>(data.data()), quint64(data.size()));
    return *this;
}

QByteArray Sha256::Hasher::hex()
{
    unsigned char digest[crypto_hash_sha256_BYTES];
    crypto_hash_sha256_final(stateOf(state_), digest);
    char text[2 * crypto_hash_sha256_BYTES + 1];
    sodium_bin2hex(text, sizeof text, digest, sizeof digest);
    return QByteArray(text, 2 * crypto_hash_sha256_BYTES);
}
