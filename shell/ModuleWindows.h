#pragma once

#include <QString>
#include <memory>

class QDialog;
class QWidget;

// The four module windows the main menu opens.
enum class ModuleKind { AbastecimentoPublico, Pecuaria, Agricultura, DiluicaoEsgotos };

// The window's caption, e.g. "Módulo Pecuária".
QString moduleCaption(ModuleKind kind);
// The window instance's name, e.g. "F_Mod_Pecuaria".
QString moduleWindowName(ModuleKind kind);

// A new instance of the module's window over `parent`, in the defaults of its layout. The
// caller shows it modally and destroys it when it closes.
std::unique_ptr<QDialog> createModuleWindow(ModuleKind kind, QWidget *parent);
