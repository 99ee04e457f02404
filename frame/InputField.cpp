#include "frame/InputField.h"

#include "core/numbers/NumberText.h"
#include "core/numbers/StudyText.h"
#include "frame/NumericEdit.h"

NumericEdit *newInputField(const tavi::InputSpec &spec, QWidget *parent)
{
    auto *field = new NumericEdit(parent);
    field->setObjectName(spec.key);
    field->setDecimalPlaces(spec.decimals);
    field->setDisplayFormat(spec.displayFormat);
    long double value = 0;
    if (tavi::tryTextToNumber(spec.defaultText, &value, tavi::studyNumberSettings()))
        field->setValue(value);
    if (spec.unused)
        field->setToolTip(unusedFieldTip());
    return field;
}

QString unusedFieldTip()
{
    return QStringLiteral("Não é usado no cálculo.");
}
