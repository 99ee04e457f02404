#pragma once

#include "core/base/TaviError.h"
#include "core/study/Study.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Study files (".tavi"): UTF-8 JSON,
//   {"formato": "tavi-estudo", "versao": 1, "nome": ..., "notas": ...,
//    "janelas": {<window>: {"me_1": "1000", ...}, <window>: {"SG_Serie": [["5.2", "0"], ...],
//    ...}, ...}}
// Each window is named by its study key (StudyKeys.h), each window member after its
// component; a field holds its text, a grid an array of its rows, each an array of texts, as
// StudyText.h keeps them.
namespace tavi
{

constexpr int kStudyFileVersion = 1;
// Far beyond any study (a full one is some tens of kilobytes), small enough to read at once.
constexpr qint64 kLargestStudyFile = 16 * 1024 * 1024;

// What is wrong with a study file's content, in Portuguese ("o arquivo está vazio").
class StudyFormatError : public TaviError
{
public:
    using TaviError::TaviError;
};

// A study that is one municipality of a region (".tavi-regiao"): the region's file and the
// municipality's seven-digit code. Only a recovery copy records it, apart from its original
// path, so that a program that knows no regions restores such a copy as a new study instead of
// taking the region's file for a study file.
struct StudyRegionLink {
    QString regionPath;
    QString code;

    bool isEmpty() const { return regionPath.isEmpty(); }
    bool operator==(const StudyRegionLink &other) const
    {
        return regionPath == other.regionPath && code == other.code;
    }
};

struct StudyReading {
    Study study;
    // The members the file did not have, filled with their defaults
    // ("Pecuária: Consumo per-capita, Bovino (litros/dia)"), in the order of the windows.
    QStringList defaulted;
    // For a recovery copy: the file the study was last opened from or saved to, if any.
    QString originalPath;
    // For a recovery copy of a region's municipality: its region.
    StudyRegionLink regionLink;
};

// Reads a study file's content; throws StudyFormatError.
StudyReading readStudy(const QByteArray &content);
// The file content of a study, members in the order of the windows. A recovery copy also
// names the file the study belongs to, or the region.
QByteArray writeStudy(const Study &study, const QString &originalPath = QString(),
                      const StudyRegionLink &regionLink = StudyRegionLink());

// Reads the file at `path`; throws TaviError with a message that names the file.
StudyReading loadStudyFile(const QString &path);
// Writes the study to `path` in one step, replacing any earlier file only once the new one
// is complete on the disk; throws TaviError with a message that names the file.
void saveStudyFile(const QString &path, const Study &study);
// The same for content already written.
void saveStudyContent(const QString &path, const QByteArray &content);

// The message shown when a file could not be opened as a study.
QString studyOpenFailure(const QString &path, const QString &reason);

} // namespace tavi
