#include "core/region/RegionTableText.h"

#include "core/base/TaviError.h"
#include "core/files/FileFailureReason.h"
#include "core/numbers/DecimalDigits.h"
#include "core/weather/WeatherText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cmath>

namespace tavi::region::text
{

namespace
{

const QString kFirstColumn = QStringLiteral("1");

bool isNotAvailable(const QString &text)
{
    return text.isEmpty() || text == QLatin1String(".") || text == QLatin1String("..") ||
           text == QLatin1String("...") ||
           text.compare(QLatin1String("X"), Qt::CaseInsensitive) == 0;
}

// Whether the dots of `digits` (no comma in it) stand between groups of three digits.
bool groupedThousands(const QString &digits)
{
    const QStringList groups = digits.split(QLatin1Char('.'));
    if (groups.size() < 2 || groups[0].isEmpty() || groups[0].size() > 3)
        return false;
    for (qsizetype i = 1; i < groups.size(); ++i) {
        if (groups[i].size() != 3)
            return false;
    }
    return true;
}

} // namespace

QStringList tableLines(const QByteArray &content, const QString &source)
{
    if (content.size() > kLargestTableBytes)
        throw TableFormatError(source, 1, kFirstColumn,
                               QStringLiteral("o arquivo tem mais de %1 MB; nenhuma das tabelas "
                                              "públicas é tão grande.")
                                   .arg(kLargestTableBytes / (1024 * 1024)));
    const QString decoded = eto::decodeWeatherText(content);
    if (decoded.trimmed().isEmpty())
        throw TableFormatError(source, 1, kFirstColumn, QStringLiteral("o arquivo está vazio."));
    // Lines end in LF, CR LF, or a lone CR as older spreadsheets on the Mac write them.
    QStringList lines = QString(decoded)
                            .replace(QLatin1String("\r\n"), QLatin1String("\n"))
                            .replace(QLatin1Char('\r'), QLatin1Char('\n'))
                            .split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines[0].startsWith(QChar(0xFEFF)))
        lines[0].remove(0, 1);
    return lines;
}

QChar separatorOf(const QString &line)
{
    if (line.contains(QLatin1Char(';')))
        return QLatin1Char(';');
    return line.contains(QLatin1Char('\t')) ? QLatin1Char('\t') : QLatin1Char(',');
}

QStringList headerFields(const QString &line, QChar separator)
{
    QStringList fields = splitFields(line, separator);
    // Spreadsheets end every line with a separator; that makes no column.
    while (fields.size() > 1 && fields.last().isEmpty())
        fields.removeLast();
    return fields;
}

bool isBlank(const QStringList &fields)
{
    for (const QString &field : fields) {
        if (!field.isEmpty())
            return false;
    }
    return true;
}

QString compact(const QString &title)
{
    QString folded = eto::foldedTitle(title);
    folded.remove(QLatin1Char(' '));
    folded.replace(QChar(0x2013), QLatin1Char('-'));
    folded.replace(QChar(0x2014), QLatin1Char('-'));
    return folded;
}

std::optional<long double> readValue(const QString &text, bool count, const QString &source,
                                     int line, const QString &column)
{
    const QString trimmed = text.trimmed();
    if (trimmed == QLatin1String("-"))
        return 0.0L;
    if (isNotAvailable(trimmed))
        return std::nullopt;
    QString plain = trimmed;
    if (plain.contains(QLatin1Char(','))
            ? plain.count(QLatin1Char('.')) > 0
            : (count || plain.count(QLatin1Char('.')) > 1) && groupedThousands(plain))
        plain.remove(QLatin1Char('.'));
    const std::optional<long double> value = eto::readDecimal(plain);
    if (!value || !std::isfinite(*value))
        throw TableFormatError(source, line, column,
                               QStringLiteral("\"%1\" não é um número.").arg(trimmed));
    if (*value < 0)
        throw TableFormatError(source, line, column,
                               QStringLiteral("valor negativo (%1).").arg(trimmed));
    return *value == 0 ? 0.0L : *value;
}

QString studyNumberText(long double value)
{
    // Fifteen significant digits hold any figure a public table writes, and drop what reading
    // or dividing in extended precision leaves in the last ones.
    return decimal::fixedText(decimal::decimalOf(value, 15), QLatin1Char('.'));
}

int yearOf(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.size() != 4)
        return 0;
    bool ok = false;
    const int year = trimmed.toInt(&ok);
    return ok && year >= 1800 && year <= 2200 ? year : 0;
}

void checkWidth(QStringList &fields, const QStringList &titles, const QString &source, int line)
{
    // The separator that ends the line, as the header's did, makes no column; without it, a
    // last field left empty is still one.
    if (fields.size() == titles.size() + 1 && fields.last().isEmpty())
        fields.removeLast();
    if (fields.size() == titles.size())
        return;
    if (fields.size() < titles.size())
        throw TableFormatError(source, line, titles[fields.size()],
                               QStringLiteral("a linha tem %1 colunas, e o cabeçalho tem %2; "
                                              "falta esta coluna.")
                                   .arg(fields.size())
                                   .arg(titles.size()));
    throw TableFormatError(source, line, QString::number(titles.size() + 1),
                           QStringLiteral("a linha tem %1 colunas, e o cabeçalho só tem %2.")
                               .arg(fields.size())
                               .arg(titles.size()));
}

QByteArray readTableFile(const QString &path, const QString &tables)
{
    const auto failure = [&path](const QString &reason) {
        return TaviError(QStringLiteral("Não foi possível ler a tabela \"%1\": %2")
                             .arg(QDir::toNativeSeparators(path), reason));
    };
    const QFileInfo info(path);
    if (info.isDir())
        throw failure(QStringLiteral("é uma pasta, não um arquivo."));
    if (!info.exists())
        throw failure(QStringLiteral("o arquivo não existe."));
    // Read whole, a file of gigabytes would take the memory before anything could say no.
    if (info.size() > kLargestTableBytes)
        throw TableFormatError(info.fileName(), 1, QStringLiteral("1"),
                               QStringLiteral("o arquivo tem %1 MB, mais que os %2 MB de %3.")
                                   .arg(info.size() / (1024 * 1024))
                                   .arg(kLargestTableBytes / (1024 * 1024))
                                   .arg(tables));
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        throw failure(fileFailureReason(errno ? errno : ENOENT) + '.');
    // A file that grows while it is read is still held to the limit.
    const QByteArray content = file.read(kLargestTableBytes + 1);
    if (file.error() != QFileDevice::NoError)
        throw failure(file.errorString() + '.');
    return content;
}

} // namespace tavi::region::text
