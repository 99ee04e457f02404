#pragma once

#include "core/sectors/catalogue/LivestockAnimals.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// What the user calls the parts of a study: its windows, their fields and grids, as their
// captions say. The study file and the report name things by these, never by the names the
// file keeps them under.
namespace tavi
{

// "Abastecimento Público" for the public supply window's key; the name itself for one unknown.
QString studyWindowCaption(const QString &window);

// A window's fields in the window's order, each with its caption and unit:
// {"me_1", "População atendida pela rede pública (habitantes)"}, ...
QList<QPair<QString, QString>> studyFieldCaptions(const QString &window);

// The headings of the crop table's columns ("Classe", "Ciclo (dias)", "Unidade", "Fase 1",
// "Kc 1", ...) and of the crop parameters' rows ("Início (dia)", "Área (km2)", "Eficiência").
QStringList cropColumnCaptions();
QStringList cropParameterCaptions();

// A member of a study file within its window: "População atendida pela rede pública
// (habitantes)" for "janelas/TF_Abast_Publico/me_1"; a window alone is its caption.
QString studyMemberCaptionWithinWindow(const QString &member);

// A member of a study file as the user knows it: "janelas/TF_Abast_Publico/me_1" is
// "Abastecimento Público: População atendida pela rede pública (habitantes)";
// "janelas/TF_Mod_Agricultura/SG_Serie/3/2" is "Agricultura: Série, dia 3, coluna P".
QString studyMemberCaption(const QString &member);

} // namespace tavi
