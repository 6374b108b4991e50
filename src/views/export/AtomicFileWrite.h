// Writing a whole file so that a failure never leaves a half-written file in
// place of a good one. GUI-free.
#pragma once

#include <QByteArray>
#include <QString>

namespace moravel {

/// Writes `bytes` to `fileName` through a temporary file in the same folder
/// that replaces the file only once it is complete. A failure (the folder
/// cannot be written, the disk is full) leaves the folder as it was and
/// throws ExportError naming the file and the reason. Any thread.
void WriteFileAtomically(const QString& fileName, const QByteArray& bytes);

}  // namespace moravel
