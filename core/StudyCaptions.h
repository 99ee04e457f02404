#pragma once

#include <QList>
#include <QPair>
#include <QString>

// What the user calls the parts of a study: its windows, their fields and grids, as their
// captions say. The study file and the report name things by these, never by the names the
// file keeps them under.
namespace tavi
{

// "Abastecimento Público" for "TF_Abast_Publico"; the name itself for one unknown.
QString studyWindowCaption(const QString &window);

// A window's fields in the window's order, each with its caption and unit:
// {"me_1", "População atendida pela rede pública (habitantes)"}, ...
QList<QPair<QString, QString>> studyFieldCaptions(const QString &window);

// A member of a study file as the user knows it: "janelas/TF_Abast_Publico/me_1" is
// "Abastecimento Público: População atendida pela rede pública (habitantes)";
// "janelas/TF_Mod_Agricultura/SG_Serie/3/2" is "Agricultura: Série, dia 3, coluna P".
QString studyMemberCaption(const QString &member);

} // namespace tavi
