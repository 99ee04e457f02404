#pragma once

#include "core/study/Study.h"

#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// A region: many municipalities computed as one, each a study made of the region's template
// study and what that municipality changes in it (typed, or taken from the public tables).
namespace tavi::region
{

// What a municipality changes in the template study, input by input; everything else is the
// template's. Texts as a study file holds them (StudyText.h).
struct StudyOverrides {
    // By window study key (keys::kSupplyWindow, ...), then component ("me_3").
    QMap<QString, QMap<QString, QString>> fields;
    // Whole grids, by window study key, then grid component ("SG_Serie").
    QMap<QString, QMap<QString, StudyGrid>> grids;
    // Where a window's series came from, by window study key, when it is not the template's:
    // none for a series typed over one the template took from a station.
    QMap<QString, std::optional<SeriesOrigin>> seriesOrigins;
    // In place of the template's, when the municipality has its own.
    std::optional<StudyHorizon> horizon;
    std::optional<StudyBalance> balance;

    bool isEmpty() const
    {
        return fields.isEmpty() && grids.isEmpty() && seriesOrigins.isEmpty() && !horizon &&
               !balance;
    }
    bool operator==(const StudyOverrides &other) const
    {
        return fields == other.fields && grids == other.grids &&
               seriesOrigins == other.seriesOrigins && horizon == other.horizon &&
               balance == other.balance;
    }
    bool operator!=(const StudyOverrides &other) const { return !(*this == other); }
};

// The inputs of a municipality that are not the study's: its group and its reference flow, as
// sources, values not available and the import's changes name them.
constexpr QLatin1String kGroupInput("grupo");
constexpr QLatin1String kReferenceFlowInput("vazao_referencia");

// An input's place in a study, "TF_Abast_Publico/me_3", as overrides and sources name it.
QString inputPath(const QString &window, const QString &component);
// The caption the user knows that input by: "Abastecimento Público: População total".
QString inputCaption(const QString &path);

struct Municipality {
    QString code;  // seven digits (MunicipalityCode.h)
    QString name;  // without the state
    QString state; // "SP"
    // The basin, sub-basin or planning unit it is reported under; "" for none.
    QString group;
    StudyOverrides overrides;
    // Where each input a table gave came from, by input path: "rebanhos.csv, 2022, linha 14".
    // An input typed in the program has none.
    QMap<QString, QString> sources;
    // The inputs a table marked not available, which keep the template's value, by input path,
    // with the table that marked them ("populacao.csv, 2022, linha 12: \"...\"").
    QMap<QString, QString> notAvailable;
    // The reference flow for the water balance, m3/s as a study file holds numbers ("12.5");
    // "" for none, when the template's balance holds.
    QString referenceFlow;
    QString referenceFlowSource;

    // "São Paulo (SP)"
    QString displayName() const;
    bool operator==(const Municipality &other) const;
    bool operator!=(const Municipality &other) const { return !(*this == other); }
};

struct Region {
    QString name;
    QString notes;
    // The inputs a municipality takes where neither a table nor the planner gave its own.
    Study templateStudy;
    // In the order they were added; codes are unique.
    std::vector<Municipality> municipalities;

    // The index of the municipality with that seven-digit code, -1 when none.
    int indexOf(const QString &code) const;
    bool operator==(const Region &other) const;
    bool operator!=(const Region &other) const { return !(*this == other); }
};

// A new region: no municipality, the default study as its template.
Region emptyRegion();

// The municipality's study: the template with its overrides in place, named after it
// ("São Paulo (SP)"), with its reference flow as the balance's typed flow when it has one.
Study municipalityStudy(const Region &region, int index);
// What `edited` changes in `templateStudy`, input by input (a grid whole), as overrides. The
// name and notes are not inputs.
StudyOverrides overridesOf(const Study &templateStudy, const Study &edited);
// Takes a municipality's study, edited as an ordinary study, back into the region: its
// overrides become what it changes in the template; the sources of inputs it changed are
// dropped (the planner typed them). Its reference flow stays its own unless the balance's
// typed flow was changed.
void setMunicipalityStudy(Region &region, int index, const Study &edited);

} // namespace tavi::region
