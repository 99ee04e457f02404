#pragma once

#include "core/sectors/catalogue/FieldDefinitions.h"

class NumericEdit;
class QWidget;

// A window's numeric field made from its row of the sector's inputs: named after the row's key,
// holding its decimals, shown through its pattern (the locale's currency where it has none),
// holding its default, and saying so where no formula reads it.
NumericEdit *newInputField(const tavi::FieldDefinition &row, QWidget *parent);

// The tip of a field that no formula reads, and of its caption.
QString unusedFieldTip();
