#pragma once

#include "core/sectors/specs/Sectors.h"

#include <QString>
#include <memory>

class QDialog;
class QWidget;

// The window's caption, e.g. "Módulo Pecuária".
QString moduleCaption(tavi::SectorId sector);
// The window instance's name, e.g. "F_Mod_Pecuaria".
QString moduleWindowName(tavi::SectorId sector);

// A new instance of the sector's window over `parent`, in the defaults of its layout. The
// caller shows it modally and destroys it when it closes.
std::unique_ptr<QDialog> createModuleWindow(tavi::SectorId sector, QWidget *parent);
