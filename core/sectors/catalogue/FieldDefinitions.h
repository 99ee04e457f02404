#pragma once

#include "core/sectors/catalogue/Sectors.h"

#include <QString>

#include <vector>

// What each sector reads from a study's fields, one row per field: the windows build their
// fields from these rows, the runs read values at their decimals, the default study and the
// report take their defaults and captions from them.
namespace tavi
{

struct FieldDefinition {
    // The field's key in the study and its component name ("me_1").
    QString key;
    // The places the field holds: a value is read rounded to them, half away from zero.
    int decimals = 2;
    // The field's display pattern; empty for the currency pattern of the user's locale.
    QString displayFormat;
    // The caption and unit beside the field in its window.
    QString caption;
    QString unit;
    // The field as the report and the study's messages name it, with its unit:
    // "População atendida pela rede pública (habitantes)".
    QString studyCaption;
    // A new study's text, with "." as decimal separator; empty for none (0).
    QString defaultText;
    // Kept with the study, but no formula reads it.
    bool unused = false;
};

// The sector's fields, in the window's order. The agriculture sector has none: it reads its
// crop tables and series (AgricultureTables.h).
const std::vector<FieldDefinition> &fieldDefinitions(SectorId sector);
// The row of `key` among the sector's fields, or nullptr.
const FieldDefinition *findFieldDefinition(SectorId sector, const QString &key);

} // namespace tavi
