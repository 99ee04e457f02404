#include "core/balance/WaterBalance.h"

#include "core/base/TaviError.h"
#include "core/numbers/GeneralFormat.h"
#include "core/numbers/StudyText.h"
#include "core/sectors/catalogue/BalanceKeys.h"
#include "core/sectors/catalogue/StudyKeys.h"
#include "core/weather/SeriesMonths.h"

#include <cmath>

namespace tavi::balance
{

namespace
{

const QString kTypedName = QStringLiteral("Vazão digitada");
const QString kGrantName = QStringLiteral("Fração outorgável");
const QString kFirstMonthName = QStringLiteral("Início do ano hidrológico");
const QString kReferenceChoiceName = QStringLiteral("Vazão de referência");
const QString kFitName = QStringLiteral("Ajuste");

[[noreturn]] void refuse(const QString &choice, const QString &message)
{
    throw TaviError(QStringLiteral("%1: %2").arg(choice, message));
}

// The text as the planner typed it, in the separators of the current regional settings: the
// study keeps "." whatever the locale, and a message must quote what is on the screen.
QString shown(const QString &studyText)
{
    return fromStudyText(studyText, LocaleSettings::current());
}

long double numberOf(const QString &text, const QString &choice)
{
    long double value = 0;
    if (!tryTextToNumber(text, &value, studyNumberSettings()))
        refuse(choice, messages::notAFloat(shown(text)));
    return value;
}

ReferenceKind referenceOf(const QString &text)
{
    const QString key = text.trimmed();
    if (key.isEmpty() || key == keys::kReferenceQ95)
        return ReferenceKind::Q95;
    if (key == keys::kReferenceQ90)
        return ReferenceKind::Q90;
    if (key == keys::kReferenceQ710)
        return ReferenceKind::Q710;
    if (key == keys::kReferenceQmlt)
        return ReferenceKind::Qmlt;
    if (key == keys::kReferenceTyped)
        return ReferenceKind::Typed;
    refuse(kReferenceChoiceName,
           QStringLiteral("'%1' não é uma das vazões de referência (Q90, Q95, Q7,10, QMLT ou "
                          "digitada)")
               .arg(text));
}

flows::MinimaFit fitOf(const QString &text)
{
    const QString key = text.trimmed();
    if (key.isEmpty() || key == keys::kFitWeibull)
        return flows::MinimaFit::Weibull;
    if (key == keys::kFitLogNormal3)
        return flows::MinimaFit::LogNormal3;
    if (key == keys::kFitEmpirical)
        return flows::MinimaFit::Empirical;
    refuse(kFitName,
           QStringLiteral("'%1' não é um dos ajustes (weibull, lognormal3 ou empirica)").arg(text));
}

int firstMonthOf(const QString &text)
{
    // A blank month is the calendar year, the default a planner expects without choosing.
    if (text.trimmed().isEmpty())
        return 1;
    const long double month = numberOf(text, kFirstMonthName);
    if (month != std::floor(month) || month < 1 || month > 12)
        refuse(kFirstMonthName,
               QStringLiteral("'%1' deve ser um mês de 1 a 12").arg(shown(text.trimmed())));
    return int(month);
}

long double grantShareOf(const QString &text)
{
    if (text.trimmed().isEmpty())
        refuse(kGrantName,
               QStringLiteral("informe a porcentagem da vazão de referência que pode ser "
                              "outorgada (acima de 0 até 100)"));
    const long double share = numberOf(text, kGrantName);
    if (!(share > 0 && share <= 100))
        refuse(kGrantName, QStringLiteral("'%1' deve estar entre 0 e 100 (acima de 0 até 100)")
                               .arg(shown(text.trimmed())));
    return share;
}

// The choices one by one, each that cannot be read left at its default and the first message
// kept: the river's figures are still worth showing beside a share typed wrong.
BalanceChoices readLeniently(const StudyBalance &study, QString *problem)
{
    BalanceChoices choices;
    const auto attempt = [problem](auto read) {
        try {
            read();
        } catch (const TaviError &error) {
            if (problem->isEmpty())
                *problem = error.message();
        }
    };
    attempt([&] { choices.reference = referenceOf(study.reference); });
    attempt([&] {
        if (!study.typedFlow.trimmed().isEmpty())
            choices.typedFlow = numberOf(study.typedFlow, kTypedName);
    });
    attempt([&] { choices.grantShare = grantShareOf(study.grantShare); });
    attempt([&] { choices.firstMonth = firstMonthOf(study.firstMonth); });
    attempt([&] { choices.fit = fitOf(study.fit); });
    return choices;
}

QString flowMissing(ReferenceKind kind)
{
    return QStringLiteral("%1 não calculada: a série de vazões não tem dias suficientes")
        .arg(referenceName(kind));
}

// The chosen reference flow, or why there is none.
std::optional<long double> referenceFlow(const WaterBalance &balance, const StudyBalance &study,
                                         QString *problem)
{
    const BalanceChoices &choices = balance.choices;
    if (choices.reference == ReferenceKind::Typed) {
        if (!choices.typedFlow) {
            *problem =
                QStringLiteral("%1: informe a vazão de referência do rio em m3/s").arg(kTypedName);
            return std::nullopt;
        }
        if (*choices.typedFlow <= 0) {
            *problem = QStringLiteral("%1: '%2' deve ser maior que 0")
                           .arg(kTypedName, shown(study.typedFlow.trimmed()));
            return std::nullopt;
        }
        return choices.typedFlow;
    }
    if (!balance.flows) {
        *problem =
            choices.typedFlow
                ? QStringLiteral("Sem série de vazões para a %1: leia ou cole a série do rio, ou "
                                 "escolha a vazão digitada")
                      .arg(referenceName(choices.reference))
                : QStringLiteral("Sem vazão de referência: leia ou cole a série de vazões do rio, "
                                 "ou digite a vazão de referência");
        return std::nullopt;
    }
    const flows::ReferenceFlows &flows = *balance.flows;
    std::optional<long double> flow;
    switch (choices.reference) {
    case ReferenceKind::Q90:
        flow = flows.q90;
        break;
    case ReferenceKind::Q95:
        flow = flows.q95;
        break;
    case ReferenceKind::Qmlt:
        flow = flows.qmlt;
        break;
    case ReferenceKind::Q710:
        if (!flows.q710) {
            *problem = flows.q710Problem;
            return std::nullopt;
        }
        flow = flows.q710;
        break;
    case ReferenceKind::Typed:
        break;
    }
    if (!flow) {
        *problem = flowMissing(choices.reference);
        return std::nullopt;
    }
    // A river dry at its reference flow (Q95 of an intermittent river) grants nothing, and no
    // share of nothing can be computed.
    if (*flow <= 0) {
        *problem = QStringLiteral("%1 do rio é 0: não há vazão que possa ser outorgada")
                       .arg(referenceName(choices.reference));
        return std::nullopt;
    }
    return flow;
}

// The days the summary's months cover: a common year's day 366 (empty, or a copy of day 365)
// stands apart and is no day of the year.
std::vector<DaySpan> monthsOf(const Study &study)
{
    std::vector<DaySpan> spans =
        seriesMonths(windowInputs(study, keys::kAgricultureWindow).seriesOrigin);
    if (hasDay366Apart(spans))
        spans.pop_back();
    return spans;
}

long double meanOver(const std::vector<long double> &daily, int firstDay, int lastDay)
{
    long double sum = 0;
    int days = 0;
    for (int day = firstDay; day <= lastDay && day <= int(daily.size()); ++day, ++days)
        sum += daily[std::size_t(day - 1)];
    return days > 0 ? sum / days : 0;
}

} // namespace

BalanceChoices readChoices(const StudyBalance &balance)
{
    QString problem;
    const BalanceChoices choices = readLeniently(balance, &problem);
    if (!problem.isEmpty())
        throw TaviError(problem);
    return choices;
}

QString referenceName(ReferenceKind kind)
{
    switch (kind) {
    case ReferenceKind::Q90:
        return QStringLiteral("Q90");
    case ReferenceKind::Q95:
        return QStringLiteral("Q95");
    case ReferenceKind::Q710:
        return QStringLiteral("Q7,10");
    case ReferenceKind::Qmlt:
        return QStringLiteral("QMLT");
    case ReferenceKind::Typed:
        return kTypedName;
    }
    return {};
}

StressClass stressClass(long double percent)
{
    if (percent < 5)
        return StressClass::Excellent;
    if (percent < 10)
        return StressClass::Comfortable;
    if (percent < 20)
        return StressClass::Worrying;
    if (percent <= 40)
        return StressClass::Critical;
    return StressClass::VeryCritical;
}

QString stressClassName(StressClass stress)
{
    switch (stress) {
    case StressClass::Excellent:
        return QStringLiteral("Excelente");
    case StressClass::Comfortable:
        return QStringLiteral("Confortável");
    case StressClass::Worrying:
        return QStringLiteral("Preocupante");
    case StressClass::Critical:
        return QStringLiteral("Crítica");
    case StressClass::VeryCritical:
        return QStringLiteral("Muito crítica");
    }
    return {};
}

QString stressClassRange(StressClass stress)
{
    switch (stress) {
    case StressClass::Excellent:
        return QStringLiteral("abaixo de 5 %");
    case StressClass::Comfortable:
        return QStringLiteral("5 a 10 %");
    case StressClass::Worrying:
        return QStringLiteral("10 a 20 %");
    case StressClass::Critical:
        return QStringLiteral("20 a 40 %");
    case StressClass::VeryCritical:
        return QStringLiteral("acima de 40 %");
    }
    return {};
}

QString stressClassColour(StressClass stress)
{
    switch (stress) {
    case StressClass::Excellent:
        return QStringLiteral("#2166ac");
    case StressClass::Comfortable:
        return QStringLiteral("#1a9850");
    case StressClass::Worrying:
        return QStringLiteral("#fee08b");
    case StressClass::Critical:
        return QStringLiteral("#f46d43");
    case StressClass::VeryCritical:
        return QStringLiteral("#d73027");
    }
    return QStringLiteral("#000000");
}

Ratio ratioOf(long double demand, long double reference, long double available)
{
    Ratio ratio;
    ratio.demand = demand;
    // Multiplied before dividing: 2 m3/s of 5 is then 40 % exactly, and stays "Crítica"
    // rather than tipping over the boundary by a rounding of 2 / 5.
    if (reference > 0)
        ratio.percent = demand * 100 / reference;
    if (available > 0)
        ratio.grantUse = demand * 100 / available;
    ratio.stress = stressClass(ratio.percent);
    return ratio;
}

WaterBalance computeBalance(const Study &study, const MunicipalSummary &summary)
{
    WaterBalance balance;
    if (!study.balance) {
        balance.problem = QStringLiteral("O estudo não tem balanço hídrico.");
        return balance;
    }
    const StudyBalance &input = *study.balance;
    balance.choices = readLeniently(input, &balance.problem);
    if (input.series && !input.series->isEmpty()) {
        balance.flows =
            flows::referenceFlows(*input.series, balance.choices.firstMonth, balance.choices.fit);
        balance.monthFlows = flows::monthlyFlows(*input.series);
        balance.durationCurve = flows::durationCurve(*input.series);
    }
    balance.referenceName = referenceName(balance.choices.reference);
    QString referenceProblem;
    const std::optional<long double> reference = referenceFlow(balance, input, &referenceProblem);
    if (balance.problem.isEmpty())
        balance.problem = referenceProblem;
    // A choice that cannot be read stops the ratios even when a reference flow was found: the
    // figures would stand on a default the planner did not pick.
    if (balance.computed() && reference) {
        balance.reference = *reference;
        balance.available = *reference * balance.choices.grantShare / 100;
    }

    balance.partialNote = summary.partialNote();
    balance.errors = summary.errors();
    const std::vector<DaySpan> months = monthsOf(study);
    const long double meanDay =
        meanOver(summary.total, months.front().firstDay, months.back().lastDay) / kSecondsPerDay;
    const long double peakDay = summary.peakTotal / kSecondsPerDay;
    const auto ratio = [&balance](long double demand) {
        return ratioOf(demand, balance.reference, balance.available);
    };
    balance.meanDay = ratio(meanDay);
    balance.peakDay = ratio(peakDay);
    balance.dilutionComputed = summary.dilutionComputed();
    if (balance.dilutionComputed) {
        balance.dilution = summary.dilutionMaximum;
        balance.meanDayWithDilution = ratio(meanDay + balance.dilution);
        balance.peakDayWithDilution = ratio(peakDay + balance.dilution);
    }
    for (std::size_t m = 0; m < months.size() && m < balance.monthFlows.size(); ++m) {
        MonthBalance month;
        month.label = months[m].label;
        month.demand =
            meanOver(summary.total, months[m].firstDay, months[m].lastDay) / kSecondsPerDay;
        month.ofReference = ratio(month.demand);
        const std::optional<long double> &q95 = balance.monthFlows[m].q95;
        if (q95 && *q95 > 0) {
            month.monthQ95 = q95;
            month.ofMonthQ95 = ratioOf(month.demand, *q95, *q95 * balance.choices.grantShare / 100);
        }
        balance.months.push_back(month);
    }
    return balance;
}

WaterBalance balanceOfStudy(const Study &study, const LocaleSettings &locale)
{
    // The summary is the costly part; a study without a balance has no use for it.
    if (!study.balance)
        return computeBalance(study, MunicipalSummary());
    return computeBalance(study, summarizeStudy(study, SupplyScenario::Current, locale));
}

} // namespace tavi::balance
