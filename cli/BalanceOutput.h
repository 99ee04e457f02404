#pragma once

#include "core/balance/HorizonBalance.h"
#include "core/balance/WaterBalance.h"
#include "core/study/Study.h"
#include "core/summary/MunicipalSummary.h"
#include "core/workbook/Workbook.h"

#include <QString>

#include <optional>
#include <vector>

// What `tavi calcular` adds to its output for a study with a water balance: the balance's lines
// after the summary's (or the horizon's), its sheets after theirs in a workbook, and its problem
// on standard error. A study without a balance gains nothing, and its output is as before.
namespace tavi::cli
{

struct BalanceOutput {
    balance::WaterBalance balance;
    // Each scenario's balance over the horizon, with --horizonte; empty otherwise.
    std::vector<balance::ScenarioBalance> scenarios;
};

// The balance against the summary the command computed; none for a study without one.
std::optional<BalanceOutput> summaryBalance(const Study &study, const MunicipalSummary &summary);
// The balance of the current demand and of every scenario's years, from the same runs the
// horizon's output was made from; none for a study without one.
std::optional<BalanceOutput> horizonBalance(const Study &study,
                                            const std::vector<horizon::ScenarioRun> &runs);

// The balance's sheets after the workbook's own, its charts plotting from its own sheets. A
// sheet whose name the workbook already has is numbered apart, and the charts follow it.
void appendBalanceSheets(Workbook &book, const BalanceOutput &output);

// "Balanço hídrico: <why there is none>.", or empty when the balance was computed.
QString balanceProblem(const BalanceOutput &output);

} // namespace tavi::cli
