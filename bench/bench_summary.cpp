#include "BenchUtil.h"

#include "core/numbers/NumberText.h"
#include "core/numbers/StudyText.h"
#include "core/sectors/agriculture/AgricultureRun.h"
#include "core/sectors/catalogue/LivestockAnimals.h"
#include "core/sectors/catalogue/StudyKeys.h"
#include "core/sectors/dilution/DilutionRun.h"
#include "core/sectors/livestock/LivestockRun.h"
#include "core/sectors/supply/SupplyRun.h"
#include "core/summary/MunicipalSummary.h"

namespace
{

QString pointText(long double v)
{
    return tavi::formatGeneral(v, tavi::studyNumberSettings());
}

// A study in which every sector works: the supply with an efficiency, one species, a year of
// series.
tavi::Study workingStudy()
{
    using namespace tavi::keys;
    tavi::Study study = tavi::defaultStudy();
    study.windows[kSupplyWindow].fields = {{kServedPopulation, QStringLiteral("25000")},
                                           {kCurrentPerCapita, QStringLiteral("0.2")},
                                           {kTotalPopulation, QStringLiteral("30000")},
                                           {kSupplyEfficiency, QStringLiteral("80")}};
    study.windows[kLivestockWindow].fields = {{tavi::consumptionFieldName(0), QStringLiteral("50")},
                                              {tavi::herdFieldName(0), QStringLiteral("12000")}};
    tavi::StudyGrid &serie = study.windows[kAgricultureWindow].grids[kSeries];
    for (int day = 0; day < serie.size(); ++day)
        serie[day] = {pointText(3 + day % 40 * 0.1L), QString::number(day % 9)};
    return study;
}

// A planner's full study: every field given, every species, a year of series as a station
// gives it (ETP and rainfall of their own every day), planting starts spread over the year.
tavi::Study fullStudy()
{
    using namespace tavi::keys;
    tavi::Study study = workingStudy();
    study.windows[kSupplyWindow].fields = {{kServedPopulation, QStringLiteral("25000")},
                                           {kCurrentPerCapita, QStringLiteral("0.23")},
                                           {kTotalPopulation, QStringLiteral("31000")},
                                           {kUnservedPerCapita, QStringLiteral("0.1")},
                                           {kSupplyEfficiency, QStringLiteral("78.5")},
                                           {kPriceElasticity, QStringLiteral("-0.025")},
                                           {kWaterPrice, QStringLiteral("3.47")},
                                           {kIncomeElasticity, QStringLiteral("0.00001")},
                                           {kIncome, QStringLiteral("20000.5")}};
    for (int s = 0; s < tavi::kSpeciesCount; ++s) {
        study.windows[kLivestockWindow].fields[tavi::consumptionFieldName(s)] =
            pointText(10.25L * (s + 1));
        study.windows[kLivestockWindow].fields[tavi::herdFieldName(s)] =
            QString::number(1234 * (s + 2));
    }
    tavi::StudyGrid &serie = study.windows[kAgricultureWindow].grids[kSeries];
    for (int day = 0; day < serie.size(); ++day)
        serie[day] = {pointText(2 + (day * 37 % 500) / 100.0L),
                      day % 3 ? QStringLiteral("0") : pointText((day * 53 % 400) / 10.0L)};
    tavi::StudyGrid &param = study.windows[kAgricultureWindow].grids[kCropParameters];
    for (int k = 0; k < param.value(0).size(); ++k)
        param[0][k] = QString::number(1 + 37 * k % 300);
    return study;
}

} // namespace

// The municipal summary of a study: the four sectors' runs from the study's texts, their days
// added up.
void benchSummary()
{
    const tavi::Study working = workingStudy();
    bench::row(
        QStringLiteral("summary: a full study, every sector computed"),
        bench::medianMs(11, [&] { tavi::summarizeStudy(working, tavi::SupplyScenario::Current); }),
        "ms", QStringLiteral("goal < 50"));
    const tavi::Study full = fullStudy();
    bench::row(
        QStringLiteral("full study computed headless (four sectors and summary)"),
        bench::medianMs(41, [&] { tavi::summarizeStudy(full, tavi::SupplyScenario::Current); }),
        "ms", QStringLiteral("goal <= 2"));
    // The four runs as the windows call them, every table they show kept.
    const tavi::LocaleSettings &locale = tavi::LocaleSettings::current();
    const auto inputs = [&full](tavi::SectorId sector) {
        return tavi::windowInputs(full, tavi::sectorDescriptor(sector).studyKey);
    };
    bench::row(
        QStringLiteral("full study, the four runs with every window's tables"),
        bench::medianMs(
            41,
            [&] {
                using namespace tavi;
                supply::run(supply::readInputs(inputs(SectorId::Supply), locale), locale);
                livestock::run(livestock::readInputs(inputs(SectorId::Livestock), locale), locale);
                agriculture::run(agriculture::readInputs(inputs(SectorId::Agriculture), locale),
                                 locale);
                dilution::run(dilution::readInputs(inputs(SectorId::Dilution), locale), locale);
            }),
        "ms");
}
