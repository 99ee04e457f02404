#pragma once

#include "core/base/LocaleSettings.h"
#include "core/sectors/catalogue/FieldDefinitions.h"
#include "core/study/Study.h"

// A study's fields as the windows' fields hold them once filled from the study: what every
// run reads, whether the study came from a file or from a window.
namespace tavi
{

// The field's study text read as an entry of the field (in `locale`, as the window shows it)
// and rounded half away from zero to the field's decimals, as the field keeps it once left.
// A text that does not read, or a field the study lacks, holds 0.
long double heldFieldValue(const WindowInputs &inputs, const FieldDefinition &field,
                           const LocaleSettings &locale);

// The same for the field named `key` among the sector's fields; 0 for an unknown name.
long double heldFieldValue(const WindowInputs &inputs, SectorId sector, const QString &key,
                           const LocaleSettings &locale);

} // namespace tavi
