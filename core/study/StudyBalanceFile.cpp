#include "core/study/StudyBalanceFile.h"

namespace tavi::studyjson
{

std::optional<StudyBalance> readBalance(const QJsonObject &)
{
    return std::nullopt;
}

void appendBalance(QByteArray &, const StudyBalance &) {}

} // namespace tavi::studyjson
