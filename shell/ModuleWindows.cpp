#include "shell/ModuleWindows.h"

#include "models/U_Abast_Publico/TF_Abast_Publico.h"
#include "models/U_Dem_Agua/TF_Dem_Agua.h"
#include "models/U_Mod_Agricultura/TF_Mod_Agricultura.h"
#include "models/U_Mod_Pecuaria/TF_Mod_Pecuaria.h"

#include <QDialog>

QString moduleCaption(ModuleKind kind)
{
    switch (kind) {
    case ModuleKind::AbastecimentoPublico:
        return QStringLiteral("Módulo Abastecimento Público");
    case ModuleKind::Pecuaria:
        return QStringLiteral("Módulo Pecuária");
    case ModuleKind::Agricultura:
        return QStringLiteral("Módulo Agricultura");
    case ModuleKind::DiluicaoEsgotos:
        break;
    }
    return QStringLiteral("Demanda por Água para a Diluição de Esgotos Domésticos");
}

QString moduleWindowName(ModuleKind kind)
{
    switch (kind) {
    case ModuleKind::AbastecimentoPublico:
        return QStringLiteral("F_Abast_Publico");
    case ModuleKind::Pecuaria:
        return QStringLiteral("F_Mod_Pecuaria");
    case ModuleKind::Agricultura:
        return QStringLiteral("F_Mod_Agricultura");
    case ModuleKind::DiluicaoEsgotos:
        break;
    }
    return QStringLiteral("F_Dem_Agua");
}

std::unique_ptr<QDialog> createModuleWindow(ModuleKind kind, QWidget *parent)
{
    switch (kind) {
    case ModuleKind::AbastecimentoPublico:
        return std::make_unique<TF_Abast_Publico>(parent);
    case ModuleKind::Pecuaria:
        return std::make_unique<TF_Mod_Pecuaria>(parent);
    case ModuleKind::Agricultura:
        return std::make_unique<TF_Mod_Agricultura>(parent);
    case ModuleKind::DiluicaoEsgotos:
        return std::make_unique<TF_Dem_Agua>(parent);
    }
    return nullptr;
}
