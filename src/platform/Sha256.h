#pragma once
// SHA-256 digests as lower-case hexadecimal text.
#include <QByteArray>

namespace Sha256 {
QByteArray hex(const QByteArray& data);
}
