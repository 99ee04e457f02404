// Any bytes read as a daily flow series, the agency's HidroWeb export or a pasted text of
// dates and flows. What must hold:
// - reading ends with a series or a FlowFormatError carrying a message, nothing else;
// - a series read starts on a real day, holds at least one day, has a flow on its first and
//   its last day, and no flow that is negative or not finite.

#include "FuzzSupport.h"

#include "core/flows/FlowSeriesFile.h"

#include <QByteArray>
#include <QString>

#include <cmath>
#include <exception>

using namespace tavi;
using namespace tavi::flows;

namespace
{

// The export's titles, so that most inputs reach its month rows rather than the plain text.
QByteArray hidroWebTitles()
{
    QByteArray titles = "// Nome: RIO SÃO FRANCISCO\nEstacaoCodigo;NivelConsistencia;Data;Hora;"
                        "MediaDiaria;MetodoObtencaoVazoes";
    for (int day = 1; day <= 31; ++day)
        titles += ";Vazao" + QByteArray::number(day).rightJustified(2, '0');
    for (int day = 1; day <= 31; ++day)
        titles += ";Vazao" + QByteArray::number(day).rightJustified(2, '0') + "Status";
    return titles + ";\n";
}

void checkSeries(const FlowSeries &series)
{
    FUZZ_CHECK(series.first.isValid(), "the first day is a real day", QString());
    FUZZ_CHECK(!series.days.empty(), "at least one day", QString());
    FUZZ_CHECK(series.days.front().has_value() && series.days.back().has_value(),
               "a flow on the first and the last day", series.first.toString(Qt::ISODate));
    for (std::size_t i = 0; i < series.days.size(); ++i) {
        const std::optional<long double> &flow = series.days[i];
        FUZZ_CHECK(!flow || (std::isfinite(*flow) && *flow >= 0), "no negative flow",
                   series.first.addDays(qint64(i)).toString(Qt::ISODate) + QLatin1Char(' ') +
                       fuzz::describe(*flow));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    QByteArray bytes(reinterpret_cast<const char *>(data + 1), static_cast<qsizetype>(size - 1));
    // Bit 0 puts the export's titles in front.
    if (data[0] & 1)
        bytes.prepend(hidroWebTitles());
    try {
        checkSeries(readFlowSeries(bytes).series);
    } catch (const FlowFormatError &error) {
        FUZZ_CHECK(!error.message().isEmpty(), "a refusal with a message", QString());
    } catch (const std::exception &other) {
        fuzz::fail("nothing but a FlowFormatError escapes", QString::fromUtf8(other.what()));
    }
    return 0;
}
