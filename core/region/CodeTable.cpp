#include "core/region/CodeTable.h"

#include "core/region/MunicipalityCode.h"
#include "core/region/RegionTableText.h"

#include <QFileInfo>
#include <QHash>

namespace tavi::region
{

namespace
{

QString valueTitle(CodeTableKind kind)
{
    return kind == CodeTableKind::Groups ? QStringLiteral("grupo") : QStringLiteral("vazão (m3/s)");
}

} // namespace

CodeTable readCodeTable(const QByteArray &content, const QString &source, CodeTableKind kind)
{
    CodeTable table;
    table.kind = kind;
    table.source = source;
    const QStringList lines = text::tableLines(content, source);

    // The first line with anything on it tells the separator, and is a header when its first
    // field is no code.
    qsizetype first = 0;
    while (first < lines.size() && lines[first].trimmed().isEmpty())
        ++first;
    const QChar separator = text::separatorOf(lines.value(first));
    QStringList titles{QStringLiteral("código"), valueTitle(kind)};
    const QStringList firstFields = text::headerFields(lines.value(first), separator);
    if (!MunicipalityCode::fromText(firstFields.value(0))) {
        if (firstFields.size() != 2)
            throw TableFormatError(
                source, int(first + 1), QString::number(firstFields.size() < 2 ? 2 : 3),
                QStringLiteral("a tabela deve ter duas colunas, o código do município e %1; "
                               "o cabeçalho tem %2.")
                    .arg(valueTitle(kind))
                    .arg(firstFields.size()));
        titles = firstFields;
        ++first;
    }

    QHash<QString, int> firstLines;
    qsizetype i = first;
    for (; i < lines.size(); ++i) {
        const int line = int(i + 1);
        QStringList fields = text::splitFields(lines[i], separator);
        // The data end at the first empty line; what follows are the portal's notes.
        if (text::isBlank(fields))
            break;
        text::checkWidth(fields, titles, source, line);
        const std::optional<MunicipalityCode> code = MunicipalityCode::fromText(fields[0]);
        if (!code)
            throw TableFormatError(
                source, line, titles[0],
                QStringLiteral("\"%1\" não é um código de município do IBGE.").arg(fields[0]));
        CodeTableRow row{code->code(), fields[1], line};
        if (kind == CodeTableKind::ReferenceFlows) {
            const std::optional<long double> flow =
                text::readValue(fields[1], false, source, line, titles[1]);
            row.value = flow ? text::studyNumberText(*flow) : QString();
        }
        const auto earlier = firstLines.constFind(row.code);
        if (earlier != firstLines.constEnd()) {
            table.duplicates.push_back({row.code, QString(), line, *earlier});
            continue;
        }
        firstLines.insert(row.code, line);
        table.rows.push_back(row);
    }
    for (; i < lines.size(); ++i)
        if (!lines[i].trimmed().isEmpty())
            table.notes << lines[i].trimmed();
    if (table.rows.empty())
        throw TableFormatError(source, int(first + 1), titles[0],
                               QStringLiteral("a tabela não tem nenhum município."));
    return table;
}

CodeTable loadCodeTable(const QString &path, CodeTableKind kind)
{
    return readCodeTable(text::readTableFile(path, QStringLiteral("qualquer tabela")),
                         QFileInfo(path).fileName(), kind);
}

} // namespace tavi::region
