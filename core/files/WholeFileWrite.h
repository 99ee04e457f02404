#pragma once

#include <QByteArray>
#include <QString>

namespace tavi
{

// Writes `content` as the whole of the file at `path` in one step (FileReplacement): an
// earlier file is replaced only once the new one is complete on the disk. Returns an empty
// text, or the reason in Portuguese why the file was not written.
QString writeWholeFile(const QString &path, const QByteArray &content);

} // namespace tavi
