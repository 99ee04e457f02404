#include "core/files/DelimitedFields.h"

namespace tavi
{

QStringList splitDelimitedFields(const QString &line, QChar separator, TrailingEmptyField trailing)
{
    QStringList fields;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == QLatin1Char('"')) {
            if (quoted && i + 1 < line.size() && line[i + 1] == QLatin1Char('"')) {
                field += c;
                ++i;
            } else {
                quoted = !quoted;
            }
        } else if (c == separator && !quoted) {
            fields << field.trimmed();
            field.clear();
        } else {
            field += c;
        }
    }
    field = field.trimmed();
    if (trailing == TrailingEmptyField::Kept || !field.isEmpty() || fields.isEmpty())
        fields << field;
    return fields;
}

} // namespace tavi
