#pragma once

#include "core/study/Study.h"
#include "core/study/StudyFile.h"

#include <QByteArray>
#include <QJsonObject>
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
