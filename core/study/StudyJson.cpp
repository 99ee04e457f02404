#include "core/study/StudyJson.h"

#include "core/study/StudyCaptions.h"
#include "core/tables/CellBlock.h"

#include <QJsonArray>

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
