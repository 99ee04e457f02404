#pragma once

#include "core/base/TaviError.h"
#include "core/flows/FlowSeries.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Daily flow series as planners download or type them: the HidroWeb export of the national
// water agency, or a plain text of dates and flows.
namespace tavi::flows
{

// What makes a file no flow series, in Portuguese, naming the line and the column
// ("linha 14, coluna Vazao03: vazão negativa (-2,5)").
class FlowFormatError : public TaviError
{
public:
    using TaviError::TaviError;
};

struct FlowReading {
    FlowSeries series;
    // "HidroWeb" or "texto (data; vazão)".
    QString layout;
    // What was set aside while reading and why ("1987-03: nível 1 substituído pelo nível 2").
    QStringList notes;
};

// Reads the content of either layout, told apart by its content, Latin-1 or UTF-8, with CRLF
// or LF line ends, a trailing ";", quoted fields, notes after the data. Throws
// FlowFormatError.
FlowReading readFlowSeries(const QByteArray &content);

// The file at `path`; throws TaviError naming the file.
FlowReading loadFlowSeriesFile(const QString &path);

} // namespace tavi::flows
