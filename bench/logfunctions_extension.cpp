// The store's two functions as an SQLite extension, so that the sqlite3 shell can write to a
// database whose triggers keep the operation log, and the benchmarks compare like with like:
//   .load <path>/libzz_logfunctions sqlite3_extension_init
// CurrentOperator() answers the environment's ZZ_OPERATOR; LogChain(previous, content) is the
// lower-case hex SHA-256 of previous (NULL: '') followed by content, as the program computes it.
#include <sqlite3ext.h>
SQLITE_EXTENSION_INIT1

#include <sodium.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {
void currentOperator(sqlite3_context* ctx, int, sqlite3_value**)
{
    const char* name = std::getenv("ZZ_OPERATOR");
    sqlite3_result_text(ctx, name ? name : "", -1, SQLITE_TRANSIENT);
}

void logChain(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    std::string text;
    for (int i = 0; i < 2; ++i)
        if (const unsigned char* t = sqlite3_value_text(argv[i]))
            text.append(reinterpret_cast<const char*>(t), size_t(sqlite3_value_bytes(argv[i])));
    unsigned char digest[crypto_hash_sha256_BYTES];
    crypto_hash_sha256(digest, reinterpret_cast<const unsigned char*>(text.data()), text.size());
    char hex[2 * crypto_hash_sha256_BYTES + 1];
    sodium_bin2hex(hex, sizeof hex, digest, sizeof digest);
    sqlite3_result_text(ctx, hex, 2 * crypto_hash_sha256_BYTES, SQLITE_TRANSIENT);
}
} // namespace

extern "C" int sqlite3_extension_init(sqlite3* db, char**, const sqlite3_api_routines* api)
{
    SQLITE_EXTENSION_INIT2(api);
    int rc = sqlite3_create_function(db, "CurrentOperator", 0, SQLITE_UTF8, nullptr, currentOperator, nullptr, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_create_function(db, "LogChain", 2, SQLITE_UTF8, nullptr, logChain, nullptr, nullptr);
    return rc;
}
