#include "core/study/HeldFields.h"

#include "core/numbers/NumberText.h"
#include "core/numbers/ShownNumber.h"
#include "core/numbers/StudyText.h"

namespace tavi
{

long double heldFieldValue(const WindowInputs &inputs, const FieldDefinition &field,
                           const LocaleSettings &locale)
{
    long double typed = 0;
    if (!readEntry(fromStudyText(inputs.fields.value(field.key), locale), &typed, locale))
        return 0;
    return heldValue(typed, field.decimals);
}

long double heldFieldValue(const WindowInputs &inputs, SectorId sector, const QString &key,
                           const LocaleSettings &locale)
{
    const FieldDefinition *field = findFieldDefinition(sector, key);
    return field ? heldFieldValue(inputs, *field, locale) : 0;
}

} // namespace tavi
