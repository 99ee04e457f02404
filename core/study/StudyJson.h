#pragma once

#include "core/study/Study.h"
#include "core/study/StudyFile.h"

#include <QByteArray>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <QString>

#include <optional>

// The pieces a study file is read and written with, shared by its parts (the windows, the
// horizon). A member is named by its path in the file ("janelas/TF_Abast_Publico/me_1"); what
// goes wrong is told by the caption the user knows it by (StudyCaptions.h).
namespace tavi::studyjson
{

extern const QString kSeriesOriginMember;

[[noreturn]] void fail(const QString &reason);
[[noreturn]] void failType(const QString &member, const QString &expected, const QJsonValue &value);
// "um texto", "uma lista"...: what a value is, for a message that it should be something else.
QString typeName(const QJsonValue &value);

// What sets one kind of TAVI file (a study, a region) apart where all are read alike: its
// header, its largest size, its words in the messages and the error it throws.
struct FileKind {
    QString format; // the "formato" member
    int version;    // the newest version this program reads
    qint64 largest; // bytes
    QString noun;   // "um estudo"
    QString end;    // "do estudo", for a file cut short
    QString tooNew; // %1 the file's version, %2 the newest this program reads
    // Both throw; a function pointer cannot say so.
    void (*fail)(const QString &reason);
    void (*failType)(const QString &member, const QString &expected, const QJsonValue &value);
    // What is wrong with content that is not JSON; null for one reason for all.
    QString (*parseProblem)(QJsonParseError::ParseError error) = nullptr;
};

// The root object of a file's content, refused when too large, not UTF-8 text or not JSON.
QJsonObject parseFile(const QByteArray &content, const FileKind &kind);
// Refuses a root whose "formato" and "versao" are not the kind's.
void checkHeader(const QJsonObject &root, const FileKind &kind);
// A text member, "" where the object has none.
QString readText(const QJsonObject &object, const QString &name, const QString &member,
                 const FileKind &kind);
// The content of the file at `path`, up to one byte more than the kind's largest (so that a
// file too large is told without reading it all); returns "" or the reason it cannot be read.
QString readFileContent(const QString &path, const FileKind &kind, QByteArray *content);

// A text no longer than a cell takes; throws StudyFormatError otherwise.
QString checkedCellText(const QJsonValue &value, const QString &member);
// A grid's rows, over `defaults` where the file has fewer; `shortened` tells whether it had.
StudyGrid readGrid(const QJsonValue &value, const StudyGridLayout &layout, const QString &member,
                   const StudyGrid &defaults, bool *shortened);
// Where a series came from, when the window's object has it.
std::optional<SeriesOrigin> readSeriesOrigin(const QJsonObject &window, const QString &member);

void appendString(QByteArray &out, const QString &text);
void appendGrid(QByteArray &out, const StudyGrid &grid);
void appendSeriesOrigin(QByteArray &out, const SeriesOrigin &origin);

} // namespace tavi::studyjson
