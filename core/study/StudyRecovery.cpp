#include "core/study/StudyRecovery.h"

#include <QFile>
#include <QStandardPaths>

namespace tavi
{

QString StudyRecovery::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

StudyRecovery::StudyRecovery(const QString &folder) : m_copies(folder, QStringLiteral(".tavi")) {}

StudyRecovery::~StudyRecovery() = default;

void StudyRecovery::write(const Study &study, const QString &originalPath,
                          const StudyRegionLink &regionLink)
{
    m_copies.write(
        [study, originalPath, regionLink] { return writeStudy(study, originalPath, regionLink); });
}

void StudyRecovery::waitForWrites()
{
    m_copies.waitForWrites();
}

void StudyRecovery::remove()
{
    m_copies.remove();
}

std::optional<StudyRecovery::Orphan> StudyRecovery::findOrphan()
{
    for (const QFileInfo &copy : m_copies.orphanCopies()) {
        try {
            return Orphan{copy.absoluteFilePath(), copy.lastModified(),
                          loadStudyFile(copy.absoluteFilePath())};
        } catch (const TaviError &) {
            // A copy cut short by the crash is of no use to anyone.
            QFile::remove(copy.absoluteFilePath());
        }
    }
    return std::nullopt;
}

void StudyRecovery::discard(const Orphan &orphan)
{
    m_copies.discard(orphan.copyPath);
}

} // namespace tavi
