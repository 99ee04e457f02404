#include "frame/InputField.h"

#include "core/numbers/NumberText.h"
#include "core/numbers/StudyText.h"
#include "frame/NumericEdit.h"

NumericEdit *newInputField(const tavi::FieldDefinition &row, QWidget *parent)
{
    auto *field = new NumericEdit(parent);
    field->setObjectName(row.key);
    field->setDecimalPlaces(row.decimals);
    field->setDisplayFormat(row.displayFormat);
    long double value = 0;
    if (tavi::tryTextToNumber(row.defaultText, &value, tavi::studyNumberSettings()))
        field->setValue(value);
    if (row.unused)
        field->setToolTip(unusedFieldTip());
    return field;
}

QString unusedFieldTip()
{
    return QStringLiteral("Não é usado no cálculo.");
}
