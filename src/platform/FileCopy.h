#pragma once
// A whole-file copy in pieces, reporting progress after each piece.
#include "Progress.h"

#include <QString>

// Copies `from` to a new file `to` (replacing one there). Raises AppError naming the file that
// failed; a partly written `to` is removed. A throwing `progress` stops the copy the same way.
void copyFileWithProgress(const QString& from, const QString& to, const Progress& progress = {});
