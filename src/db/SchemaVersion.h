#pragma once
// Versions of the database schema (PRAGMA user_version). schema.sql makes the first release's
// schema; each later version is one numbered step under upgrade/, listed in Upgrades.cpp.
namespace SchemaVersion {
inline constexpr int firstRelease = 1;
// tuser and bankInfo keys never reused; width checks refuse text holding a NUL.
inline constexpr int storeHardening = 2;
// Month closing: JieZhangYue, the closed-month lock, carry marks, the right F15.
inline constexpr int monthClosing = storeHardening + 1;
// Bank reconciliation: statement lines, pairs, column mappings per account; right F17.
inline constexpr int bankReconciliation = monthClosing + 1;
// The daily fund report's right F18, granted to the holders of F5 or F0.
inline constexpr int dailyReportRight = bankReconciliation + 1;
// The operation log CaoZuoRiZhi and its triggers; right F16. It comes after every step that adds
// a column to a logged table, so its triggers name every column.
inline constexpr int operationLog = dailyReportRight + 1;
// The version of the delivered database and of every file the program has opened.
inline constexpr int current = operationLog;
}
