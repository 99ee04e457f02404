#include "core/sectors/catalogue/LivestockAnimals.h"

namespace tavi
{

namespace
{
const char *const kSpeciesKeys[kSpeciesCount] = {"bovino", "suino", "equino", "caprino",
                                                 "galinaceo"};
const char *const kCaptions[kSpeciesCount] = {"Bovino", "Suíno", "Equino", "Caprino", "Galináceo"};
const char *const kFieldCaptions[kSpeciesCount] = {"Bovino", "Suino", "Equino", "Caprino",
                                                   "Galináceo"};
const char *const kHeaders[kSpeciesCount] = {"BOVINO", "SUÍNO", "EQUINO", "CAPRINO", "GALINÁCEO"};

QString pick(const char *const (&texts)[kSpeciesCount], int species)
{
    return species >= 0 && species < kSpeciesCount ? QString::fromUtf8(texts[species]) : QString();
}
} // namespace

QString consumptionFieldName(int species)
{
    return QStringLiteral("me_") + QLatin1String(kSpeciesKeys[species]);
}

QString herdFieldName(int species)
{
    return QStringLiteral("e_qte_") + QLatin1String(kSpeciesKeys[species]);
}

QString speciesCaption(int species)
{
    return pick(kCaptions, species);
}

QString speciesFieldCaption(int species)
{
    return pick(kFieldCaptions, species);
}

QString speciesHeader(int species)
{
    return pick(kHeaders, species);
}

} // namespace tavi
