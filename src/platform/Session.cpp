#include "Session.h"

void Session::beginTransaction()
{
    if (depth_ == 0)
        beginWriting();
    else
        run(QStringLiteral("SAVEPOINT ") + savepoint(depth_), {});
    ++depth_;
}

void Session::commitTransaction()
{
    // A failed commit leaves the transaction open, for the caller's rollback.
    run(depth_ == 1 ? QStringLiteral("COMMIT") : QStringLiteral("RELEASE ") + savepoint(depth_ - 1), {});
    --depth_;
}

void Session::rollbackTransaction() noexcept
{
    --depth_;
    try {
        if (depth_ == 0) {
            run(QStringLiteral("ROLLBACK"), {});
        } else {
            run(QStringLiteral("ROLLBACK TO ") + savepoint(depth_), {});
            run(QStringLiteral("RELEASE ") + savepoint(depth_), {});
        }
    } catch (...) {
        // The engine has ended the transaction itself (an I/O error, a lost file): nothing is left open.
    }
}
