#include "core/sectors/catalogue/Sectors.h"

#include "core/sectors/catalogue/StudyKeys.h"

namespace tavi
{

const std::array<SectorDescriptor, kSectorCount> &sectorDescriptors()
{
    static const std::array<SectorDescriptor, kSectorCount> sectors = {{
        {SectorId::Supply, keys::kSupplyWindow, QStringLiteral("Módulo Abastecimento Público"),
         QStringLiteral("Abastecimento Público"), QStringLiteral("abastecimento"),
         QStringLiteral("Abastecimento Público")},
        {SectorId::Livestock, keys::kLivestockWindow, QStringLiteral("Módulo Pecuária"),
         QStringLiteral("Pecuária"), QStringLiteral("pecuaria"), QStringLiteral("Pecuária")},
        {SectorId::Agriculture, keys::kAgricultureWindow, QStringLiteral("Módulo Agricultura"),
         QStringLiteral("Agricultura"), QStringLiteral("agricultura"),
         QStringLiteral("Agricultura")},
        {SectorId::Dilution, keys::kDilutionWindow,
         QStringLiteral("Demanda por Água para a Diluição de Esgotos Domésticos"),
         QStringLiteral("Diluição de Esgotos Domésticos"), QStringLiteral("diluicao"),
         QStringLiteral("Água para a Diluição de Esgotos Domésticos")},
    }};
    return sectors;
}

const SectorDescriptor &sectorDescriptor(SectorId id)
{
    return sectorDescriptors()[std::size_t(id)];
}

const SectorDescriptor *findSectorByStudyKey(const QString &studyKey)
{
    for (const SectorDescriptor &sector : sectorDescriptors())
        if (sector.studyKey == studyKey)
            return &sector;
    return nullptr;
}

const SectorDescriptor *findSectorByCommandName(const QString &commandName)
{
    for (const SectorDescriptor &sector : sectorDescriptors())
        if (sector.commandName == commandName)
            return &sector;
    return nullptr;
}

} // namespace tavi
