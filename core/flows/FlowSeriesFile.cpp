#include "core/flows/FlowSeriesFile.h"

#include "core/files/FileFailureReason.h"
#include "core/flows/FlowText.h"
#include "core/weather/WeatherText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <array>
#include <cerrno>
#include <map>

namespace tavi::flows
{

namespace
{

constexpr int kMonthColumns = 31;
const char *const kHidroWebLayout = "HidroWeb";
const char *const kPlainLayout = "texto (data; vazão)";
const char *const kNotASeries =
    "o arquivo não é uma série de vazões: nem a exportação do HidroWeb (EstacaoCodigo;"
    "NivelConsistencia;Data;...;Vazao01;...;Vazao31), nem um texto de datas e vazões";

// A day's value and where it was read, so that a day given twice can name both lines.
struct DayRead {
    std::optional<long double> flow;
    QString text;
    int line = 0;
};

// The days read at one consistency level (or the plain text's only one).
class DayReads
{
public:
    void put(const QDate &day, const std::optional<long double> &flow, const QString &text,
             int line, const QString &column)
    {
        auto [at, added] = m_days.try_emplace(day, DayRead{flow, text, line});
        DayRead &before = at->second;
        if (added || !flow)
            return;
        if (!before.flow) {
            before = DayRead{flow, text, line};
            return;
        }
        if (*before.flow != *flow)
            throw FlowFormatError(flowMessage(
                line, column,
                QStringLiteral("o dia %1 já tem a vazão %2 na linha %3, e aqui tem %4; um dia "
                               "só pode ter uma vazão.")
                    .arg(day.toString(QStringLiteral("dd/MM/yyyy")), before.text)
                    .arg(before.line)
                    .arg(text)));
    }
    const std::map<QDate, DayRead> &days() const { return m_days; }

private:
    std::map<QDate, DayRead> m_days;
};

// The days from the first to the last with a flow.
FlowSeries seriesOf(const std::map<QDate, std::optional<long double>> &flows)
{
    QDate first;
    QDate last;
    for (const auto &[day, flow] : flows) {
        if (!flow)
            continue;
        if (!first.isValid())
            first = day;
        last = day;
    }
    if (!first.isValid())
        throw FlowFormatError(QStringLiteral("O arquivo não tem nenhuma vazão: todos os dias "
                                             "estão em branco ou sem medição."));
    FlowSeries series;
    series.first = first;
    series.days.resize(std::size_t(first.daysTo(last) + 1));
    for (auto at = flows.lower_bound(first); at != flows.end() && at->first <= last; ++at)
        series.days[std::size_t(first.daysTo(at->first))] = at->second;
    return series;
}

QString compactTitle(const QString &title)
{
    return eto::foldedTitle(title).remove(QLatin1Char(' '));
}

bool isComment(const QString &line)
{
    return line.trimmed().startsWith(QLatin1String("//"));
}

bool isBlank(const QStringList &fields)
{
    for (const QString &field : fields) {
        if (!field.isEmpty())
            return false;
    }
    return true;
}

// Where each column of the agency's export is, by its title.
struct HidroWebColumns {
    int titleLine = -1; // index into the lines
    QStringList titles;
    int code = -1;
    int level = -1;
    int date = -1;
    std::array<int, kMonthColumns> flow{};
};

QString flowTitle(int day)
{
    return QStringLiteral("VAZAO%1").arg(day, 2, 10, QLatin1Char('0'));
}

// The line of titles, if any line has both a date and a first day's flow column.
std::optional<HidroWebColumns> findHidroWebTitles(const QStringList &lines)
{
    for (int i = 0; i < lines.size(); ++i) {
        // Folding every field of a long pasted text would cost more than reading it; a line of
        // the export's titles has "Vazao" in it, with or without its accent.
        if (isComment(lines[i]) || !lines[i].contains(QLatin1String("az"), Qt::CaseInsensitive))
            continue;
        const QStringList titles = splitFlowFields(lines[i], QLatin1Char(';'));
        QStringList folded;
        for (const QString &title : titles)
            folded << compactTitle(title);
        if (!folded.contains(QLatin1String("DATA")) || !folded.contains(flowTitle(1)))
            continue;
        HidroWebColumns columns;
        columns.titleLine = i;
        columns.titles = titles;
        columns.code = int(folded.indexOf(QLatin1String("ESTACAOCODIGO")));
        columns.level = int(folded.indexOf(QLatin1String("NIVELCONSISTENCIA")));
        columns.date = int(folded.indexOf(QLatin1String("DATA")));
        for (int day = 1; day <= kMonthColumns; ++day) {
            columns.flow[day - 1] = int(folded.indexOf(flowTitle(day)));
            if (columns.flow[day - 1] < 0)
                throw FlowFormatError(flowMessage(
                    i + 1, QStringLiteral("Vazao%1").arg(day, 2, 10, QLatin1Char('0')),
                    QStringLiteral("falta esta coluna no cabeçalho do HidroWeb, que tem uma "
                                   "coluna de vazão para cada dia, de Vazao01 a Vazao31.")));
        }
        return columns;
    }
    return std::nullopt;
}

// The station's name from the free lines above the titles ("//   Nome: RIO X"), if given.
QString stationName(const QStringList &lines, int titleLine)
{
    for (int i = 0; i < titleLine; ++i) {
        QString line = lines[i].trimmed();
        if (line.startsWith(QLatin1String("//")))
            line = line.mid(2);
        const int colon = int(line.indexOf(QLatin1Char(':')));
        if (colon < 0)
            continue;
        const QString key = compactTitle(line.left(colon));
        if (key == QLatin1String("NOME") || key == QLatin1String("NOMEDAESTACAO") ||
            key == QLatin1String("ESTACAO"))
            return line.mid(colon + 1).remove(QLatin1Char(';')).trimmed();
    }
    return {};
}

// A line between data lines that holds no data is an error; after the last, a note.
class StrayLines
{
public:
    void stray(int line, const QString &column, const QString &text)
    {
        if (m_line == 0) {
            m_line = line;
            m_column = column;
            m_text = text;
        }
    }
    void dataAt(int, const char *what) const
    {
        if (m_line != 0)
            throw FlowFormatError(flowMessage(
                m_line, m_column,
                QStringLiteral("\"%1\" não é uma data, e a linha está entre linhas de %2.")
                    .arg(m_text, QString::fromUtf8(what))));
    }

private:
    int m_line = 0;
    QString m_column;
    QString m_text;
};

FlowReading readHidroWeb(const QStringList &lines, const HidroWebColumns &columns)
{
    const QStringList &titles = columns.titles;
    std::array<DayReads, 2> levels;
    std::array<std::map<QDate, int>, 2> months; // the first line of each month, per level
    QString station;
    int stationLine = 0;
    StrayLines stray;
    for (int i = columns.titleLine + 1; i < lines.size(); ++i) {
        const int line = i + 1;
        if (isComment(lines[i]))
            continue;
        const QStringList fields = splitFlowFields(lines[i], QLatin1Char(';'));
        if (isBlank(fields))
            continue;
        const auto field = [&](int column) {
            return column >= 0 && column < fields.size() ? fields[column] : QString();
        };
        const QString dateText = field(columns.date);
        if (!looksLikeDate(dateText)) {
            stray.stray(line, titles[columns.date], dateText);
            continue;
        }
        stray.dataAt(line, "dados do HidroWeb");

        const QString code = field(columns.code);
        if (!code.isEmpty()) {
            if (station.isEmpty()) {
                station = code;
                stationLine = line;
            } else if (code != station) {
                throw FlowFormatError(flowMessage(
                    line, titles[columns.code],
                    QStringLiteral("esta linha é da estação %1, e a linha %2 é da estação %3; "
                                   "o arquivo deve ter uma só estação.")
                        .arg(code)
                        .arg(stationLine)
                        .arg(station)));
            }
        }
        int level = 0;
        if (columns.level >= 0) {
            const QString levelText = field(columns.level);
            if (levelText == QLatin1String("2"))
                level = 1;
            else if (levelText != QLatin1String("1"))
                throw FlowFormatError(flowMessage(
                    line, titles[columns.level],
                    QStringLiteral("o nível de consistência \"%1\" não é 1 (bruto) nem 2 "
                                   "(consistido).")
                        .arg(levelText)));
        }
        const QDate month = readFlowDate(dateText, line, titles[columns.date]);
        if (month.day() != 1)
            throw FlowFormatError(flowMessage(
                line, titles[columns.date],
                QStringLiteral("%1 não é o primeiro dia de um mês, a data de cada linha do "
                               "HidroWeb.")
                    .arg(dateText)));
        months[std::size_t(level)].try_emplace(month, line);
        // The agency fills a short month's last columns with whatever it likes.
        for (int day = 1; day <= month.daysInMonth(); ++day) {
            const int column = columns.flow[std::size_t(day - 1)];
            const QString text = field(column);
            levels[std::size_t(level)].put(month.addDays(day - 1),
                                           readFlowValue(text, line, titles[column]), text, line,
                                           titles[column]);
        }
    }
    if (months[0].empty() && months[1].empty())
        throw FlowFormatError(QStringLiteral("O arquivo do HidroWeb não tem nenhuma linha de "
                                             "vazões abaixo do cabeçalho (linha %1).")
                                  .arg(columns.titleLine + 1));

    FlowReading reading;
    reading.layout = QString::fromUtf8(kHidroWebLayout);
    std::map<QDate, std::optional<long double>> flows;
    for (const auto &[day, read] : levels[1].days())
        flows[day] = read.flow;
    for (const auto &[day, read] : levels[0].days()) {
        const QDate month(day.year(), day.month(), 1);
        if (months[1].count(month) == 0)
            flows[day] = read.flow;
    }
    for (const auto &[month, line] : months[0]) {
        if (months[1].count(month) != 0)
            reading.notes << QStringLiteral("%1: nível 1 substituído pelo nível 2")
                                 .arg(month.toString(QStringLiteral("yyyy-MM")));
    }
    reading.series = seriesOf(flows);
    const QString name = stationName(lines, columns.titleLine);
    reading.series.station =
        name.isEmpty() || name == station
            ? station
            : (station.isEmpty() ? name : QStringLiteral("%1 (%2)").arg(station, name));
    return reading;
}

// A pasted line's fields: split at ";" where there is one, else at tabs, else at blanks.
QStringList plainFields(const QString &line)
{
    if (line.contains(QLatin1Char(';')))
        return splitFlowFields(line, QLatin1Char(';'));
    if (line.contains(QLatin1Char('\t')))
        return splitFlowFields(line, QLatin1Char('\t'));
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    QStringList fields = line.split(blanks, Qt::SkipEmptyParts);
    // No line holds a line end, so splitting at one only takes a field's quotes off.
    for (QString &field : fields)
        field = splitFlowFields(field, QLatin1Char('\n')).value(0);
    return fields;
}

FlowReading readPlainText(const QStringList &lines)
{
    const QString dateColumn = QStringLiteral("1 (data)");
    const QString flowColumn = QStringLiteral("2 (vazão)");
    DayReads reads;
    StrayLines stray;
    bool heading = false;
    bool data = false;
    for (int i = 0; i < lines.size(); ++i) {
        const int line = i + 1;
        if (isComment(lines[i]))
            continue;
        const QStringList fields = plainFields(lines[i]);
        if (isBlank(fields))
            continue;
        if (!looksLikeDate(fields[0])) {
            if (!heading && !data) {
                heading = true;
                continue;
            }
            if (!data)
                throw FlowFormatError(
                    flowMessage(line, dateColumn,
                                QStringLiteral("\"%1\" não é uma data; %2.")
                                    .arg(fields[0], QString::fromUtf8(kNotASeries))));
            // Split at blanks, a line of words would show as its first word only.
            stray.stray(line, dateColumn, lines[i].trimmed());
            continue;
        }
        stray.dataAt(line, "data e vazão");
        data = true;
        const QDate day = readFlowDate(fields[0], line, dateColumn);
        const QString text = fields.value(1);
        reads.put(day, readFlowValue(text, line, flowColumn), text, line, flowColumn);
    }
    if (!data) {
        int first = 0;
        while (first < lines.size() && lines[first].trimmed().isEmpty())
            ++first;
        throw FlowFormatError(
            flowMessage(first + 1, dateColumn,
                        QStringLiteral("nenhuma linha tem uma data e uma vazão; %1.")
                            .arg(QString::fromUtf8(kNotASeries))));
    }
    std::map<QDate, std::optional<long double>> flows;
    for (const auto &[day, read] : reads.days())
        flows[day] = read.flow;
    FlowReading reading;
    reading.layout = QString::fromUtf8(kPlainLayout);
    reading.series = seriesOf(flows);
    return reading;
}

QString openFailure(const QString &path, const QString &reason)
{
    return QStringLiteral("Não foi possível ler a série de vazões \"%1\": %2")
        .arg(QDir::toNativeSeparators(path), reason);
}

} // namespace

FlowReading readFlowSeries(const QByteArray &content)
{
    const QString text = eto::decodeWeatherText(content);
    if (text.trimmed().isEmpty())
        throw FlowFormatError(QStringLiteral("O arquivo está vazio: não tem nenhuma vazão."));
    const QStringList lines = flowLines(text);
    if (const std::optional<HidroWebColumns> columns = findHidroWebTitles(lines))
        return readHidroWeb(lines, *columns);
    return readPlainText(lines);
}

FlowReading loadFlowSeriesFile(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir())
        throw TaviError(openFailure(path, QStringLiteral("é uma pasta, não um arquivo.")));
    if (!info.exists())
        throw TaviError(openFailure(path, QStringLiteral("o arquivo não existe.")));
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        throw TaviError(openFailure(path, fileFailureReason(errno ? errno : ENOENT) + '.'));
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw TaviError(openFailure(path, file.errorString() + '.'));
    try {
        return readFlowSeries(content);
    } catch (const FlowFormatError &error) {
        throw FlowFormatError(openFailure(path, error.message()));
    }
}

} // namespace tavi::flows
