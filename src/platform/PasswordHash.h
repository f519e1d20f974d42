#pragma once
// Password storage: argon2id hashes, compared exactly.
#include <QString>

namespace PasswordHash {
// An argon2id hash string of `password` (UTF-8); raises AppError if memory runs out.
QString hash(const QString& password);
// True when `stored` is an argon2id hash of exactly `password`.
bool verify(const QString& stored, const QString& password);
}
