#include "core/sectors/catalogue/FieldDefinitions.h"

#include "core/sectors/catalogue/LivestockAnimals.h"
#include "core/sectors/catalogue/StudyKeys.h"

namespace tavi
{

namespace
{

const QString kWhole = QStringLiteral(",0.;-,0.");
const QString kTwoPlaces = QStringLiteral(",0.00;-,0.00");

std::vector<FieldDefinition> supplyFields()
{
    // Elasticities per real multiply prices and incomes in reais: their real values are
    // around 0,025 and 0,00001, which two decimals would silently turn into 0.
    return {
        {keys::kServedPopulation,
         2,
         kWhole,
         QStringLiteral("População atendida pela rede pública de distribuição"),
         QStringLiteral("habitantes"),
         QStringLiteral("População atendida pela rede pública (habitantes)"),
         {}},
        {keys::kCurrentPerCapita,
         2,
         kTwoPlaces,
         QStringLiteral("Demanda per-capita ATUAL da população atendida pela rede pública"),
         QStringLiteral("(m3/dia.habitante)"),
         QStringLiteral("Demanda per-capita ATUAL da população atendida (m3/dia.habitante)"),
         {}},
        {keys::kTotalPopulation,
         2,
         kWhole,
         QStringLiteral("População total do município"),
         QStringLiteral("habitantes"),
         QStringLiteral("População total do município (habitantes)"),
         {}},
        {keys::kUnservedPerCapita,
         2,
         kTwoPlaces,
         QStringLiteral("Demanda per-capita da população NÃO atendida pela rede pública"),
         QStringLiteral("(m3/dia.habitante)"),
         QStringLiteral("Demanda per-capita da população NÃO atendida (m3/dia.habitante)"),
         {}},
        {keys::kSupplyEfficiency,
         2,
         kTwoPlaces,
         QStringLiteral("Eficiência média do sistema de abastecimento"),
         QStringLiteral("%"),
         QStringLiteral("Eficiência média do sistema de abastecimento (%)"),
         {}},
        {keys::kPriceElasticity,
         6,
         {},
         QStringLiteral("Elasticidade do preço da água"),
         QStringLiteral("(1/R$)"),
         QStringLiteral("Elasticidade do preço da água (1/R$)"),
         {}},
        {keys::kWaterPrice,
         2,
         {},
         QStringLiteral("Preço atual da água"),
         QStringLiteral("(R$)"),
         QStringLiteral("Preço atual da água (R$)"),
         {}},
        {keys::kIncomeElasticity,
         6,
         {},
         QStringLiteral("Elasticidade da Renda"),
         QStringLiteral("(1/R$)"),
         QStringLiteral("Elasticidade da renda (1/R$)"),
         {}},
        {keys::kIncome,
         2,
         {},
         QStringLiteral("Renda per-capita\n(em termos do PIB per-capita)"),
         QStringLiteral("(R$)"),
         QStringLiteral("Renda per-capita (R$)"),
         {}},
    };
}

std::vector<FieldDefinition> livestockFields()
{
    std::vector<FieldDefinition> fields;
    for (int s = 0; s < kSpeciesCount; ++s)
        fields.push_back(
            {consumptionFieldName(s),
             2,
             kTwoPlaces,
             speciesFieldCaption(s),
             QStringLiteral("litros/dia"),
             QStringLiteral("Consumo per-capita, %1 (litros/dia)").arg(speciesCaption(s)),
             {}});
    for (int s = 0; s < kSpeciesCount; ++s)
        fields.push_back({herdFieldName(s),
                          2,
                          kWhole,
                          speciesFieldCaption(s),
                          {},
                          QStringLiteral("Número de cabeças, %1").arg(speciesCaption(s)),
                          {}});
    return fields;
}

std::vector<FieldDefinition> dilutionFields()
{
    return {
        {keys::kRiverVelocity, 2, kTwoPlaces, QStringLiteral("Velocidade Média do Curso da Água"),
         QStringLiteral("m/s"), QStringLiteral("Velocidade média do curso da água (m/s)"),
         QStringLiteral("1"), true},
        {keys::kDecayRate, 2, kTwoPlaces, QStringLiteral("Coeficiente de Desoxigenação (K)"),
         QStringLiteral("(dia-1)"), QStringLiteral("Coeficiente de desoxigenação K (dia-1)"),
         QStringLiteral("0.38")},
        {keys::kDischargePoints,
         2,
         kTwoPlaces,
         QStringLiteral("Número de Pontos de Lançamento"),
         {},
         QStringLiteral("Número de pontos de lançamento"),
         QStringLiteral("14")},
        {keys::kEffluentFlow, 2, kTwoPlaces, QStringLiteral("Qtotal.efluentes"),
         QStringLiteral("m3/s"), QStringLiteral("Qtotal.efluentes (m3/s)"), QStringLiteral("0.61")},
        {keys::kEffluentBod, 2, kTwoPlaces, QStringLiteral("DBO5total"), QStringLiteral("mg/litro"),
         QStringLiteral("DBO5total (mg/litro)"), QStringLiteral("1124.55")},
        {keys::kPermittedBod, 2, kTwoPlaces, QStringLiteral("DBO5mit.n"),
         QStringLiteral("mg/litro"), QStringLiteral("DBO5mit.n (mg/litro)"), QStringLiteral("10")},
        {keys::kRiverBod, 2, kTwoPlaces, QStringLiteral("DBO5rio"), QStringLiteral("mg/litro"),
         QStringLiteral("DBO5rio (mg/litro)"), QStringLiteral("2")},
        {keys::kTravelTime, 2, kTwoPlaces, QStringLiteral("Tempo de percurso entre pontos"),
         QStringLiteral("dia"), QStringLiteral("Tempo de percurso entre pontos (dia)"),
         QStringLiteral("7")},
        {keys::kTotalTravelTime, 2, kTwoPlaces, QStringLiteral("Tempo de percurso total"),
         QStringLiteral("dia"), QStringLiteral("Tempo de percurso total (dia)"),
         QStringLiteral("2"), true},
    };
}

} // namespace

const std::vector<FieldDefinition> &fieldDefinitions(SectorId sector)
{
    static const std::vector<FieldDefinition> supply = supplyFields();
    static const std::vector<FieldDefinition> livestock = livestockFields();
    static const std::vector<FieldDefinition> none;
    static const std::vector<FieldDefinition> dilution = dilutionFields();
    switch (sector) {
    case SectorId::Supply:
        return supply;
    case SectorId::Livestock:
        return livestock;
    case SectorId::Agriculture:
        return none;
    case SectorId::Dilution:
        return dilution;
    }
    return none;
}

const FieldDefinition *findFieldDefinition(SectorId sector, const QString &key)
{
    for (const FieldDefinition &definition : fieldDefinitions(sector))
        if (definition.key == key)
            return &definition;
    return nullptr;
}

} // namespace tavi
