#pragma once

// Regions made up for the region's tests: a template with a horizon and a balance, and
// municipalities that override fields, grids, the series' origin, the horizon and the balance,
// with sources, values not available, groups and reference flows, so that whatever a
// region keeps is exercised.

#include "core/region/Region.h"
#include "core/sectors/catalogue/BalanceKeys.h"
#include "core/sectors/catalogue/LivestockAnimals.h"
#include "core/sectors/catalogue/StudyKeys.h"

namespace testing
{

inline tavi::StudyHorizon sampleHorizon(const QString &finalYear)
{
    tavi::StudyHorizon horizon;
    horizon.baseYear = QStringLiteral("2026");
    horizon.finalYear = finalYear;
    tavi::Scenario base{QStringLiteral("Base"), {}};
    base.inputs.drivers[QStringLiteral("taxa_populacao")] = QStringLiteral("1.25");
    horizon.scenarios.push_back(base);
    return horizon;
}

inline tavi::StudyBalance sampleBalance(const QString &grantShare)
{
    tavi::StudyBalance balance;
    balance.grantShare = grantShare;
    balance.reference = tavi::keys::kReferenceQ95;
    return balance;
}

inline tavi::region::Municipality sampleMunicipality(const QString &code, const QString &name,
                                                     const QString &state)
{
    tavi::region::Municipality municipality;
    municipality.code = code;
    municipality.name = name;
    municipality.state = state;
    return municipality;
}

// A template with a horizon and no balance, and five municipalities each keeping something
// else of its own.
inline tavi::region::Region sampleRegion()
{
    using namespace tavi;
    region::Region region = region::emptyRegion();
    region.name = QStringLiteral("Bacia do Ribeira");
    region.notes = QStringLiteral("Notas com \"aspas\", acentuação e\nduas linhas");
    region.templateStudy.horizon = sampleHorizon(QStringLiteral("2046"));
    region.templateStudy.windows[keys::kSupplyWindow].fields[keys::kTotalPopulation] =
        QStringLiteral("12000");

    region::Municipality plain =
        sampleMunicipality(QStringLiteral("3550308"), QStringLiteral("São Paulo"), "SP");
    region.municipalities.push_back(plain);

    region::Municipality imported =
        sampleMunicipality(QStringLiteral("3509502"), QStringLiteral("Campinas"), "SP");
    imported.group = QStringLiteral("Piracicaba");
    const QString population = region::inputPath(keys::kSupplyWindow, keys::kTotalPopulation);
    const QString cattle = region::inputPath(keys::kLivestockWindow, herdFieldName(0));
    const QString goats = region::inputPath(keys::kLivestockWindow, herdFieldName(3));
    // Equal to the template's, but a table gave it: it stays the table's.
    imported.overrides.fields[keys::kSupplyWindow][keys::kTotalPopulation] =
        QStringLiteral("12000");
    imported.overrides.fields[keys::kLivestockWindow][herdFieldName(0)] = QStringLiteral("4512");
    imported.sources[population] = QStringLiteral("populacao.csv, 2022, linha 7");
    imported.sources[cattle] = QStringLiteral("rebanhos.csv, 2022, linha 9");
    imported.notAvailable[goats] = QStringLiteral("rebanhos.csv, 2022, linha 9: \"X\"");
    region.municipalities.push_back(imported);

    region::Municipality flowing =
        sampleMunicipality(QStringLiteral("3106200"), QStringLiteral("Belo Horizonte"), "MG");
    flowing.referenceFlow = QStringLiteral("12.5");
    flowing.referenceFlowSource = QStringLiteral("vazoes.csv, linha 3");
    region.municipalities.push_back(flowing);

    region::Municipality own =
        sampleMunicipality(QStringLiteral("4106902"), QStringLiteral("Curitiba"), "PR");
    own.group = QStringLiteral("Iguaçu");
    own.overrides.horizon = sampleHorizon(QStringLiteral("2050"));
    own.overrides.balance = sampleBalance(QStringLiteral("30"));
    StudyGrid crops = windowInputs(region.templateStudy, keys::kAgricultureWindow)
                          .grids.value(keys::kCropParameters);
    crops[1][0] = QStringLiteral("3.75");
    own.overrides.grids[keys::kAgricultureWindow][keys::kCropParameters] = crops;
    SeriesOrigin origin;
    origin.station = QStringLiteral("CURITIBA");
    origin.code = QStringLiteral("A807");
    origin.latitude = QStringLiteral("-25.44");
    own.overrides.seriesOrigins[keys::kAgricultureWindow] = origin;
    region.municipalities.push_back(own);

    region::Municipality both =
        sampleMunicipality(QStringLiteral("5300108"), QStringLiteral("Brasília"), "DF");
    both.overrides.balance = sampleBalance(QStringLiteral("40"));
    both.referenceFlow = QStringLiteral("0.75");
    region.municipalities.push_back(both);
    return region;
}

} // namespace testing
