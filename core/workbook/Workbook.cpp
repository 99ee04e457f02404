#include "core/workbook/Workbook.h"

#include "core/workbook/WorkbookError.h"

namespace tavi
{

Workbook::Workbook(const QString &name) : m_name(name)
{
    Sheet first;
    first.name = QStringLiteral("Plan1");
    first.worksheet = std::make_unique<Worksheet>();
    m_sheets.push_back(std::move(first));
}

const Workbook::Sheet &Workbook::sheet(int index) const
{
    if (index < 1 || index > sheetCount())
        throw WorkbookError(QStringLiteral("A pasta de trabalho não tem a planilha %1").arg(index));
    return m_sheets[index - 1];
}

Workbook::Sheet &Workbook::sheet(int index)
{
    return const_cast<Sheet &>(static_cast<const Workbook *>(this)->sheet(index));
}

int Workbook::sheetIndex(const QString &name) const
{
    for (int i = 0; i < sheetCount(); ++i)
        if (m_sheets[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i + 1;
    return 0;
}

const Workbook::Sheet &Workbook::sheetNamed(const QString &name) const
{
    const int index = sheetIndex(name);
    if (index == 0)
        throw WorkbookError(
            QStringLiteral("A pasta de trabalho não tem a planilha '%1'").arg(name));
    return m_sheets[index - 1];
}

Workbook::Sheet &Workbook::sheetNamed(const QString &name)
{
    return const_cast<Sheet &>(static_cast<const Workbook *>(this)->sheetNamed(name));
}

const Worksheet &Workbook::worksheet(int index) const
{
    const Sheet &s = sheet(index);
    if (!s.worksheet)
        throw WorkbookError(QStringLiteral("A planilha '%1' é um gráfico").arg(s.name));
    return *s.worksheet;
}

Worksheet &Workbook::worksheet(int index)
{
    return const_cast<Worksheet &>(static_cast<const Workbook *>(this)->worksheet(index));
}

const WorkbookChart &Workbook::chart(int index) const
{
    const Sheet &s = sheet(index);
    if (!s.chart)
        throw WorkbookError(QStringLiteral("A planilha '%1' não é um gráfico").arg(s.name));
    return *s.chart;
}

WorkbookChart &Workbook::chart(int index)
{
    return const_cast<WorkbookChart &>(static_cast<const Workbook *>(this)->chart(index));
}

QString Workbook::freshName(const QString &stem, int *counter) const
{
    QString name;
    do
        name = stem + QString::number(++*counter);
    while (sheetIndex(name) != 0);
    return name;
}

void Workbook::addSheets(int before, int count, int type)
{
    if (type != kWorksheetType && type != kChartType)
        throw WorkbookError(QStringLiteral("O tipo de planilha %1 não é suportado").arg(type));
    if (before < 1 || before > sheetCount() + 1)
        throw WorkbookError(
            QStringLiteral("A pasta de trabalho não tem a planilha %1").arg(before));
    // Far more than anyone adds at once; a bad count must not exhaust memory.
    constexpr int kMaxAddedAtOnce = 255;
    if (count < 1 || count > kMaxAddedAtOnce)
        throw WorkbookError(QStringLiteral("Não é possível adicionar %1 planilhas").arg(count));
    std::vector<Sheet> added;
    for (int i = 0; i < count; ++i) {
        Sheet sheet;
        if (type == kChartType) {
            sheet.name = freshName(QStringLiteral("Gráf"), &m_chartsNamed);
            sheet.chart = std::make_unique<WorkbookChart>();
        } else {
            sheet.name = freshName(QStringLiteral("Plan"), &m_worksheetsNamed);
            sheet.worksheet = std::make_unique<Worksheet>();
        }
        // Names are checked against the sheets already there and those just made.
        m_sheets.insert(m_sheets.begin() + (before - 1) + i, std::move(sheet));
    }
    m_active = before;
}

QString Workbook::sheetNameProblem(int index, const QString &name) const
{
    if (name.isEmpty() || name.size() > kMaxSheetNameLength)
        return QStringLiteral("O nome de uma planilha deve ter de 1 a %1 caracteres")
            .arg(kMaxSheetNameLength);
    for (QChar c : name)
        if (QStringLiteral(":\\/?*[]").contains(c))
            return QStringLiteral("O nome '%1' contém o caractere '%2', que não é permitido")
                .arg(name, c);
    if (name.startsWith(QLatin1Char('\'')) || name.endsWith(QLatin1Char('\'')))
        return QStringLiteral("O nome '%1' não pode começar nem terminar com apóstrofo").arg(name);
    if (name.compare(QLatin1String("History"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("O nome '%1' é reservado").arg(name);
    const int other = sheetIndex(name);
    if (other != 0 && other != index)
        return QStringLiteral("Já existe uma planilha com o nome '%1'").arg(name);
    return QString();
}

void Workbook::renameSheet(int index, const QString &name)
{
    Sheet &target = sheet(index);
    const QString problem = sheetNameProblem(index, name);
    if (!problem.isEmpty())
        throw WorkbookError(problem);
    target.name = name;
}

} // namespace tavi

namespace tavi
{

std::vector<double> rangeValues(const Workbook &workbook, const CellRange &range)
{
    std::vector<double> values;
    const int index = workbook.sheetIndex(range.sheet);
    if (index == 0 || workbook.sheet(index).isChart())
        return values;
    const Worksheet &sheet = workbook.worksheet(index);
    values.reserve(static_cast<size_t>(range.rowCount()) * range.columnCount());
    for (int row = range.firstRow; row <= range.lastRow; ++row)
        for (int column = range.firstColumn; column <= range.lastColumn; ++column) {
            const WorkbookCell *cell = sheet.cell(row, column);
            const bool number = cell && cell->kind == WorkbookCell::Kind::Number;
            values.push_back(number ? cell->number : 0.0);
        }
    return values;
}

QStringList rangeTexts(const Workbook &workbook, const CellRange &range,
                       const LocaleSettings &locale)
{
    QStringList texts;
    const int index = workbook.sheetIndex(range.sheet);
    if (index == 0 || workbook.sheet(index).isChart())
        return texts;
    const Worksheet &sheet = workbook.worksheet(index);
    for (int row = range.firstRow; row <= range.lastRow; ++row)
        for (int column = range.firstColumn; column <= range.lastColumn; ++column) {
            const WorkbookCell *cell = sheet.cell(row, column);
            texts << (cell ? Worksheet::displayText(*cell, locale) : QString());
        }
    return texts;
}

QString seriesHeading(const Workbook &workbook, const CellRange &range)
{
    const int index = workbook.sheetIndex(range.sheet);
    if (index <= 0 || workbook.sheet(index).isChart())
        return QString();
    const Worksheet &sheet = workbook.worksheet(index);
    for (int row = range.firstRow - 1; row >= 1; --row) {
        const WorkbookCell *cell = sheet.cell(row, range.firstColumn);
        if (cell && cell->kind == WorkbookCell::Kind::Text && !cell->text.isEmpty())
            return cell->text.trimmed();
    }
    return QString();
}

} // namespace tavi
