#pragma once

#include "core/flows/FlowSeries.h"

#include <QString>

#include <optional>

// A study's water balance: the river's daily flows, kept whole so that the study reopens
// without the file they came from, and the planner's choices, as texts like the rest of a study
// (numbers with "." as decimal separator), keys from BalanceKeys.h.
namespace tavi
{

struct StudyBalance {
    // None until a series is read or pasted; a balance may stand on a typed flow alone.
    std::optional<flows::FlowSeries> series;
    // The file the series was read from (its name only), or "" when pasted.
    QString seriesSource;
    QString reference = QStringLiteral("Q95"); // keys::kReferenceQ95, ...
    QString typedFlow;                         // m3/s, for keys::kReferenceTyped
    QString grantShare = QStringLiteral("50"); // percent
    QString firstMonth = QStringLiteral("1");  // of the hydrological year
    QString fit = QStringLiteral("weibull");   // keys::kFitWeibull, ...

    bool operator==(const StudyBalance &other) const;
    bool operator!=(const StudyBalance &other) const { return !(*this == other); }
};

} // namespace tavi
