#include "core/study/StudyJson.h"

#include "core/files/FileFailureReason.h"
#include "core/study/StudyCaptions.h"
#include "core/tables/CellBlock.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStringDecoder>

#include <cerrno>
#include <cmath>

namespace tavi::studyjson
{

const QString kSeriesOriginMember = QStringLiteral("origem_serie");

namespace
{

// The members of "origem_serie", in the order they are written.
struct OriginMember {
    const char *name;
    QString SeriesOrigin::*text;
    bool onlyWhenGiven = false;
};
const OriginMember kOriginMembers[] = {
    {"estacao", &SeriesOrigin::station},
    {"codigo", &SeriesOrigin::code},
    {"latitude", &SeriesOrigin::latitude},
    {"longitude", &SeriesOrigin::longitude},
    {"altitude", &SeriesOrigin::altitude},
    {"ano", &SeriesOrigin::year},
    {"metodos", &SeriesOrigin::methods},
    // Written only when the series was filled with these choices.
    {"metodo", &SeriesOrigin::method, true},
    {"local", &SeriesOrigin::location, true},
    {"preenchimento_etp", &SeriesOrigin::etpFill, true},
    {"preenchimento_p", &SeriesOrigin::rainFill, true},
    {"anos", &SeriesOrigin::years, true},
    {"dias_preenchidos_etp", &SeriesOrigin::filledEtpDays, true},
    {"dias_preenchidos_p", &SeriesOrigin::filledRainDays, true},
    // Written only when days were changed by hand since the fill.
    {"dias_editados_etp", &SeriesOrigin::editedEtpDays, true},
    {"dias_editados_p", &SeriesOrigin::editedRainDays, true},
};

} // namespace

[[noreturn]] void fail(const QString &reason)
{
    throw StudyFormatError(reason);
}

QString typeName(const QJsonValue &value)
{
    switch (value.type()) {
    case QJsonValue::Null:
        return QStringLiteral("nulo");
    case QJsonValue::Bool:
        return QStringLiteral("um valor lógico");
    case QJsonValue::Double:
        return QStringLiteral("um número");
    case QJsonValue::String:
        return QStringLiteral("um texto");
    case QJsonValue::Array:
        return QStringLiteral("uma lista");
    case QJsonValue::Object:
        return QStringLiteral("um objeto");
    case QJsonValue::Undefined:
        break;
    }
    return QStringLiteral("indefinido");
}

[[noreturn]] void failType(const QString &member, const QString &expected, const QJsonValue &value)
{
    fail(QStringLiteral("o membro \"%1\" deveria ser %2, mas é %3")
             .arg(studyMemberCaption(member), expected, typeName(value)));
}

namespace
{

// Line and column (from 1) of a byte offset, counting characters rather than bytes.
QString positionOf(const QByteArray &content, qsizetype offset)
{
    offset = qBound(qsizetype(0), offset, content.size());
    const QByteArray before = content.left(offset);
    const qsizetype lineStart = before.lastIndexOf('\n') + 1;
    return QStringLiteral("linha %1, coluna %2")
        .arg(before.count('\n') + 1)
        .arg(QString::fromUtf8(before.mid(lineStart)).size() + 1);
}

} // namespace

QJsonObject parseFile(const QByteArray &content, const FileKind &kind)
{
    if (content.size() > kind.largest)
        kind.fail(QStringLiteral("o arquivo tem %1 bytes, grande demais para %2")
                      .arg(content.size())
                      .arg(kind.noun));
    if (content.trimmed().isEmpty())
        kind.fail(QStringLiteral("o arquivo está vazio"));
    if (content.contains('\0'))
        kind.fail(QStringLiteral("o arquivo é binário, não um texto"));
    QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    const QString decoded = decoder(content);
    Q_UNUSED(decoded)
    if (decoder.hasError())
        kind.fail(QStringLiteral("o arquivo não é um texto em UTF-8"));
    QByteArray json = content;
    if (json.startsWith("\xEF\xBB\xBF"))
        json.remove(0, 3);
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError) {
        // Whatever is left open when the content runs out was cut short.
        const bool cutShort = json.mid(error.offset).trimmed().isEmpty() &&
                              error.error != QJsonParseError::GarbageAtEnd &&
                              json.trimmed().startsWith('{');
        if (cutShort)
            kind.fail(QStringLiteral("o arquivo está incompleto: termina na %1 antes do fim %2")
                          .arg(positionOf(json, error.offset), kind.end));
        const QString problem = kind.parseProblem ? kind.parseProblem(error.error)
                                                  : QStringLiteral("o conteúdo não é JSON válido");
        kind.fail(QStringLiteral("o arquivo está danificado: %1 (%2)")
                      .arg(problem, positionOf(json, error.offset)));
    }
    if (!document.isObject())
        kind.fail(QStringLiteral("o arquivo não é %1 do TAVI").arg(kind.noun));
    return document.object();
}

void checkHeader(const QJsonObject &root, const FileKind &kind)
{
    if (root.value(QStringLiteral("formato")).toString() != kind.format)
        kind.fail(QStringLiteral("o arquivo não é %1 do TAVI (não tem o formato \"%2\")")
                      .arg(kind.noun, kind.format));
    const QJsonValue version = root.value(QStringLiteral("versao"));
    if (version.isUndefined())
        kind.fail(QStringLiteral("falta o membro \"versao\""));
    const double number = version.toDouble(-1);
    if (!version.isDouble() || number != std::floor(number))
        kind.failType(QStringLiteral("versao"), QStringLiteral("um número inteiro"), version);
    // Written out in full: a version far beyond any integer type is still named as it stands.
    const QString written = QString::number(number, 'f', 0);
    if (number > kind.version)
        kind.fail(kind.tooNew.arg(written).arg(kind.version));
    if (number < 1)
        kind.fail(QStringLiteral("a versão %1 do formato não existe").arg(written));
}

QString readText(const QJsonObject &object, const QString &name, const QString &member,
                 const FileKind &kind)
{
    const QJsonValue value = object.value(name);
    if (value.isUndefined())
        return QString();
    if (!value.isString())
        kind.failType(member, QStringLiteral("um texto"), value);
    return value.toString();
}

QString readFileContent(const QString &path, const FileKind &kind, QByteArray *content)
{
    const QFileInfo info(path);
    if (info.isDir())
        return QStringLiteral("é uma pasta, não um arquivo");
    // Not the reason a save gives for ENOENT, "A pasta não existe": here it is the file.
    if (!info.exists())
        return QStringLiteral("o arquivo não existe");
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        return fileFailureReason(errno ? errno : ENOENT);
    *content = file.read(kind.largest + 1);
    if (file.error() != QFileDevice::NoError)
        return file.errorString();
    return QString();
}

QString checkedCellText(const QJsonValue &value, const QString &member)
{
    if (!value.isString())
        failType(member, QStringLiteral("um texto"), value);
    const QString text = value.toString();
    if (text.size() > kLongestCellText)
        fail(QStringLiteral("o texto de \"%1\" tem %2 caracteres; o máximo é %3")
                 .arg(studyMemberCaption(member))
                 .arg(text.size())
                 .arg(kLongestCellText));
    return text;
}

StudyGrid readGrid(const QJsonValue &value, const StudyGridLayout &layout, const QString &member,
                   const StudyGrid &defaults, bool *shortened)
{
    if (!value.isArray())
        failType(member, QStringLiteral("uma lista de linhas"), value);
    const QJsonArray rows = value.toArray();
    const int columns = int(layout.columns.size());
    if (rows.size() > layout.rows)
        fail(QStringLiteral("\"%1\" tem %2 linhas; a grade tem %3")
                 .arg(studyMemberCaption(member))
                 .arg(rows.size())
                 .arg(layout.rows));
    StudyGrid grid = defaults;
    // The members are named only for a message: a region reads millions of cells.
    const auto rowMember = [&member](int r) {
        return QStringLiteral("%1/%2").arg(member).arg(r + 1);
    };
    for (int r = 0; r < rows.size(); ++r) {
        if (!rows[r].isArray())
            failType(rowMember(r), QStringLiteral("uma lista de textos"), rows[r]);
        const QJsonArray cells = rows[r].toArray();
        if (cells.size() != columns)
            fail(QStringLiteral("a linha %1 de \"%2\" tem %3 textos; deveria ter %4")
                     .arg(r + 1)
                     .arg(studyMemberCaption(member))
                     .arg(cells.size())
                     .arg(columns));
        StudyRow &row = grid[r];
        for (int c = 0; c < columns; ++c) {
            const QJsonValue cell = cells[c];
            if (cell.isString() && cell.toString().size() <= kLongestCellText)
                row[c] = cell.toString();
            else
                row[c] =
                    checkedCellText(cell, QStringLiteral("%1/%2").arg(rowMember(r)).arg(c + 1));
        }
    }
    *shortened = rows.size() < layout.rows;
    return grid;
}

// Where the series came from. It is optional, so that a study of a series typed by hand has
// none and older studies read unchanged; a member missing inside it is read as empty.
std::optional<SeriesOrigin> readSeriesOrigin(const QJsonObject &window, const QString &member)
{
    const QJsonValue value = window.value(kSeriesOriginMember);
    if (value.isUndefined())
        return std::nullopt;
    if (!value.isObject())
        failType(member, QStringLiteral("um objeto"), value);
    const QJsonObject object = value.toObject();
    SeriesOrigin origin;
    for (const OriginMember &m : kOriginMembers) {
        const QString name = QLatin1String(m.name);
        const QJsonValue text = object.value(name);
        if (!text.isUndefined())
            origin.*m.text = checkedCellText(text, member + QLatin1Char('/') + name);
    }
    return origin;
}

// JSON text of a string: quotes, backslashes and control characters escaped, the rest as
// UTF-8.
void appendString(QByteArray &out, const QString &text)
{
    out += '"';
    const QByteArray utf8 = text.toUtf8();
    for (const char ch : utf8) {
        const auto byte = static_cast<unsigned char>(ch);
        switch (byte) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (byte < 0x20) {
                static const char digits[] = "0123456789abcdef";
                out += "\\u00";
                out += digits[byte >> 4];
                out += digits[byte & 0xF];
            } else {
                out += ch;
            }
        }
    }
    out += '"';
}

void appendGrid(QByteArray &out, const StudyGrid &grid)
{
    out += '[';
    for (int r = 0; r < grid.size(); ++r) {
        out += r ? ",\n        [" : "\n        [";
        for (int c = 0; c < grid[r].size(); ++c) {
            if (c)
                out += ", ";
            appendString(out, grid[r][c]);
        }
        out += ']';
    }
    out += "\n      ]";
}

void appendSeriesOrigin(QByteArray &out, const SeriesOrigin &origin)
{
    out += '{';
    bool firstText = true;
    for (const OriginMember &m : kOriginMembers) {
        if (m.onlyWhenGiven && (origin.*m.text).isEmpty())
            continue;
        out += firstText ? "\n        " : ",\n        ";
        firstText = false;
        appendString(out, QLatin1String(m.name));
        out += ": ";
        appendString(out, origin.*m.text);
    }
    out += "\n      }";
}

} // namespace tavi::studyjson
