#pragma once
// Versions of the database schema (PRAGMA user_version). schema.sql makes the first release's
// schema; each later version is one numbered step under upgrade/, listed in Upgrades.cpp.
namespace SchemaVersion {
inline constexpr int firstRelease = 1;
// tuser and bankInfo keys never reused; width checks refuse text holding a NUL.
inline constexpr int storeHardening = 2;
// The version of the delivered database and of every file the program has opened.
inline constexpr int current = storeHardening;
}
