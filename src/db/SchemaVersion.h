#pragma once
// Versions of the database schema (PRAGMA user_version). schema.sql makes the first release's
// schema; each later version is one numbered step under upgrade/, listed in Upgrades.cpp.
namespace SchemaVersion {
inline constexpr int firstRelease = 1;
// tuser and bankInfo keys never reused; width checks refuse text holding a NUL.
inline constexpr int storeHardening = 2;
// The operation log CaoZuoRiZhi and its triggers; right F16. Steps run without a gap: this one
// follows month closing's step once that is in (provisionally 4, 3 until then).
inline constexpr int operationLog = 3;
// The daily fund report's right F18, granted to the holders of F5 or F0.
inline constexpr int dailyReportRight = operationLog + 1;
// The version of the delivered database and of every file the program has opened.
inline constexpr int current = dailyReportRight;
}
