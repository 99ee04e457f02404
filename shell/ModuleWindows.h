#pragma once

#include "core/sectors/catalogue/Sectors.h"

#include <memory>

class QDialog;
class QWidget;

// A new instance of the sector's window over `parent`, in the defaults of its layout. The
// caller shows it modally and destroys it when it closes.
std::unique_ptr<QDialog> createModuleWindow(tavi::SectorId sector, QWidget *parent);
