#include "shell/ModuleWindows.h"

#include "models/U_Abast_Publico/TF_Abast_Publico.h"
#include "models/U_Dem_Agua/TF_Dem_Agua.h"
#include "models/U_Mod_Agricultura/TF_Mod_Agricultura.h"
#include "models/U_Mod_Pecuaria/TF_Mod_Pecuaria.h"

#include <QDialog>

using tavi::SectorId;

std::unique_ptr<QDialog> createModuleWindow(SectorId sector, QWidget *parent)
{
    switch (sector) {
    case SectorId::Supply:
        return std::make_unique<TF_Abast_Publico>(parent);
    case SectorId::Livestock:
        return std::make_unique<TF_Mod_Pecuaria>(parent);
    case SectorId::Agriculture:
        return std::make_unique<TF_Mod_Agricultura>(parent);
    case SectorId::Dilution:
        return std::make_unique<TF_Dem_Agua>(parent);
    }
    return nullptr;
}
