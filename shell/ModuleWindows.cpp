#include "shell/ModuleWindows.h"

#include "models/U_Abast_Publico/TF_Abast_Publico.h"
#include "models/U_Dem_Agua/TF_Dem_Agua.h"
#include "models/U_Mod_Agricultura/TF_Mod_Agricultura.h"
#include "models/U_Mod_Pecuaria/TF_Mod_Pecuaria.h"

#include <QDialog>

using tavi::SectorId;

QString moduleCaption(SectorId sector)
{
    return tavi::sectorDescriptor(sector).title;
}

QString moduleWindowName(SectorId sector)
{
    switch (sector) {
    case SectorId::Supply:
        return QStringLiteral("F_Abast_Publico");
    case SectorId::Livestock:
        return QStringLiteral("F_Mod_Pecuaria");
    case SectorId::Agriculture:
        return QStringLiteral("F_Mod_Agricultura");
    case SectorId::Dilution:
        break;
    }
    return QStringLiteral("F_Dem_Agua");
}

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
