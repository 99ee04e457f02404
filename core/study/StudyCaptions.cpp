#include "core/study/StudyCaptions.h"

#include "core/sectors/catalogue/AgricultureTables.h"
#include "core/sectors/catalogue/FieldDefinitions.h"

#include <QStringList>

namespace tavi
{

namespace
{

using agriculture::classLetter;
using agriculture::kClasses;
using agriculture::kEntradaColumns;
using agriculture::kEtpColumn;
using agriculture::kParamRows;
using agriculture::kRainColumn;
using agriculture::seriesCellPlace;

// The headings of the crop table's columns, the unit column included.
const char *const kCropColumns[kEntradaColumns] = {"Classe", "Ciclo (dias)", "Unidade", "Fase 1",
                                                   "Kc 1",   "Fase 2",       "Kc 2",    "Fase 3",
                                                   "Kc 3",   "Fase 4",       "Kc 4"};
const char *const kParamRowsCaptions[kParamRows] = {"Início (dia)", "Área (km2)", "Eficiência"};

const struct {
    const char *member;
    const char *caption;
} kOriginCaptions[] = {
    {"estacao", "estação"},
    {"codigo", "código"},
    {"latitude", "latitude"},
    {"longitude", "longitude"},
    {"altitude", "altitude"},
    {"ano", "ano"},
    {"metodos", "métodos"},
    {"metodo", "método escolhido"},
    {"local", "local"},
    {"preenchimento_etp", "preenchimento da ETP"},
    {"preenchimento_p", "preenchimento da P"},
    {"anos", "anos"},
    {"dias_preenchidos_etp", "dias preenchidos da ETP"},
    {"dias_preenchidos_p", "dias preenchidos da P"},
    {"dias_editados_etp", "dias editados da ETP"},
    {"dias_editados_p", "dias editados da P"},
};

QString gridCaption(const QString &grid)
{
    if (grid == QLatin1String("SG_Entrada"))
        return QStringLiteral("Tabela de culturas");
    if (grid == QLatin1String("SG_Param"))
        return QStringLiteral("Parâmetros das culturas");
    if (grid == QLatin1String("SG_Serie"))
        return QStringLiteral("Série");
    if (grid == QLatin1String("origem_serie"))
        return QStringLiteral("Origem da série");
    return QString();
}

// Class k of the crop tables, counted from 1: "C"; the number itself beyond the classes.
QString classCaption(int k)
{
    return k <= kClasses ? QString(classLetter(k - 1)) : QString::number(k);
}

// A row and a column of one of the agriculture's grids, counted from 1 as the file counts.
QString cellCaption(const QString &grid, int row, int column)
{
    if (grid == QLatin1String("SG_Serie")) {
        // The series' columns are counted as its grid counts them: ETP 1, P 2.
        if (row > 0 && (column == kEtpColumn || column == kRainColumn))
            return seriesCellPlace(column, row);
        return row > 0 ? gridCaption(grid) + QStringLiteral(", dia %1").arg(row)
                       : gridCaption(grid);
    }
    QString text = gridCaption(grid);
    if (row <= 0)
        return text;
    if (grid == QLatin1String("SG_Entrada"))
        text += QStringLiteral(", classe %1").arg(classCaption(row));
    else if (grid == QLatin1String("SG_Param"))
        text += QStringLiteral(", %1").arg(row <= kParamRows
                                               ? QString::fromUtf8(kParamRowsCaptions[row - 1])
                                               : QStringLiteral("linha %1").arg(row));
    if (column <= 0)
        return text;
    if (grid == QLatin1String("SG_Entrada"))
        return text + QStringLiteral(", coluna %1")
                          .arg(column <= kEntradaColumns
                                   ? QString::fromUtf8(kCropColumns[column - 1])
                                   : QString::number(column));
    return text + QStringLiteral(", classe %1").arg(classCaption(column));
}

} // namespace

QString studyWindowCaption(const QString &window)
{
    const SectorDescriptor *sector = findSectorByStudyKey(window);
    return sector ? sector->caption : window;
}

QList<QPair<QString, QString>> studyFieldCaptions(const QString &window)
{
    QList<QPair<QString, QString>> fields;
    if (const SectorDescriptor *sector = findSectorByStudyKey(window))
        for (const FieldDefinition &definition : fieldDefinitions(sector->id))
            fields << qMakePair(definition.key, definition.studyCaption);
    return fields;
}

QStringList cropColumnCaptions()
{
    QStringList captions;
    for (const char *caption : kCropColumns)
        captions << QString::fromUtf8(caption);
    return captions;
}

QStringList cropParameterCaptions()
{
    QStringList captions;
    for (const char *caption : kParamRowsCaptions)
        captions << QString::fromUtf8(caption);
    return captions;
}

QString studyMemberCaptionWithinWindow(const QString &member)
{
    const QStringList parts = member.split(QLatin1Char('/'));
    if (parts.size() < 3 || parts[0] != QLatin1String("janelas"))
        return parts.size() == 2 && parts[0] == QLatin1String("janelas")
                   ? studyWindowCaption(parts[1])
                   : member;
    const QString &inner = parts[2];
    for (const auto &[field, caption] : studyFieldCaptions(parts[1]))
        if (field == inner)
            return caption;
    const QString grid = gridCaption(inner);
    if (grid.isEmpty())
        return parts.mid(2).join(QLatin1Char('/'));
    if (inner == QLatin1String("origem_serie")) {
        if (parts.size() == 3)
            return grid;
        for (const auto &origin : kOriginCaptions)
            if (parts[3] == QLatin1String(origin.member))
                return grid + QStringLiteral(", ") + QString::fromUtf8(origin.caption);
        return grid + QStringLiteral(", ") + parts[3];
    }
    const int row = parts.size() > 3 ? parts[3].toInt() : 0;
    const int column = parts.size() > 4 ? parts[4].toInt() : 0;
    return cellCaption(inner, row, column);
}

QString studyMemberCaption(const QString &member)
{
    const QStringList parts = member.split(QLatin1Char('/'));
    if (parts.size() < 3 || parts[0] != QLatin1String("janelas"))
        return studyMemberCaptionWithinWindow(member);
    return studyWindowCaption(parts[1]) + QStringLiteral(": ") +
           studyMemberCaptionWithinWindow(member);
}

} // namespace tavi
