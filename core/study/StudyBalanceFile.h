#pragma once

#include "core/study/StudyBalance.h"

#include <QByteArray>
#include <QJsonObject>

#include <optional>

// The study file's "balanco": the river's daily flows and the balance's choices. It is
// optional, so that studies without one, and files written before there were balances, read and
// write as they always have.
namespace tavi::studyjson
{

// The balance of a study file's root object, none when it has none; throws StudyFormatError
// naming the member that is wrong (and, for a flow, the day).
std::optional<StudyBalance> readBalance(const QJsonObject &root);

// The member ",\n  \"balanco\": {...}" that follows the windows (and the horizon). Each flow is
// written with the fewest digits that read back as the same value.
void appendBalance(QByteArray &out, const StudyBalance &balance);

} // namespace tavi::studyjson
