#pragma once

#include <QString>

#include <array>

// The four sectors of a municipality's demand, each described once: what the study file keeps
// it under, what the user calls it, and what the command line calls it.
namespace tavi
{

enum class SectorId { Supply, Livestock, Agriculture, Dilution };

constexpr int kSectorCount = 4;

struct SectorDescriptor {
    SectorId id;
    // The study file's key of the sector's window (keys::kSupplyWindow, ...).
    QString studyKey;
    // The window's title ("Módulo Abastecimento Público").
    QString title;
    // The sector as menus, the summary and messages name it ("Abastecimento Público").
    QString caption;
    // The command line's name ("abastecimento").
    QString commandName;
    // The main menu's item ("Água para a Diluição de Esgotos Domésticos").
    QString menuCaption;
};

// In the order of the main menu.
const std::array<SectorDescriptor, kSectorCount> &sectorDescriptors();
const SectorDescriptor &sectorDescriptor(SectorId id);
// The sector kept under `studyKey`, or nullptr.
const SectorDescriptor *findSectorByStudyKey(const QString &studyKey);
const SectorDescriptor *findSectorByCommandName(const QString &commandName);

} // namespace tavi
