#include "core/region/RegionFile.h"

#include "core/files/WholeFileWrite.h"
#include "core/numbers/StudyText.h"
#include "core/region/MunicipalityCode.h"
#include "core/study/StudyBalanceFile.h"
#include "core/study/StudyCaptions.h"
#include "core/study/StudyHorizonFile.h"
#include "core/study/StudyJson.h"

#include <QDir>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace tavi::region
{

namespace
{

using namespace studyjson;

const QString kFormatName = QStringLiteral("tavi-regiao");

[[noreturn]] void failRegion(const QString &reason)
{
    throw RegionFormatError(reason);
}

[[noreturn]] void failType(const QString &member, const QString &expected, const QJsonValue &value)
{
    failRegion(
        QStringLiteral("%1: deveria ser %2, mas é %3").arg(member, expected, typeName(value)));
}

const FileKind &regionKind()
{
    static const FileKind kind{
        kFormatName,
        kRegionFileVersion,
        kLargestRegionFile,
        QStringLiteral("uma região"),
        QStringLiteral("da região"),
        QStringLiteral("a região foi gravada na versão %1 do formato, mais nova do que esta "
                       "versão do programa sabe ler (%2); abra-a com uma versão mais nova do TAVI"),
        failRegion,
        failType,
    };
    return kind;
}

QMap<QString, QString> readTexts(const QJsonObject &object, const QString &name,
                                 const QString &member)
{
    QMap<QString, QString> texts;
    const QJsonValue value = object.value(name);
    if (value.isUndefined())
        return texts;
    if (!value.isObject())
        failType(member, QStringLiteral("um objeto"), value);
    const QJsonObject inner = value.toObject();
    for (auto i = inner.constBegin(); i != inner.constEnd(); ++i)
        texts.insert(i.key(),
                     readText(inner, i.key(), member + QLatin1Char('/') + i.key(), regionKind()));
    return texts;
}

// A municipality's overrides of one window: only the members it changes.
void readWindowOverrides(const QJsonObject &object, const StudyWindowLayout &layout,
                         const Study &templateStudy, const QString &member,
                         StudyOverrides &overrides)
{
    const WindowInputs defaults = windowInputs(templateStudy, layout.name);
    for (auto i = object.constBegin(); i != object.constEnd(); ++i) {
        const QString &name = i.key();
        const QString inner = QStringLiteral("janelas/") + layout.name + QLatin1Char('/') + name;
        if (std::find(layout.fields.begin(), layout.fields.end(), name) != layout.fields.end()) {
            const QString text = checkedCellText(*i, inner);
            if (!isFieldStudyText(text))
                failRegion(
                    QStringLiteral("%1: o campo \"%2\" deveria conter um número, mas "
                                   "contém \"%3\"")
                        .arg(member + QLatin1Char('/') + name, studyMemberCaption(inner), text));
            overrides.fields[layout.name][name] = text;
            continue;
        }
        const auto grid = std::find_if(layout.grids.begin(), layout.grids.end(),
                                       [&](const StudyGridLayout &g) { return g.name == name; });
        if (grid != layout.grids.end()) {
            // A grid given in part takes the rest from the template's, or from a fresh window's
            // where a template made in the program lacks rows.
            StudyGrid base = defaults.grids.value(name);
            if (base.size() < grid->rows)
                base = defaultStudy().windows.value(layout.name).grids.value(name);
            bool shortened = false;
            overrides.grids[layout.name][name] = readGrid(*i, *grid, inner, base, &shortened);
            continue;
        }
        if (layout.keepsSeriesOrigin && name == kSeriesOriginMember) {
            // null: the series was typed over the one the template took from a station.
            overrides.seriesOrigins[layout.name] =
                i->isNull() ? std::nullopt : readSeriesOrigin(object, inner);
            continue;
        }
        failRegion(QStringLiteral("%1: a janela \"%2\" não tem o membro \"%3\"")
                       .arg(member, studyWindowCaption(layout.name), name));
    }
}

Municipality readMunicipality(const QJsonValue &value, const Study &templateStudy,
                              const QString &member)
{
    if (!value.isObject())
        failType(member, QStringLiteral("um objeto"), value);
    const QJsonObject object = value.toObject();
    Municipality municipality;
    const QString codeMember = member + QStringLiteral("/codigo");
    const QJsonValue code = object.value(QStringLiteral("codigo"));
    if (code.isUndefined())
        failRegion(QStringLiteral("%1: falta o código do município").arg(member));
    municipality.code = readText(object, QStringLiteral("codigo"), codeMember, regionKind());
    const std::optional<MunicipalityCode> checked = MunicipalityCode::fromText(municipality.code);
    if (!checked || checked->code() != municipality.code)
        failRegion(QStringLiteral("%1: \"%2\" não é um código de município do IBGE")
                       .arg(codeMember, municipality.code));
    municipality.name =
        readText(object, QStringLiteral("nome"), member + QStringLiteral("/nome"), regionKind());
    municipality.state =
        readText(object, QStringLiteral("uf"), member + QStringLiteral("/uf"), regionKind());
    municipality.group =
        readText(object, QStringLiteral("grupo"), member + QStringLiteral("/grupo"), regionKind());
    municipality.sources =
        readTexts(object, QStringLiteral("origens"), member + QStringLiteral("/origens"));
    municipality.notAvailable = readTexts(object, QStringLiteral("indisponiveis"),
                                          member + QStringLiteral("/indisponiveis"));
    municipality.referenceFlow =
        readText(object, QStringLiteral("vazao_referencia"),
                 member + QStringLiteral("/vazao_referencia"), regionKind());
    if (!municipality.referenceFlow.isEmpty() && !isFieldStudyText(municipality.referenceFlow))
        failRegion(QStringLiteral("%1/vazao_referencia: \"%2\" não é um número")
                       .arg(member, municipality.referenceFlow));
    municipality.referenceFlowSource =
        readText(object, QStringLiteral("origem_vazao"), member + QStringLiteral("/origem_vazao"),
                 regionKind());

    const QJsonValue windows = object.value(QStringLiteral("janelas"));
    if (!windows.isUndefined() && !windows.isObject())
        failType(member + QStringLiteral("/janelas"), QStringLiteral("um objeto"), windows);
    const QJsonObject windowsObject = windows.toObject();
    try {
        for (auto w = windowsObject.constBegin(); w != windowsObject.constEnd(); ++w) {
            const QString windowMember = member + QStringLiteral("/janelas/") + w.key();
            const StudyWindowLayout *layout = findWindowLayout(w.key());
            if (!layout)
                failRegion(QStringLiteral("%1: não há janela com este nome").arg(windowMember));
            if (!w->isObject())
                failType(windowMember, QStringLiteral("um objeto"), *w);
            readWindowOverrides(w->toObject(), *layout, templateStudy, windowMember,
                                municipality.overrides);
        }
        municipality.overrides.horizon = readHorizon(object);
        municipality.overrides.balance = readBalance(object);
    } catch (const StudyFormatError &error) {
        // The study's pieces name the member within the study; the region names the
        // municipality it belongs to.
        failRegion(
            QStringLiteral("%1 (%2): %3").arg(member, municipality.displayName(), error.message()));
    }
    return municipality;
}

void appendMember(QByteArray &out, const char *name, const QString &text)
{
    out += ",\n      \"";
    out += name;
    out += "\": ";
    appendString(out, text);
}

void appendTexts(QByteArray &out, const char *name, const QMap<QString, QString> &texts)
{
    if (texts.isEmpty())
        return;
    out += ",\n      \"";
    out += name;
    out += "\": {";
    for (auto i = texts.cbegin(); i != texts.cend(); ++i) {
        out += i == texts.cbegin() ? "\n        " : ",\n        ";
        appendString(out, i.key());
        out += ": ";
        appendString(out, i.value());
    }
    out += "\n      }";
}

void appendOverrides(QByteArray &out, const StudyOverrides &overrides)
{
    bool firstWindow = true;
    for (const StudyWindowLayout &layout : studyLayout()) {
        const QMap<QString, QString> fields = overrides.fields.value(layout.name);
        const QMap<QString, StudyGrid> grids = overrides.grids.value(layout.name);
        const auto origin = overrides.seriesOrigins.constFind(layout.name);
        const bool hasOrigin = origin != overrides.seriesOrigins.constEnd();
        if (fields.isEmpty() && grids.isEmpty() && !hasOrigin)
            continue;
        out += firstWindow ? ",\n      \"janelas\": {\n        " : ",\n        ";
        firstWindow = false;
        appendString(out, layout.name);
        out += ": {";
        bool firstMember = true;
        auto member = [&](const QString &name) {
            out += firstMember ? "\n          " : ",\n          ";
            firstMember = false;
            appendString(out, name);
            out += ": ";
        };
        for (const QString &field : layout.fields) {
            const auto text = fields.constFind(field);
            if (text != fields.constEnd()) {
                member(field);
                appendString(out, *text);
            }
        }
        for (const StudyGridLayout &grid : layout.grids) {
            const auto rows = grids.constFind(grid.name);
            if (rows != grids.constEnd()) {
                member(grid.name);
                appendGrid(out, *rows);
            }
        }
        if (hasOrigin) {
            member(kSeriesOriginMember);
            if (*origin)
                appendSeriesOrigin(out, **origin);
            else
                out += "null";
        }
        out += "\n        }";
    }
    if (!firstWindow)
        out += "\n      }";
    if (overrides.horizon)
        appendHorizon(out, *overrides.horizon);
    if (overrides.balance)
        appendBalance(out, *overrides.balance);
}

QString openFailure(const QString &path, const QString &reason)
{
    return QStringLiteral("Não foi possível abrir a região \"%1\": %2.")
        .arg(QDir::toNativeSeparators(path), reason);
}

} // namespace

RegionReading readRegion(const QByteArray &content)
{
    const QJsonObject root = parseFile(content, regionKind());
    checkHeader(root, regionKind());
    RegionReading reading;
    Region &region = reading.region;
    region.name = readText(root, QStringLiteral("nome"), QStringLiteral("nome"), regionKind());
    region.notes = readText(root, QStringLiteral("notas"), QStringLiteral("notas"), regionKind());
    reading.originalPath =
        readText(root, QStringLiteral("arquivo"), QStringLiteral("arquivo"), regionKind());

    const QJsonValue model = root.value(QStringLiteral("modelo"));
    if (model.isUndefined())
        failRegion(QStringLiteral("falta o membro \"modelo\", o estudo modelo da região"));
    if (!model.isObject())
        failType(QStringLiteral("modelo"), QStringLiteral("um objeto"), model);
    try {
        region.templateStudy =
            readStudy(QJsonDocument(model.toObject()).toJson(QJsonDocument::Compact)).study;
    } catch (const StudyFormatError &error) {
        failRegion(QStringLiteral("modelo: ") + error.message());
    }

    const QJsonValue list = root.value(QStringLiteral("municipios"));
    if (list.isUndefined())
        failRegion(QStringLiteral("falta o membro \"municipios\""));
    if (!list.isArray())
        failType(QStringLiteral("municipios"), QStringLiteral("uma lista"), list);
    const QJsonArray municipalities = list.toArray();
    region.municipalities.reserve(std::size_t(municipalities.size()));
    QHash<QString, int> seen;
    for (qsizetype i = 0; i < municipalities.size(); ++i) {
        const QString member = QStringLiteral("municipios[%1]").arg(i);
        Municipality municipality =
            readMunicipality(municipalities[i], region.templateStudy, member);
        const auto earlier = seen.constFind(municipality.code);
        if (earlier != seen.constEnd())
            failRegion(QStringLiteral("%1/codigo: o município %2 (%3) já está em municipios[%4]")
                           .arg(member, municipality.code, municipality.displayName())
                           .arg(*earlier));
        seen.insert(municipality.code, int(i));
        region.municipalities.push_back(std::move(municipality));
    }
    return reading;
}

QByteArray writeRegion(const Region &region, const QString &originalPath)
{
    QByteArray out;
    out.reserve(64 * 1024 + int(region.municipalities.size()) * 512);
    out += "{\n  \"formato\": ";
    appendString(out, kFormatName);
    out += ",\n  \"versao\": " + QByteArray::number(kRegionFileVersion);
    out += ",\n  \"nome\": ";
    appendString(out, region.name);
    out += ",\n  \"notas\": ";
    appendString(out, region.notes);
    if (!originalPath.isEmpty()) {
        out += ",\n  \"arquivo\": ";
        appendString(out, originalPath);
    }
    // The template as a study file writes it, so that it reads as one.
    QByteArray model = writeStudy(region.templateStudy).trimmed();
    model.replace("\n", "\n  ");
    out += ",\n  \"modelo\": ";
    out += model;
    out += ",\n  \"municipios\": [";
    for (std::size_t i = 0; i < region.municipalities.size(); ++i) {
        const Municipality &municipality = region.municipalities[i];
        out += i ? ",\n    {\n      \"codigo\": " : "\n    {\n      \"codigo\": ";
        appendString(out, municipality.code);
        appendMember(out, "nome", municipality.name);
        appendMember(out, "uf", municipality.state);
        if (!municipality.group.isEmpty())
            appendMember(out, "grupo", municipality.group);
        appendOverrides(out, municipality.overrides);
        appendTexts(out, "origens", municipality.sources);
        appendTexts(out, "indisponiveis", municipality.notAvailable);
        if (!municipality.referenceFlow.isEmpty())
            appendMember(out, "vazao_referencia", municipality.referenceFlow);
        if (!municipality.referenceFlowSource.isEmpty())
            appendMember(out, "origem_vazao", municipality.referenceFlowSource);
        out += "\n    }";
    }
    out += region.municipalities.empty() ? "]" : "\n  ]";
    out += "\n}\n";
    return out;
}

RegionReading loadRegionFile(const QString &path)
{
    QByteArray content;
    const QString problem = readFileContent(path, regionKind(), &content);
    if (!problem.isEmpty())
        throw TaviError(openFailure(path, problem));
    try {
        return readRegion(content);
    } catch (const RegionFormatError &error) {
        throw TaviError(openFailure(path, error.message()));
    }
}

void saveRegionFile(const QString &path, const Region &region)
{
    const QString problem = writeWholeFile(path, writeRegion(region));
    if (!problem.isEmpty())
        throw TaviError(QStringLiteral("Não foi possível salvar a região \"%1\": %2.")
                            .arg(QDir::toNativeSeparators(path), problem));
}

} // namespace tavi::region
