#pragma once

#include "core/study/StudyHorizon.h"

#include <QByteArray>
#include <QJsonObject>

#include <optional>

// The study file's "horizonte": the planning horizon and its scenarios. It is optional, so
// that studies without one, and files written before there were horizons, read and write as
// they always have.
namespace tavi::studyjson
{

// The horizon of a study file's root object, none when it has none; throws StudyFormatError
// naming the scenario and the member that is wrong.
std::optional<StudyHorizon> readHorizon(const QJsonObject &root);

// The member ",\n  \"horizonte\": {...}" that follows the windows.
void appendHorizon(QByteArray &out, const StudyHorizon &horizon);

} // namespace tavi::studyjson
