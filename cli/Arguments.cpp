#include "cli/Arguments.h"

#include "core/sectors/catalogue/Sectors.h"

#include <QRegularExpression>

namespace tavi::cli
{

namespace
{

const QString kCalculate = QStringLiteral("calcular");
const QString kProject = QStringLiteral("projetar");
const QString kFlows = QStringLiteral("vazoes");

bool isHelp(const QString &argument)
{
    return argument == QLatin1String("--ajuda") || argument == QLatin1String("--help");
}

bool isVersion(const QString &argument)
{
    return argument == QLatin1String("--versao") || argument == QLatin1String("--versão") ||
           argument == QLatin1String("--version");
}

Arguments invalid(const QString &problem)
{
    Arguments arguments;
    arguments.problem = problem;
    return arguments;
}

// "Pecuária" and "PECUARIA" name the sector "pecuaria" too: a user types the word as written.
QString plainWord(const QString &word)
{
    QString plain;
    for (const QChar c : word.normalized(QString::NormalizationForm_D))
        if (c.category() != QChar::Mark_NonSpacing)
            plain += c.toLower();
    return plain;
}

QString sectorNames()
{
    QStringList names;
    for (const SectorDescriptor &sector : sectorDescriptors())
        names << sector.commandName;
    const QString last = names.takeLast();
    return names.join(QStringLiteral(", ")) + QStringLiteral(" ou ") + last;
}

// An option's name as typed before any "=", accents and letter case set aside: "--até" and
// "--saída" are "--ate" and "--saida".
QString optionName(const QString &argument)
{
    const int equals = argument.indexOf(QLatin1Char('='));
    return plainWord(equals < 0 ? argument : argument.left(equals));
}

// An option's value: after its "=", else the next argument, which it then takes.
QString optionValue(const QStringList &arguments, int &i)
{
    const QString &argument = arguments[i];
    const int equals = argument.indexOf(QLatin1Char('='));
    if (equals >= 0)
        return argument.mid(equals + 1);
    return i + 1 < arguments.size() ? arguments[++i] : QString();
}

Arguments parseCalculate(const QStringList &arguments)
{
    Arguments parsed;
    parsed.command = Arguments::Command::Calculate;
    CalculateRequest &request = parsed.calculate;
    bool sectorsNamed = false;
    bool optionsEnded = false;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (optionsEnded || !argument.startsWith(QLatin1Char('-')) || argument.size() == 1) {
            if (!request.studyPath.isEmpty())
                return invalid(QStringLiteral("só um estudo por vez: \"%1\" e \"%2\"")
                                   .arg(request.studyPath, argument));
            request.studyPath = argument;
            continue;
        }
        if (argument == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (isHelp(argument)) {
            parsed.command = Arguments::Command::Help;
            return parsed;
        }
        const int equals = argument.indexOf(QLatin1Char('='));
        const QString option = optionName(argument);
        if (option == QLatin1String("--horizonte")) {
            if (equals >= 0)
                return invalid(
                    QStringLiteral("a opção --horizonte não leva valor: %1").arg(argument));
            request.horizon = true;
            continue;
        }
        if (option != QLatin1String("--saida") && option != QLatin1String("--setor"))
            return invalid(QStringLiteral("opção desconhecida: %1").arg(argument));
        QString value;
        if (equals >= 0)
            value = argument.mid(equals + 1);
        else if (i + 1 < arguments.size() && !arguments[i + 1].startsWith(QLatin1String("--")))
            value = arguments[++i];
        if (value.isEmpty())
            return invalid(
                option == QLatin1String("--saida")
                    ? QStringLiteral("a opção --saida precisa do nome do arquivo")
                    : QStringLiteral("a opção --setor precisa do setor: %1").arg(sectorNames()));

        if (option == QLatin1String("--saida")) {
            if (!request.outputPath.isEmpty())
                return invalid(QStringLiteral("a opção --saida foi dada mais de uma vez"));
            request.output = outputKindOf(value);
            if (request.output == OutputKind::None)
                return invalid(QStringLiteral("o arquivo de saída \"%1\" deve terminar em .xlsx "
                                              "(pasta de trabalho), .csv (tabela diária) ou "
                                              ".pdf (relatório)")
                                   .arg(value));
            request.outputPath = value;
        } else {
            const SectorDescriptor *sector = findSectorByCommandName(plainWord(value));
            if (!sector)
                return invalid(QStringLiteral("setor desconhecido: \"%1\"; os setores são %2")
                                   .arg(value, sectorNames()));
            if (!sectorsNamed)
                request.sectors = SectorSelection::none();
            sectorsNamed = true;
            request.sectors.add(sector->id);
        }
    }
    if (request.studyPath.isEmpty())
        return invalid(QStringLiteral("falta o estudo: tavi calcular ESTUDO.tavi"));
    // Each scenario's total adds every sector; one sector alone would be no scenario's demand.
    if (request.horizon && sectorsNamed)
        return invalid(QStringLiteral("a opção --setor não vale com --horizonte, que calcula "
                                      "todos os setores"));
    return parsed;
}

Arguments parseProject(const QStringList &arguments)
{
    Arguments parsed;
    parsed.command = Arguments::Command::Project;
    ProjectRequest &request = parsed.project;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (isHelp(argument)) {
            parsed.command = Arguments::Command::Help;
            return parsed;
        }
        if (!argument.startsWith(QLatin1String("--"))) {
            const QStringList parts = argument.split(QLatin1Char('='));
            bool yearRead = false;
            const int year = parts.value(0).trimmed().toInt(&yearRead);
            const std::optional<long double> population =
                parts.size() == 2 ? readPopulation(parts[1]) : std::nullopt;
            if (!yearRead || !population)
                return invalid(QStringLiteral("\"%1\" não é uma contagem ANO=POPULAÇÃO, como "
                                              "2010=62000")
                                   .arg(argument));
            request.counts.push_back({year, *population});
            continue;
        }
        const QString option = optionName(argument);
        if (option != QLatin1String("--ate") && option != QLatin1String("--saturacao"))
            return invalid(QStringLiteral("opção desconhecida: %1").arg(argument));
        const QString value = optionValue(arguments, i);
        if (option == QLatin1String("--ate")) {
            bool read = false;
            request.year = value.trimmed().toInt(&read);
            if (!read || request.year < projection::kFirstCountYear ||
                request.year > projection::kLastProjectedYear)
                return invalid(QStringLiteral("a opção --ate precisa de um ano de %1 a %2")
                                   .arg(projection::kFirstCountYear)
                                   .arg(projection::kLastProjectedYear));
        } else {
            request.saturation = readPopulation(value);
            if (!request.saturation || *request.saturation <= 0)
                return invalid(QStringLiteral("a opção --saturacao precisa de uma população "
                                              "positiva"));
        }
    }
    if (request.year == 0)
        return invalid(QStringLiteral("falta o ano da projeção: tavi projetar ANO=POP ANO=POP "
                                      "--ate ANO"));
    const QString problem = projection::countsProblem(request.counts);
    if (!problem.isEmpty())
        return invalid(problem);
    return parsed;
}

Arguments parseFlows(const QStringList &arguments)
{
    Arguments parsed;
    parsed.command = Arguments::Command::Flows;
    FlowsRequest &request = parsed.flows;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (isHelp(argument)) {
            parsed.command = Arguments::Command::Help;
            return parsed;
        }
        if (!argument.startsWith(QLatin1String("--"))) {
            if (!request.path.isEmpty())
                return invalid(
                    QStringLiteral("uma série de vazões só: \"%1\" está a mais").arg(argument));
            request.path = argument;
            continue;
        }
        if (optionName(argument) != QLatin1String("--inicio-ano-hidrologico"))
            return invalid(QStringLiteral("opção desconhecida: %1").arg(argument));
        const QString value = optionValue(arguments, i);
        bool read = false;
        request.firstMonth = value.trimmed().toInt(&read);
        if (!read || request.firstMonth < 1 || request.firstMonth > 12)
            return invalid(QStringLiteral("a opção --inicio-ano-hidrologico precisa do mês em "
                                          "que o ano começa, de 1 a 12"));
    }
    if (request.path.isEmpty())
        return invalid(QStringLiteral("falta a série de vazões: tavi vazoes ARQUIVO"));
    return parsed;
}

} // namespace

std::optional<long double> readPopulation(const QString &text)
{
    const QString t = text.trimmed();
    static const QRegularExpression grouped(QStringLiteral("^-?\\d{1,3}([.,])\\d{3}(\\1\\d{3})*$"));
    static const QRegularExpression plain(QStringLiteral("^-?\\d+([.,]\\d+)?$"));
    // Whole people: a separator before groups of three digits is a thousands separator.
    if (grouped.match(t).hasMatch())
        return QString(t).remove(QLatin1Char('.')).remove(QLatin1Char(',')).toDouble();
    if (plain.match(t).hasMatch())
        return QString(t).replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
    return std::nullopt;
}

bool wantsCommandLine(const QStringList &arguments)
{
    return !arguments.isEmpty() &&
           (arguments.first() == kCalculate || arguments.first() == kProject ||
            arguments.first() == kFlows || arguments.first().startsWith(QLatin1String("--")));
}

Arguments parseArguments(const QStringList &arguments)
{
    if (arguments.isEmpty())
        return invalid(QStringLiteral("falta o comando"));
    const QString &first = arguments.first();
    Arguments parsed;
    if (isHelp(first))
        parsed.command = Arguments::Command::Help;
    else if (isVersion(first))
        parsed.command = Arguments::Command::Version;
    else if (first == kCalculate)
        return parseCalculate(arguments);
    else if (first == kProject)
        return parseProject(arguments);
    else if (first == kFlows)
        return parseFlows(arguments);
    else if (first.startsWith(QLatin1Char('-')))
        return invalid(QStringLiteral("opção desconhecida: %1").arg(first));
    else
        return invalid(QStringLiteral("comando desconhecido: %1").arg(first));
    return parsed;
}

OutputKind outputKindOf(const QString &path)
{
    if (path.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive))
        return OutputKind::Workbook;
    if (path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        return OutputKind::Csv;
    if (path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        return OutputKind::Report;
    return OutputKind::None;
}

} // namespace tavi::cli
