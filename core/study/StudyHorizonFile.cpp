#include "core/study/StudyHorizonFile.h"

#include "core/numbers/StudyText.h"
#include "core/sectors/catalogue/HorizonKeys.h"
#include "core/sectors/catalogue/StudyKeys.h"
#include "core/study/StudyCaptions.h"
#include "core/study/StudyJson.h"

#include <QJsonArray>

namespace tavi::studyjson
{

namespace
{

// Far more than any plan types: counts since the first census, a herd or an area a year.
constexpr int kLongestDriverTable = 500;
constexpr int kWidestDriverTable = 20;

QJsonObject objectMember(const QJsonObject &object, const QString &name, const QString &member)
{
    const QJsonValue value = object.value(name);
    if (value.isUndefined())
        return QJsonObject();
    if (!value.isObject())
        failType(member, QStringLiteral("um objeto"), value);
    return value.toObject();
}

StudyGrid readDriverTable(const QJsonValue &value, const QString &member)
{
    if (!value.isArray())
        failType(member, QStringLiteral("uma lista de linhas"), value);
    const QJsonArray rows = value.toArray();
    if (rows.size() > kLongestDriverTable)
        fail(QStringLiteral("\"%1\" tem %2 linhas; o máximo é %3")
                 .arg(member)
                 .arg(rows.size())
                 .arg(kLongestDriverTable));
    StudyGrid table;
    for (int r = 0; r < rows.size(); ++r) {
        const QString rowMember = QStringLiteral("%1/%2").arg(member).arg(r + 1);
        if (!rows[r].isArray())
            failType(rowMember, QStringLiteral("uma lista de textos"), rows[r]);
        const QJsonArray cells = rows[r].toArray();
        if (cells.size() > kWidestDriverTable)
            fail(QStringLiteral("a linha %1 de \"%2\" tem %3 textos; o máximo é %4")
                     .arg(r + 1)
                     .arg(member)
                     .arg(cells.size())
                     .arg(kWidestDriverTable));
        StudyRow row;
        for (int c = 0; c < cells.size(); ++c)
            row << checkedCellText(cells[c], QStringLiteral("%1/%2").arg(rowMember).arg(c + 1));
        table << row;
    }
    return table;
}

// The window inputs a scenario replaces: only fields, grids and a series origin the window
// has, each checked as the window's own are.
WindowInputs readWindowOverride(const QJsonObject &object, const StudyWindowLayout &layout)
{
    const QString member = QStringLiteral("janelas/") + layout.name;
    WindowInputs inputs;
    for (auto m = object.constBegin(); m != object.constEnd(); ++m) {
        const QString name = m.key();
        const QString path = member + QLatin1Char('/') + name;
        if (std::find(layout.fields.begin(), layout.fields.end(), name) != layout.fields.end()) {
            const QString text = checkedCellText(m.value(), path);
            if (!isFieldStudyText(text))
                fail(QStringLiteral("o campo \"%1\" deveria conter um número, mas contém \"%2\"")
                         .arg(studyMemberCaption(path), text));
            inputs.fields[name] = text;
            continue;
        }
        const auto grid =
            std::find_if(layout.grids.begin(), layout.grids.end(),
                         [&name](const StudyGridLayout &g) { return g.name == name; });
        if (grid != layout.grids.end()) {
            bool shortened = false;
            inputs.grids[name] =
                readGrid(m.value(), *grid, path,
                         defaultStudy().windows.value(layout.name).grids.value(name), &shortened);
            continue;
        }
        if (layout.keepsSeriesOrigin && name == kSeriesOriginMember) {
            inputs.seriesOrigin = readSeriesOrigin(object, path);
            continue;
        }
        fail(QStringLiteral("\"%1\" não é um dado da janela %2")
                 .arg(name, studyWindowCaption(layout.name)));
    }
    return inputs;
}

Scenario readScenario(const QJsonValue &value, const QString &member)
{
    if (!value.isObject())
        failType(member, QStringLiteral("um objeto"), value);
    const QJsonObject object = value.toObject();
    Scenario scenario;
    const QJsonValue name = object.value(keys::kScenarioName);
    if (name.isUndefined())
        fail(QStringLiteral("um cenário do horizonte não tem nome"));
    scenario.name = checkedCellText(name, member + QStringLiteral("/nome"));
    try {
        const QJsonObject drivers = objectMember(object, keys::kScenarioDrivers,
                                                 member + QStringLiteral("/direcionadores"));
        for (auto d = drivers.constBegin(); d != drivers.constEnd(); ++d)
            scenario.inputs.drivers[d.key()] =
                checkedCellText(d.value(), member + QStringLiteral("/direcionadores/") + d.key());
        const QJsonObject tables =
            objectMember(object, keys::kScenarioTables, member + QStringLiteral("/tabelas"));
        for (auto t = tables.constBegin(); t != tables.constEnd(); ++t)
            scenario.inputs.tables[t.key()] =
                readDriverTable(t.value(), member + QStringLiteral("/tabelas/") + t.key());
        const QJsonObject windows =
            objectMember(object, keys::kScenarioWindows, member + QStringLiteral("/janelas"));
        for (auto w = windows.constBegin(); w != windows.constEnd(); ++w) {
            const StudyWindowLayout *layout = findWindowLayout(w.key());
            if (!layout)
                fail(QStringLiteral("\"%1\" não é uma janela do TAVI").arg(w.key()));
            if (!w.value().isObject())
                failType(QStringLiteral("janelas/") + w.key(), QStringLiteral("um objeto"),
                         w.value());
            scenario.inputs.windows[w.key()] = readWindowOverride(w.value().toObject(), *layout);
        }
    } catch (const StudyFormatError &error) {
        fail(QStringLiteral("no cenário \"%1\" do horizonte, %2")
                 .arg(scenario.name, error.message()));
    }
    return scenario;
}

void appendTextMember(QByteArray &out, const char *indent, const QString &name, const QString &text,
                      bool first)
{
    out += first ? "\n" : ",\n";
    out += indent;
    appendString(out, name);
    out += ": ";
    appendString(out, text);
}

void appendWindowOverride(QByteArray &out, const StudyWindowLayout &layout,
                          const WindowInputs &inputs)
{
    out += '{';
    bool first = true;
    auto member = [&out, &first](const QString &name) {
        out += first ? "\n          " : ",\n          ";
        first = false;
        appendString(out, name);
        out += ": ";
    };
    for (const QString &field : layout.fields) {
        if (inputs.fields.contains(field)) {
            member(field);
            appendString(out, inputs.fields.value(field));
        }
    }
    for (const StudyGridLayout &grid : layout.grids) {
        if (inputs.grids.contains(grid.name)) {
            member(grid.name);
            appendGrid(out, inputs.grids.value(grid.name));
        }
    }
    if (layout.keepsSeriesOrigin && inputs.seriesOrigin) {
        member(kSeriesOriginMember);
        appendSeriesOrigin(out, *inputs.seriesOrigin);
    }
    out += "\n        }";
}

} // namespace

std::optional<StudyHorizon> readHorizon(const QJsonObject &root)
{
    const QJsonValue value = root.value(keys::kHorizon);
    if (value.isUndefined())
        return std::nullopt;
    const QString member = keys::kHorizon;
    if (!value.isObject())
        failType(member, QStringLiteral("um objeto"), value);
    const QJsonObject object = value.toObject();
    StudyHorizon horizon;
    // A year left out reads as one left empty: the horizon window says what is missing.
    auto year = [&object, &member](const QString &name) {
        const QJsonValue text = object.value(name);
        return text.isUndefined() ? QString()
                                  : checkedCellText(text, member + QLatin1Char('/') + name);
    };
    horizon.baseYear = year(keys::kBaseYear);
    horizon.finalYear = year(keys::kFinalYear);
    const QString scenariosMember = member + QLatin1Char('/') + keys::kScenarios;
    const QJsonValue scenarios = object.value(keys::kScenarios);
    if (!scenarios.isArray())
        failType(scenariosMember, QStringLiteral("uma lista de cenários"), scenarios);
    const QJsonArray list = scenarios.toArray();
    for (int s = 0; s < list.size(); ++s) {
        Scenario scenario =
            readScenario(list[s], QStringLiteral("%1/%2").arg(scenariosMember).arg(s + 1));
        const QString problem = scenarioNameProblem(horizon, scenario.name);
        if (!problem.isEmpty())
            fail(QStringLiteral("o horizonte tem cenários de mesmo nome (\"%1\")")
                     .arg(scenario.name.trimmed()));
        horizon.scenarios.push_back(scenario);
    }
    // Every other scenario follows the base: without it there is nothing to follow.
    if (horizon.scenarios.empty() || horizon.scenarios.front().name != keys::kBaseScenario)
        fail(QStringLiteral("o primeiro cenário do horizonte deveria ser \"%1\"")
                 .arg(keys::kBaseScenario));
    return horizon;
}

void appendHorizon(QByteArray &out, const StudyHorizon &horizon)
{
    out += ",\n  ";
    appendString(out, keys::kHorizon);
    out += ": {";
    appendTextMember(out, "    ", keys::kBaseYear, horizon.baseYear, true);
    appendTextMember(out, "    ", keys::kFinalYear, horizon.finalYear, false);
    out += ",\n    ";
    appendString(out, keys::kScenarios);
    out += ": [";
    for (std::size_t s = 0; s < horizon.scenarios.size(); ++s) {
        const Scenario &scenario = horizon.scenarios[s];
        out += s ? ", {" : "{";
        appendTextMember(out, "      ", keys::kScenarioName, scenario.name, true);
        out += ",\n      ";
        appendString(out, keys::kScenarioDrivers);
        out += ": {";
        bool first = true;
        for (auto d = scenario.inputs.drivers.cbegin(); d != scenario.inputs.drivers.cend(); ++d) {
            appendTextMember(out, "        ", d.key(), d.value(), first);
            first = false;
        }
        out += first ? "}" : "\n      }";
        out += ",\n      ";
        appendString(out, keys::kScenarioTables);
        out += ": {";
        first = true;
        for (auto t = scenario.inputs.tables.cbegin(); t != scenario.inputs.tables.cend(); ++t) {
            out += first ? "\n        " : ",\n        ";
            first = false;
            appendString(out, t.key());
            out += ": ";
            appendGrid(out, t.value());
        }
        out += first ? "}" : "\n      }";
        out += ",\n      ";
        appendString(out, keys::kScenarioWindows);
        out += ": {";
        first = true;
        for (const StudyWindowLayout &layout : studyLayout()) {
            if (!scenario.inputs.windows.contains(layout.name))
                continue;
            out += first ? "\n        " : ",\n        ";
            first = false;
            appendString(out, layout.name);
            out += ": ";
            appendWindowOverride(out, layout, scenario.inputs.windows.value(layout.name));
        }
        out += first ? "}" : "\n      }";
        out += "\n    }";
    }
    out += "]\n  }";
}

} // namespace tavi::studyjson
