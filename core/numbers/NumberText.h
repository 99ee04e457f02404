#pragma once

// Numbers as the program writes and reads them as text: the general format, display
// patterns and the entry fields' rules.
#include "core/numbers/DisplayPattern.h"
#include "core/numbers/EntryRules.h"
#include "core/numbers/GeneralFormat.h"
