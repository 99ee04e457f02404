#include "cli/Arguments.h"

#include "core/sectors/catalogue/Sectors.h"

#include <QRegularExpression>

#include <functional>
#include <utility>

namespace tavi::cli
{

namespace
{

const QString kCalculate = QStringLiteral("calcular");
const QString kProject = QStringLiteral("projetar");
const QString kFlows = QStringLiteral("vazoes");
const QString kRegion = QStringLiteral("regiao");
// The region file's extension, as core/region/RegionFile.h has it; the arguments are read
// before anything of core's region is needed.
const char *const kRegionSuffix = "tavi-regiao";
// The years a public table may be read for: the sanitation system's series begin in the
// nineties, and no table names a year far ahead.
constexpr int kFirstTableYear = 1970;
constexpr int kLastTableYear = 2100;

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

// What a command does with one of its arguments: takes it (an option with its value, moving
// `i` past the value when that is the next argument), or says why it cannot.
using ArgumentTaker = std::function<QString(const QStringList &arguments, int &i)>;

// Hands a command's arguments one by one to `take`. "--ajuda" among them makes the whole the
// help; the first problem makes it that problem. Returns whether every argument was taken.
bool takeArguments(const QStringList &arguments, Arguments &parsed, const ArgumentTaker &take)
{
    for (int i = 1; i < arguments.size(); ++i) {
        if (isHelp(arguments[i])) {
            parsed.command = Arguments::Command::Help;
            return false;
        }
        const QString problem = take(arguments, i);
        if (!problem.isEmpty()) {
            parsed = invalid(problem);
            return false;
        }
    }
    return true;
}

Arguments parseProject(const QStringList &arguments)
{
    Arguments parsed;
    parsed.command = Arguments::Command::Project;
    ProjectRequest &request = parsed.project;
    const auto take = [&request](const QStringList &arguments, int &i) -> QString {
        const QString &argument = arguments[i];
        if (!argument.startsWith(QLatin1String("--"))) {
            const QStringList parts = argument.split(QLatin1Char('='));
            bool yearRead = false;
            const int year = parts.value(0).trimmed().toInt(&yearRead);
            const std::optional<long double> population =
                parts.size() == 2 ? readPopulation(parts[1]) : std::nullopt;
            if (!yearRead || !population)
                return QStringLiteral("\"%1\" não é uma contagem ANO=POPULAÇÃO, como 2010=62000")
                    .arg(argument);
            request.counts.push_back({year, *population});
            return QString();
        }
        const QString option = optionName(argument);
        if (option != QLatin1String("--ate") && option != QLatin1String("--saturacao"))
            return QStringLiteral("opção desconhecida: %1").arg(argument);
        const QString value = optionValue(arguments, i);
        if (option == QLatin1String("--ate")) {
            bool read = false;
            request.year = value.trimmed().toInt(&read);
            if (!read || request.year < projection::kFirstCountYear ||
                request.year > projection::kLastProjectedYear)
                return QStringLiteral("a opção --ate precisa de um ano de %1 a %2")
                    .arg(projection::kFirstCountYear)
                    .arg(projection::kLastProjectedYear);
        } else {
            request.saturation = readPopulation(value);
            if (!request.saturation || *request.saturation <= 0)
                return QStringLiteral("a opção --saturacao precisa de uma população positiva");
        }
        return QString();
    };
    if (!takeArguments(arguments, parsed, take))
        return parsed;
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
    const auto take = [&request](const QStringList &arguments, int &i) -> QString {
        const QString &argument = arguments[i];
        if (!argument.startsWith(QLatin1String("--"))) {
            if (!request.path.isEmpty())
                return QStringLiteral("uma série de vazões só: \"%1\" está a mais").arg(argument);
            request.path = argument;
            return QString();
        }
        if (optionName(argument) != QLatin1String("--inicio-ano-hidrologico"))
            return QStringLiteral("opção desconhecida: %1").arg(argument);
        const QString value = optionValue(arguments, i);
        bool read = false;
        request.firstMonth = value.trimmed().toInt(&read);
        if (!read || request.firstMonth < 1 || request.firstMonth > 12)
            return QStringLiteral("a opção --inicio-ano-hidrologico precisa do mês em que o ano "
                                  "começa, de 1 a 12");
        return QString();
    };
    if (!takeArguments(arguments, parsed, take))
        return parsed;
    if (request.path.isEmpty())
        return invalid(QStringLiteral("falta a série de vazões: tavi vazoes ARQUIVO"));
    return parsed;
}

// `tavi regiao ARQUIVO.tavi-regiao [--saida X]`.
Arguments regionToCompute(Arguments parsed, const QStringList &files)
{
    RegionRequest &request = parsed.region;
    const std::pair<const char *, const QString *> creating[] = {
        {"--modelo", &request.templatePath},
        {"--grupos", &request.groupsPath},
        {"--vazoes", &request.flowsPath}};
    for (const auto &[name, value] : creating)
        if (!value->isEmpty())
            return invalid(
                QStringLiteral("a opção %1 só vale com --criar").arg(QLatin1String(name)));
    if (request.year != 0)
        return invalid(QStringLiteral("a opção --ano só vale com --criar"));
    if (files.isEmpty())
        return invalid(QStringLiteral("falta a região: tavi regiao ARQUIVO.tavi-regiao"));
    if (files.size() > 1)
        return invalid(
            QStringLiteral("só uma região por vez: \"%1\" e \"%2\"").arg(files[0], files[1]));
    request.regionPath = files.first();
    if (!request.outputPath.isEmpty()) {
        request.output = outputKindOf(request.outputPath);
        if (request.output == OutputKind::None)
            return invalid(QStringLiteral("o arquivo de saída \"%1\" deve terminar em .xlsx "
                                          "(pasta de trabalho), .csv (uma linha por município) "
                                          "ou .pdf (relatório)")
                               .arg(request.outputPath));
    }
    return parsed;
}

// `tavi regiao --criar ARQUIVO.tavi-regiao --modelo ESTUDO.tavi TABELA.csv...`.
Arguments regionToCreate(Arguments parsed, const QStringList &files)
{
    RegionRequest &request = parsed.region;
    if (!request.outputPath.isEmpty())
        return invalid(QStringLiteral("a opção --saida não vale com --criar; calcule a região "
                                      "criada com tavi regiao ARQUIVO.tavi-regiao --saida "
                                      "ARQUIVO"));
    // The name decides what the file is taken for: a study given here by mistake would be
    // written over with a region.
    if (!request.regionPath.endsWith(QLatin1Char('.') + QLatin1String(kRegionSuffix),
                                     Qt::CaseInsensitive))
        return invalid(QStringLiteral("a região a criar deve terminar em .%1: \"%2\"")
                           .arg(QLatin1String(kRegionSuffix), request.regionPath));
    if (request.templatePath.isEmpty())
        return invalid(QStringLiteral("falta o estudo modelo: --modelo ESTUDO.tavi"));
    if (files.isEmpty())
        return invalid(QStringLiteral("faltam as tabelas: tavi regiao --criar "
                                      "ARQUIVO.tavi-regiao --modelo ESTUDO.tavi TABELA.csv"));
    request.tables = files;
    return parsed;
}

Arguments parseRegion(const QStringList &arguments)
{
    Arguments parsed;
    parsed.command = Arguments::Command::Region;
    RegionRequest &request = parsed.region;
    QStringList files;
    bool optionsEnded = false;
    const auto take = [&](const QStringList &arguments, int &i) -> QString {
        const QString &argument = arguments[i];
        if (optionsEnded || !argument.startsWith(QLatin1Char('-')) || argument.size() == 1) {
            files << argument;
            return QString();
        }
        if (argument == QLatin1String("--")) {
            optionsEnded = true;
            return QString();
        }
        const QString option = optionName(argument);
        const struct {
            const char *name;
            QString *value;
        } paths[] = {{"--criar", &request.regionPath},
                     {"--modelo", &request.templatePath},
                     {"--grupos", &request.groupsPath},
                     {"--vazoes", &request.flowsPath},
                     {"--saida", &request.outputPath}};
        for (const auto &path : paths) {
            if (option != QLatin1String(path.name))
                continue;
            const QString value = optionValue(arguments, i);
            if (value.isEmpty() || (value.startsWith(QLatin1String("--")) && value.size() > 2))
                return QStringLiteral("a opção %1 precisa do nome do arquivo").arg(option);
            if (!path.value->isEmpty())
                return QStringLiteral("a opção %1 foi dada mais de uma vez").arg(option);
            *path.value = value;
            if (option == QLatin1String("--criar"))
                request.create = true;
            return QString();
        }
        if (option == QLatin1String("--ano")) {
            bool read = false;
            request.year = optionValue(arguments, i).trimmed().toInt(&read);
            if (!read || request.year < kFirstTableYear || request.year > kLastTableYear)
                return QStringLiteral("a opção --ano precisa de um ano de %1 a %2")
                    .arg(kFirstTableYear)
                    .arg(kLastTableYear);
            return QString();
        }
        return QStringLiteral("opção desconhecida: %1").arg(argument);
    };
    if (!takeArguments(arguments, parsed, take))
        return parsed;
    if (!request.create)
        return regionToCompute(parsed, files);
    return regionToCreate(parsed, files);
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
            arguments.first() == kFlows || plainWord(arguments.first()) == kRegion ||
            arguments.first().startsWith(QLatin1String("--")));
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
    else if (plainWord(first) == kRegion)
        return parseRegion(arguments);
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
