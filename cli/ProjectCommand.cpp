#include "cli/ProjectCommand.h"

#include "cli/Console.h"
#include "cli/ExitStatus.h"
#include "core/numbers/ReadableNumber.h"
#include "core/projection/PopulationProjection.h"

#include <QStringList>

#include <algorithm>

namespace tavi::cli
{

namespace
{

constexpr int kPopulationDecimals = 0;
constexpr int kRSquaredDecimals = 4;

QString yearList(const std::vector<projection::PopulationCount> &counts)
{
    QStringList years;
    for (const projection::PopulationCount &count : projection::inYearOrder(counts))
        years << QString::number(count.year);
    const QString last = years.takeLast();
    return years.join(QStringLiteral(", ")) + QStringLiteral(" e ") + last;
}

} // namespace

QString projectionText(const ProjectRequest &request, const LocaleSettings &locale)
{
    const QString heading = QStringLiteral("População em %1").arg(request.year);
    QList<QStringList> rows{{QStringLiteral("Método"), heading, QStringLiteral("Ajuste")}};
    for (const projection::ProjectionFit &fit :
         projection::fitEveryMethod(request.counts, request.saturation)) {
        const QString name = projection::methodName(fit.method());
        if (!fit.applies()) {
            rows << QStringList{name, QStringLiteral("—"),
                                QStringLiteral("não se aplica: ") + fit.problem()};
            continue;
        }
        QString fitText;
        if (fit.rSquared())
            fitText =
                QStringLiteral("R² ") + formatReadable(*fit.rSquared(), kRSquaredDecimals, locale);
        else if (fit.saturation())
            fitText = QStringLiteral("saturação ") +
                      formatReadable(*fit.saturation(), kPopulationDecimals, locale);
        rows << QStringList{
            name, formatReadable(fit.populationIn(request.year), kPopulationDecimals, locale),
            fitText};
    }
    int nameWidth = 0, populationWidth = 0;
    for (const QStringList &row : rows) {
        nameWidth = std::max(nameWidth, int(row[0].size()));
        populationWidth = std::max(populationWidth, int(row[1].size()));
    }
    QString text =
        QStringLiteral("Projeção da população para %1, a partir das contagens de %2.\n\n")
            .arg(request.year)
            .arg(yearList(request.counts));
    for (const QStringList &row : rows)
        text += (row[0].leftJustified(nameWidth) + QStringLiteral("  ") +
                 row[1].rightJustified(populationWidth) + QStringLiteral("  ") + row[2])
                    .trimmed() +
                QLatin1Char('\n');
    return text;
}

int runProject(const ProjectRequest &request)
{
    printOut(projectionText(request, LocaleSettings::current()));
    return kExitDone;
}

} // namespace tavi::cli
