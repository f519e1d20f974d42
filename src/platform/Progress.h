#pragma once
// Reports how far a long piece of work has come: `done` of `total` units (bytes, pages, rows).
// A receiver may throw to stop the work; the work then cleans up as for any other failure.
#include <QtGlobal>
#include <functional>

using Progress = std::function<void(qint64 done, qint64 total)>;
