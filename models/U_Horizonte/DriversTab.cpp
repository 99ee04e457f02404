#include "models/U_Horizonte/DriversTab.h"
#include "core/sectors/catalogue/AgricultureTables.h"
#include "core/sectors/catalogue/HorizonKeys.h"
#include "core/sectors/catalogue/LivestockAnimals.h"
#include "frame/ResultGrid.h"
#include "models/U_Horizonte/DriverForm.h"
#include "models/U_Horizonte/DriverTable.h"
#include "models/U_Horizonte/HorizonChecks.h"
#include "models/U_Horizonte/StationYearChoice.h"

#include <QLabel>
#include <QVBoxLayout>

using namespace tavi;

namespace
{

const QString kPercent = QStringLiteral("%");
const QString kPercentAYear = QStringLiteral("% ao ano");

} // namespace

FormTab::FormTab(HorizonEditor *editor, QWidget *parent)
    : DriversTab(parent), m_editor(editor), m_form(new DriverForm(editor, this)),
      m_layout(new QVBoxLayout(this))
{
    m_layout->setContentsMargins(0, 0, 0, 6);
    m_layout->addWidget(m_form);
    // The rows keep together at the top however tall the tab.
    m_layout->addStretch(1);
}

void FormTab::addTable(DriverTable *table)
{
    table->setContentsMargins(6, 0, 6, 0);
    m_layout->insertWidget(m_layout->count() - 1, table);
    m_tables.push_back(table);
}

void FormTab::addWidget(QWidget *widget, std::function<void()> refresh)
{
    m_layout->insertWidget(m_layout->count() - 1, widget);
    m_refreshes.push_back(std::move(refresh));
}

void FormTab::refresh()
{
    m_form->refresh();
    for (DriverTable *table : m_tables)
        table->refresh();
    for (const std::function<void()> &refresh : m_refreshes)
        refresh();
}

void FormTab::showProblems(const HorizonChecks::Problems &problems)
{
    m_form->showProblems(problems);
    for (DriverTable *table : m_tables)
        table->showProblem(problems.byKey.value(table->key()), problems.notes.value(table->key()));
}

FormTab *newSupplyTab(HorizonEditor *editor, QWidget *parent)
{
    auto *tab = new FormTab(editor, parent);
    DriverForm *form = tab->form();
    form->addHeading(QStringLiteral("População atendida pela rede pública"));
    form->addNumber(keys::kCoverageTarget, QStringLiteral("Cobertura-alvo"), kPercent, 2,
                    DriverForm::Blank::None);
    form->addYear(keys::kCoverageTargetYear, QStringLiteral("Ano da cobertura-alvo"));
    form->addHeading(QStringLiteral("Demanda per capita"));
    form->addChoice(
        keys::kPerCapitaPath, QStringLiteral("Evolução da demanda per capita"),
        {{QString(keys::kPerCapitaElasticities), QStringLiteral("Pelas elasticidades da janela")},
         {QString(keys::kPerCapitaConstant), QStringLiteral("Constante")},
         {QString(keys::kPerCapitaAnnualChange), QStringLiteral("Variação anual")}});
    form->addNumber(keys::kPerCapitaChange, QStringLiteral("Variação anual da per capita"),
                    kPercentAYear, 2);
    form->addHeading(QStringLiteral("Perdas na distribuição"));
    form->addNumber(keys::kLossesToday, QStringLiteral("Perdas atuais"), kPercent, 2);
    // Left empty, the losses stay as they are today.
    form->addNumber(keys::kLossesTarget, QStringLiteral("Perdas-alvo (vazio: as atuais)"), kPercent,
                    2, DriverForm::Blank::None);
    form->addYear(keys::kLossesTargetYear, QStringLiteral("Ano das perdas-alvo"));
    return tab;
}

FormTab *newLivestockTab(HorizonEditor *editor, QWidget *parent)
{
    auto *tab = new FormTab(editor, parent);
    DriverForm *form = tab->form();
    form->addHeading(QStringLiteral("Crescimento anual de cada rebanho"));
    QStringList headings{QStringLiteral("Ano")};
    for (int s = 0; s < kSpeciesCount; ++s) {
        form->addNumber(QString(keys::kHerdGrowthPrefix) + herdFieldName(s), speciesCaption(s),
                        kPercentAYear, 2);
        headings << speciesCaption(s);
    }
    auto *note = new QLabel(QStringLiteral("Um rebanho digitado num ano segue a tabela (entre "
                                           "dois anos, em linha reta); os outros, a sua taxa."),
                            tab);
    note->setWordWrap(true);
    form->addWide(note);
    tab->addTable(new DriverTable(editor, keys::kTypedHerds,
                                  QStringLiteral("Rebanhos digitados por ano (cabeças)"), headings,
                                  60, QStringLiteral("SG_Rebanhos"), tab));
    return tab;
}

FormTab *newAgricultureTab(HorizonEditor *editor, QWidget *parent)
{
    auto *tab = new FormTab(editor, parent);
    DriverForm *form = tab->form();
    form->addHeading(QStringLiteral("Crescimento anual da área irrigada"));
    QStringList headings{QStringLiteral("Ano")};
    for (int k = 0; k < agriculture::kClasses; ++k) {
        const QString letter(agriculture::classLetter(k));
        form->addNumber(QString(keys::kAreaGrowthPrefix) + letter,
                        QStringLiteral("Classe %1").arg(letter), kPercentAYear, 2);
        headings << letter;
    }
    form->addHeading(QStringLiteral("Eficiência da irrigação"));
    form->addNumber(keys::kEfficiencyTarget,
                    QStringLiteral("Eficiência-alvo de todas as classes (vazio: como digitadas)"),
                    QStringLiteral("(fração)"), 2, DriverForm::Blank::None);
    form->addYear(keys::kEfficiencyTargetYear, QStringLiteral("Ano da eficiência-alvo"));
    form->addHeading(QStringLiteral("Ano climático"));
    form->addChoice(keys::kClimate, QStringLiteral("Série usada"),
                    {{QString(keys::kClimateStudySeries), QStringLiteral("A série, como está")},
                     {QString(keys::kClimateFactors),
                      QStringLiteral("A série com ETP e P multiplicadas por fatores")}});
    form->addNumber(keys::kEtpFactor, QStringLiteral("Fator da ETP"), QString(), 2,
                    DriverForm::Blank::None);
    form->addNumber(keys::kRainFactor, QStringLiteral("Fator da precipitação (P)"), QString(), 2,
                    DriverForm::Blank::None);
    auto *station = new StationYearChoice(editor, tab);
    tab->addWidget(station, [station] { station->refresh(); });
    tab->addTable(new DriverTable(editor, keys::kTypedAreas,
                                  QStringLiteral("Áreas irrigadas digitadas por ano (km2)"),
                                  headings, 60, QStringLiteral("SG_Areas"), tab));
    return tab;
}

FormTab *newDilutionTab(HorizonEditor *editor, QWidget *parent)
{
    auto *tab = new FormTab(editor, parent);
    DriverForm *form = tab->form();
    form->addHeading(QStringLiteral("Efluentes lançados no rio"));
    form->addChoice(
        keys::kDilutionPath, QStringLiteral("Vazão e carga de DBO dos efluentes"),
        {{QString(keys::kDilutionWithPopulation),
          QStringLiteral("Acompanham a população total projetada")},
         {QString(keys::kDilutionAsTyped), QStringLiteral("Ficam como digitadas na janela")}});
    auto *note = new QLabel(QStringLiteral("A diluição não consome água: a vazão que ela torna "
                                           "indisponível aparece à parte na tabela dos anos."),
                            tab);
    note->setWordWrap(true);
    form->addWide(note);
    return tab;
}
