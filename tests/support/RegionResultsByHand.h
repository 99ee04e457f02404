#pragma once

// A region and its results made by hand, for what shows them (the report, Salvar) without
// computing: municipalities in groups and one without, inputs from two tables, a value a
// table marked not available, and a municipality whose agriculture failed.

#include "core/numbers/ReadableNumber.h"
#include "core/region/Region.h"
#include "core/region/RegionRun.h"
#include "core/sectors/catalogue/StudyKeys.h"

#include <QString>

#include <utility>

namespace testing
{

struct RegionByHand {
    tavi::region::Region region;
    tavi::region::RegionResults results;
};

inline tavi::region::Municipality handMadeMunicipality(const QString &code, const QString &name,
                                                       const QString &state, const QString &group)
{
    tavi::region::Municipality municipality;
    municipality.code = code;
    municipality.name = name;
    municipality.state = state;
    municipality.group = group;
    return municipality;
}

// `count` municipalities (at least 4); the fourth one's agriculture failed. `ahead`: each
// with a horizon of two scenarios, and the first with a water balance. Their texts are
// the figures as the summary shows them, in the locale in force.
inline RegionByHand regionByHand(int count = 4, bool ahead = false)
{
    using namespace tavi::region;
    RegionByHand made;
    made.region = emptyRegion();
    made.region.name = QStringLiteral("Bacia do Rio Claro");
    made.region.notes = QStringLiteral("Estudo de 2026 <preliminar>\nsegunda linha");
    const QString population =
        inputPath(QString(tavi::keys::kSupplyWindow), QString(tavi::keys::kTotalPopulation));
    const QString cattle =
        inputPath(QStringLiteral("TF_Mod_Pecuaria"), QStringLiteral("e_qte_bovino"));
    for (int i = 0; i < count; ++i) {
        // Seven digits in São Paulo's range; the report takes them as they are.
        const QString code = QStringLiteral("35%1").arg(10000 + i, 5, 10, QLatin1Char('0'));
        const QString group = i == 2       ? QString()
                              : i % 2 == 0 ? QStringLiteral("Alto Claro")
                                           : QStringLiteral("Baixo Claro");
        Municipality municipality =
            handMadeMunicipality(code, QStringLiteral("Cidade %1").arg(i + 1), "SP", group);
        municipality.overrides
            .fields[QString(tavi::keys::kSupplyWindow)][QString(tavi::keys::kTotalPopulation)] =
            QString::number(30000 + 1000 * i);
        municipality.sources[population] =
            QStringLiteral("populacao.csv, 2024, linha %1").arg(4 + i);
        if (i == 1)
            municipality.notAvailable[cattle] =
                QStringLiteral("rebanhos.csv, 2022, linha 6: \"...\"");
        else
            municipality.sources[cattle] =
                QStringLiteral("rebanhos.csv, 2022, linha %1").arg(5 + i);
        made.region.municipalities.push_back(municipality);

        MunicipalityResult result;
        result.code = code;
        result.name = municipality.displayName();
        result.group = group;
        const bool failed = i == 3;
        for (int s = 0; s < tavi::kSummarySectors; ++s) {
            result.computed[std::size_t(s)] = !(failed && s == 2);
            result.annual[std::size_t(s)] =
                result.computed[std::size_t(s)] ? 1000000.0L * (s + 1) + 12345.678L * i : 0;
            result.annualTotal += result.annual[std::size_t(s)];
        }
        for (int s = 0; s < tavi::kSummarySectors; ++s) {
            result.shares[std::size_t(s)] =
                100 * result.annual[std::size_t(s)] / result.annualTotal;
            if (result.computed[std::size_t(s)])
                result.annualTexts[std::size_t(s)] =
                    tavi::formatReadable(result.annual[std::size_t(s)], tavi::kVolumeDecimals);
            result.shareTexts[std::size_t(s)] =
                tavi::formatReadable(result.shares[std::size_t(s)], tavi::kShareDecimals);
        }
        result.annualTotalText = tavi::formatReadable(result.annualTotal, tavi::kVolumeDecimals);
        result.peakDay = 200 + i;
        result.peakTotal = result.annualTotal / 300;
        result.peakTotalText = tavi::formatReadable(result.peakTotal, tavi::kVolumeDecimals);
        if (failed) {
            result.partialNote = QStringLiteral("total parcial, sem Agricultura");
            result.errors << QStringLiteral("Agricultura: 'abc' não é um valor de ponto "
                                            "flutuante válido");
            result.errorPlaces << QStringLiteral("Série, dia 100, coluna ETP");
        }
        if (ahead) {
            for (const auto &[scenario, growth] : {std::pair<QString, long double>{"Base", 1.1L},
                                                   std::pair<QString, long double>{"Alto", 1.4L}}) {
                ScenarioFinal final;
                final.scenario = scenario;
                final.year = 2046;
                for (int s = 0; s < tavi::kSummarySectors; ++s)
                    final.annual[std::size_t(s)] = growth * result.annual[std::size_t(s)];
                final.total = growth * result.annualTotal;
                final.partial = failed;
                result.horizon.push_back(final);
            }
            if (i == 0) {
                result.hasBalance = true;
                result.referenceFlow = 12.5L;
                result.ratio = 7.3L;
                result.ratioText = QStringLiteral("7,3");
                result.stressClass = 1;
                result.stressClassName = QStringLiteral("Confortável");
            }
        }
        made.results.municipalities.push_back(result);
    }
    totalRegion(made.results);
    return made;
}

} // namespace testing
