#pragma once
// SHA-256 digests as lower-case hexadecimal text.
#include <QByteArray>
#include <QByteArrayView>

namespace Sha256 {
QByteArray hex(const QByteArray& data);

// A digest of data given in pieces, the same as of the pieces joined.
class Hasher {
public:
    Hasher();
    Hasher& add(QByteArrayView data);
    QByteArray hex();

private:
    // libsodium's state, kept out of this header.
    alignas(16) unsigned char state_[128];
};
}
