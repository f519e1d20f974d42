#pragma once
// "校验": walks the whole operation log and recomputes every chain value. A row altered, removed
// or slipped in breaks the chain from that row on; the first break is named.
#include <QString>

namespace LogCheck {

struct Result {
    qlonglong rows = 0;        // rows read
    qlonglong firstBroken = 0; // sequence number of the first broken row; 0 when intact
    bool intact() const { return firstBroken == 0; }
    // "日志完整，共<N>条" or "第<N>条日志记录已被改动或删除".
    QString message() const;
};

// Reads the log on the program's connection.
Result run();

} // namespace LogCheck
