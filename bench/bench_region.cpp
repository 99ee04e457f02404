// A region the size of Brazil: 5,570 synthetic municipalities, each a full agriculture year,
// computed on this machine's cores; the memory that takes; and a 5,570-row SIDRA population
// table read, previewed and taken into the region.
#include "BenchUtil.h"
#include "FullStudy.h"
#include "core/numbers/GeneralFormat.h"
#include "core/region/MunicipalityCode.h"
#include "core/region/RegionImport.h"
#include "core/region/RegionRun.h"
#include "core/sectors/catalogue/AgricultureTables.h"
#include "core/sectors/catalogue/StudyKeys.h"

#include <QElapsedTimer>
#include <QFile>

using namespace tavi;
using namespace tavi::region;

namespace
{

constexpr int kMunicipalities = 5570;

// Seven digits with their check digit, all in one state: "3510003", ...
QString codeOf(int i)
{
    const QString six = QStringLiteral("35%1").arg(1000 + i);
    return six + QString::number(MunicipalityCode::checkDigit(six));
}

// Each municipality its own populations, herd and crop areas, so that no two compute alike.
Region brazilSizedRegion()
{
    Region region;
    region.name = QStringLiteral("Brasil sintético");
    region.templateStudy = bench::fullStudy();
    const StudyGrid params = windowInputs(region.templateStudy, keys::kAgricultureWindow)
                                 .grids.value(keys::kCropParameters);
    const LocaleSettings &study = LocaleSettings::decimalPoint();
    region.municipalities.reserve(kMunicipalities);
    for (int i = 0; i < kMunicipalities; ++i) {
        Municipality m;
        m.code = codeOf(i);
        m.name = QStringLiteral("Município %1").arg(i + 1);
        m.state = QStringLiteral("SP");
        m.group = QStringLiteral("Bacia %1").arg(i % 20 + 1);
        const int total = 2000 + (i * 7919) % 400000;
        m.overrides.fields[keys::kSupplyWindow] = {
            {QStringLiteral("me_1"), QString::number(total * 9 / 10)},
            {QStringLiteral("me_3"), QString::number(total)}};
        m.overrides.fields[keys::kLivestockWindow] = {
            {QStringLiteral("e_qte_bovino"), QString::number(100 + (i * 104729) % 90000)}};
        StudyGrid areas = params;
        for (int c = 0; c < agriculture::kClasses && c < areas[agriculture::kAreaRow].size(); ++c)
            areas[agriculture::kAreaRow][c] =
                formatGeneral(0.1L + (i % 97) * 0.05L + c * 0.013L, study);
        m.overrides.grids[keys::kAgricultureWindow][keys::kCropParameters] = areas;
        region.municipalities.push_back(m);
    }
    return region;
}

// IBGE's estimated population table, as SIDRA exports it, one row per municipality.
QByteArray populationTable()
{
    QByteArray text = "Tabela 6579 - População residente estimada\n"
                      "Variável - População residente estimada (Pessoas)\n"
                      "\"Nível\";\"Cód.\";\"Município\";\"2024\"\n";
    for (int i = 0; i < kMunicipalities; ++i)
        text += QStringLiteral("\"MU\";\"%1\";\"Município %2 (SP)\";\"%3\"\n")
                    .arg(codeOf(i))
                    .arg(i + 1)
                    .arg(3000 + (i * 6151) % 500000)
                    .toUtf8();
    text += "\nFonte: IBGE - Estimativas de População\n";
    return text;
}

double peakResidentMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

} // namespace

void benchRegion()
{
    Region region = brazilSizedRegion();
    // Once: a run takes seconds, and the memory it peaks at is the figure wanted.
    QElapsedTimer timer;
    timer.start();
    const RegionResults results = computeRegion(region);
    const double seconds = timer.nsecsElapsed() / 1e9;
    bench::row(QStringLiteral("region: 5,570 municipalities, each a full agriculture year, "
                              "computed"),
               seconds, "s", QStringLiteral("goal < 10"));
    bench::row(QStringLiteral("region: peak resident memory after computing (VmHWM)"),
               peakResidentMb(), "MB", QStringLiteral("goal < 1024"));
    if (!results.failures().isEmpty())
        std::printf("  (%d municipalities failed: %s)\n", int(results.failures().size()),
                    qPrintable(results.failures().front()));

    const QByteArray table = populationTable();
    const double importMs = bench::medianMs(5, [&] {
        ImportTables tables;
        tables.tables.push_back(readRegionTable(table, QStringLiteral("populacao.csv")));
        const ImportPreview preview = previewImport(region, tables);
        const Region imported = applyImport(region, preview);
        Q_UNUSED(imported);
    });
    bench::row(QStringLiteral("region: a 5,570-row SIDRA table imported"), importMs, "ms",
               QStringLiteral("goal < 1000"));
}
