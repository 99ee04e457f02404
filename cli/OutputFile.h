#pragma once

#include <QIODevice>
#include <QString>

#include <functional>

namespace tavi::cli
{

// Writes the file at `path` in one step (FileReplacement): `fill` writes the content into a
// temporary file beside it, which takes the file's place once complete. A read-only file is
// never replaced. Returns an empty text, or the Portuguese message naming the file and why it
// could not be written; the file is then as it was. A TaviError from `fill` is such a reason.
QString replaceFile(const QString &path, const std::function<void(QIODevice &)> &fill);

// Whether both paths name one file that exists: an output that would overwrite what it is
// computed from.
bool isSameFile(const QString &a, const QString &b);

// The message for an output that could not be written.
QString outputFailure(const QString &path, const QString &reason);

} // namespace tavi::cli
