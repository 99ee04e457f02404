#pragma once

#include <QFileDevice>
#include <QString>

namespace tavi
{

// Replaces a file in one step: the new content goes to a temporary file beside it, which
// takes the file's place only once complete and on the disk. Whatever fails on the way, the
// earlier file stays as it was and the temporary file is removed.
//
// A target that is a symbolic link stays a link: the file it points to is the one replaced
// (a dangling link gets the file it names). A read-only target is never replaced. The
// temporary name is short and of its own, so any name the file system accepts can be saved.
class FileReplacement
{
public:
    explicit FileReplacement(const QString &target);
    ~FileReplacement();
    FileReplacement(const FileReplacement &) = delete;
    FileReplacement &operator=(const FileReplacement &) = delete;

    // Checks the target and creates the empty temporary file. Returns an empty text, or the
    // reason why the target cannot be written, in Portuguese.
    QString begin();
    // The temporary file to write the content to, once begun, and its folder.
    const QString &temporaryPath() const { return m_temporary; }
    QString folder() const;

    // Flushes the temporary file to the disk and renames it over the file. A file that did
    // not exist gets `newFilePermissions`; a replaced one keeps its own. Returns an empty
    // text, or the reason why the file was not replaced.
    QString commit(QFileDevice::Permissions newFilePermissions);

private:
    QString resolveLinks(QString *problem) const;
    void removeTemporary();

    QString m_target;
    QString m_realFile; // the file the target names, through any links
    QString m_temporary;
};

} // namespace tavi
