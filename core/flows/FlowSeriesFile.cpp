#include "core/flows/FlowSeriesFile.h"
