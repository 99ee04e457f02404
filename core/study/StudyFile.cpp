#include "core/study/StudyFile.h"

#include "core/files/WholeFileWrite.h"
#include "core/numbers/StudyText.h"
#include "core/study/StudyBalanceFile.h"
#include "core/study/StudyCaptions.h"
#include "core/study/StudyHorizonFile.h"
#include "core/study/StudyJson.h"
#include "core/tables/CellTable.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>

namespace tavi
{

namespace
{

using namespace studyjson;

const QString kFormatName = QStringLiteral("tavi-estudo");

QString parseProblem(QJsonParseError::ParseError error)
{
    switch (error) {
    case QJsonParseError::UnterminatedObject:
        return QStringLiteral("um objeto não foi fechado");
    case QJsonParseError::MissingNameSeparator:
        return QStringLiteral("falta \":\" depois do nome de um membro");
    case QJsonParseError::UnterminatedArray:
        return QStringLiteral("uma lista não foi fechada");
    case QJsonParseError::MissingValueSeparator:
        return QStringLiteral("falta \",\" entre dois valores");
    case QJsonParseError::IllegalValue:
        return QStringLiteral("há um valor inválido");
    case QJsonParseError::TerminationByNumber:
        return QStringLiteral("o texto termina no meio de um número");
    case QJsonParseError::IllegalNumber:
        return QStringLiteral("há um número inválido");
    case QJsonParseError::IllegalEscapeSequence:
        return QStringLiteral("há uma sequência de escape inválida");
    case QJsonParseError::IllegalUTF8String:
        return QStringLiteral("há um texto com UTF-8 inválido");
    case QJsonParseError::UnterminatedString:
        return QStringLiteral("um texto não foi fechado");
    case QJsonParseError::MissingObject:
        return QStringLiteral("o conteúdo não é um objeto JSON");
    case QJsonParseError::DeepNesting:
        return QStringLiteral("há níveis demais de listas e objetos");
    case QJsonParseError::DocumentTooLarge:
        return QStringLiteral("o documento é grande demais");
    case QJsonParseError::GarbageAtEnd:
        return QStringLiteral("há conteúdo depois do fim do estudo");
    case QJsonParseError::NoError:
        break;
    }
    return QStringLiteral("o conteúdo não é JSON válido");
}

const FileKind &studyKind()
{
    static const FileKind kind{
        kFormatName,
        kStudyFileVersion,
        kLargestStudyFile,
        QStringLiteral("um estudo"),
        QStringLiteral("do estudo"),
        QStringLiteral("o estudo foi gravado na versão %1 do formato, mais nova do que esta "
                       "versão do programa sabe ler (%2); abra-o com uma versão mais nova do TAVI"),
        fail,
        failType,
        parseProblem,
    };
    return kind;
}

WindowInputs readWindow(const QJsonObject &object, const StudyWindowLayout &layout,
                        const QString &member, QStringList *defaulted)
{
    const WindowInputs defaults = defaultStudy().windows.value(layout.name);
    WindowInputs inputs = defaults;
    QStringList missing;
    for (const QString &field : layout.fields) {
        const QJsonValue value = object.value(field);
        const QString fieldMember = member + QLatin1Char('/') + field;
        if (value.isUndefined()) {
            missing << studyMemberCaptionWithinWindow(fieldMember);
            continue;
        }
        const QString text = checkedCellText(value, fieldMember);
        if (!isFieldStudyText(text))
            fail(QStringLiteral("o campo \"%1\" deveria conter um número, mas contém \"%2\"")
                     .arg(studyMemberCaption(fieldMember), text));
        inputs.fields[field] = text;
    }
    for (const StudyGridLayout &grid : layout.grids) {
        const QJsonValue value = object.value(grid.name);
        if (value.isUndefined()) {
            missing << studyMemberCaptionWithinWindow(member + QLatin1Char('/') + grid.name);
            continue;
        }
        bool shortened = false;
        inputs.grids[grid.name] = readGrid(value, grid, member + QLatin1Char('/') + grid.name,
                                           defaults.grids.value(grid.name), &shortened);
        if (shortened)
            missing << QStringLiteral("%1 (linhas %2 a %3)")
                           .arg(studyMemberCaptionWithinWindow(member + QLatin1Char('/') +
                                                               grid.name))
                           .arg(value.toArray().size() + 1)
                           .arg(grid.rows);
    }
    if (layout.keepsSeriesOrigin)
        inputs.seriesOrigin =
            readSeriesOrigin(object, member + QLatin1Char('/') + kSeriesOriginMember);
    if (!missing.isEmpty())
        *defaulted << studyWindowCaption(layout.name) + QStringLiteral(": ") +
                          missing.join(QStringLiteral("; "));
    return inputs;
}

} // namespace

StudyReading readStudy(const QByteArray &content)
{
    const QJsonObject root = parseFile(content, studyKind());
    checkHeader(root, studyKind());
    StudyReading reading;
    reading.study.name =
        readText(root, QStringLiteral("nome"), QStringLiteral("nome"), studyKind());
    reading.study.notes =
        readText(root, QStringLiteral("notas"), QStringLiteral("notas"), studyKind());
    reading.originalPath =
        readText(root, QStringLiteral("arquivo"), QStringLiteral("arquivo"), studyKind());
    const QJsonValue region = root.value(QStringLiteral("regiao"));
    if (!region.isUndefined()) {
        if (!region.isObject())
            failType(QStringLiteral("regiao"), QStringLiteral("um objeto"), region);
        StudyRegionLink link;
        link.regionPath = readText(region.toObject(), QStringLiteral("arquivo"),
                                   QStringLiteral("regiao/arquivo"), studyKind());
        link.code = readText(region.toObject(), QStringLiteral("codigo"),
                             QStringLiteral("regiao/codigo"), studyKind());
        // A code without its region's file links to nothing.
        if (!link.isEmpty())
            reading.regionLink = link;
    }
    const QJsonValue windows = root.value(QStringLiteral("janelas"));
    if (windows.isUndefined())
        fail(QStringLiteral("falta o membro \"janelas\""));
    if (!windows.isObject())
        failType(QStringLiteral("janelas"), QStringLiteral("um objeto"), windows);
    const QJsonObject windowsObject = windows.toObject();
    for (const StudyWindowLayout &layout : studyLayout()) {
        const QString member = QStringLiteral("janelas/") + layout.name;
        const QJsonValue window = windowsObject.value(layout.name);
        if (window.isUndefined()) {
            reading.study.windows[layout.name] = defaultStudy().windows.value(layout.name);
            reading.defaulted << studyWindowCaption(layout.name) +
                                     QStringLiteral(": todos os dados");
            continue;
        }
        if (!window.isObject())
            failType(member, QStringLiteral("um objeto"), window);
        reading.study.windows[layout.name] =
            readWindow(window.toObject(), layout, member, &reading.defaulted);
    }
    reading.study.horizon = readHorizon(root);
    reading.study.balance = readBalance(root);
    return reading;
}

QByteArray writeStudy(const Study &study, const QString &originalPath,
                      const StudyRegionLink &regionLink)
{
    QByteArray out;
    out.reserve(32 * 1024);
    out += "{\n  \"formato\": ";
    appendString(out, kFormatName);
    out += ",\n  \"versao\": " + QByteArray::number(kStudyFileVersion);
    out += ",\n  \"nome\": ";
    appendString(out, study.name);
    out += ",\n  \"notas\": ";
    appendString(out, study.notes);
    if (!originalPath.isEmpty()) {
        out += ",\n  \"arquivo\": ";
        appendString(out, originalPath);
    }
    if (!regionLink.isEmpty()) {
        out += ",\n  \"regiao\": {\"arquivo\": ";
        appendString(out, regionLink.regionPath);
        out += ", \"codigo\": ";
        appendString(out, regionLink.code);
        out += "}";
    }
    out += ",\n  \"janelas\": {";
    bool firstWindow = true;
    for (const StudyWindowLayout &layout : studyLayout()) {
        const WindowInputs inputs = windowInputs(study, layout.name);
        out += firstWindow ? "\n    " : ",\n    ";
        firstWindow = false;
        appendString(out, layout.name);
        out += ": {";
        bool firstMember = true;
        auto member = [&out, &firstMember](const QString &name) {
            out += firstMember ? "\n      " : ",\n      ";
            firstMember = false;
            appendString(out, name);
            out += ": ";
        };
        for (const QString &field : layout.fields) {
            member(field);
            appendString(out, inputs.fields.value(field));
        }
        for (const StudyGridLayout &grid : layout.grids) {
            member(grid.name);
            appendGrid(out, inputs.grids.value(grid.name));
        }
        if (layout.keepsSeriesOrigin && inputs.seriesOrigin) {
            member(kSeriesOriginMember);
            appendSeriesOrigin(out, *inputs.seriesOrigin);
        }
        out += "\n    }";
    }
    out += "\n  }";
    if (study.horizon)
        appendHorizon(out, *study.horizon);
    if (study.balance)
        appendBalance(out, *study.balance);
    out += "\n}\n";
    return out;
}

QString studyOpenFailure(const QString &path, const QString &reason)
{
    return QStringLiteral("Não foi possível abrir o estudo \"%1\": %2.")
        .arg(QDir::toNativeSeparators(path), reason);
}

StudyReading loadStudyFile(const QString &path)
{
    QByteArray content;
    const QString problem = readFileContent(path, studyKind(), &content);
    if (!problem.isEmpty())
        throw TaviError(studyOpenFailure(path, problem));
    try {
        return readStudy(content);
    } catch (const StudyFormatError &error) {
        throw TaviError(studyOpenFailure(path, error.message()));
    }
}

void saveStudyFile(const QString &path, const Study &study)
{
    saveStudyContent(path, writeStudy(study));
}

void saveStudyContent(const QString &path, const QByteArray &content)
{
    const QString problem = writeWholeFile(path, content);
    if (!problem.isEmpty())
        throw TaviError(QStringLiteral("Não foi possível salvar o estudo \"%1\": %2.")
                            .arg(QDir::toNativeSeparators(path), problem));
}

} // namespace tavi
