#include "core/flows/ReferenceFlows.h"
