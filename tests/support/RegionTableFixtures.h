#pragma once

// Public tables made up for the region's tests, as the portals write them: SIDRA exports
// (titles, a "Nível";"Cód.";"Município" header, notes after an empty line) in each encoding,
// quoting and line end, and the sanitation indicators' export.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace testing
{

struct Style {
    bool latin1 = false;
    bool quoted = true;
    bool crlf = false;
    bool trailingSeparator = false;
};

inline const QStringList kLivestockTitles{
    QStringLiteral("Tabela 3939 - Efetivo dos rebanhos, por tipo "
                   "de rebanho"),
    QStringLiteral("Variável - Efetivo dos rebanhos (Cabeças)"), QStringLiteral("Ano - 2022")};
inline const QStringList kPopulationTitles{
    QStringLiteral("Tabela 6579 - População residente estimada"),
    QStringLiteral("Variável - População residente estimada (Pessoas)")};
inline const QString kNotes =
    QStringLiteral("\nFonte: IBGE - Pesquisa da Pecuária Municipal\nNotas\n"
                   "1 - Os dados do último ano; estão sujeitos a revisão");

// Title lines, then rows of fields (the header among them), then the notes as written.
inline QByteArray sidra(const QStringList &titles, const QList<QStringList> &rows,
                        const Style &style = {}, const QString &notes = kNotes)
{
    const auto field = [&](const QString &text) {
        return style.quoted ? QLatin1Char('"') + text + QLatin1Char('"') : text;
    };
    QStringList lines;
    for (const QString &title : titles)
        lines << field(title);
    for (const QStringList &row : rows) {
        QStringList fields;
        for (const QString &text : row)
            fields << field(text);
        lines << fields.join(QLatin1Char(';')) + (style.trailingSeparator ? ";" : "");
    }
    const QString text = lines.join(QLatin1Char('\n')) + QLatin1Char('\n') + notes;
    QString ends = text;
    if (style.crlf)
        ends.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return style.latin1 ? ends.toLatin1() : ends.toUtf8();
}

inline QStringList header(const QStringList &values)
{
    return QStringList{QStringLiteral("Nível"), QStringLiteral("Cód."),
                       QStringLiteral("Município")} +
           values;
}

inline QStringList row(const QString &code, const QString &name, const QStringList &values)
{
    return QStringList{QStringLiteral("MU"), code, name} + values;
}

inline const QString kSanitationHeader = QStringLiteral(
    "\"Código do Município\";\"Município\";\"Estado\";\"Ano de Referência\";\"Prestador\";"
    "\"IN049 - Índice de perdas na distribuição\";\"AG001 - População total atendida com "
    "abastecimento de água\";\"IN022 - Consumo médio percapita de água\"");

inline QByteArray sanitationTable(const QStringList &rows, bool latin1 = false,
                                  const QString &header = kSanitationHeader)
{
    const QString text = (QStringList{header} + rows).join(QLatin1String("\r\n")) +
                         QLatin1String("\r\n\r\nFonte: SNIS; dados declarados pelos prestadores");
    return latin1 ? text.toLatin1() : text.toUtf8();
}

} // namespace testing
