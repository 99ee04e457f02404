#pragma once

#include "core/study/StudyHorizon.h"

#include <QList>
#include <QPair>
#include <QString>

// What a scenario sets, each as a reader knows it, with its value: {"Cobertura-alvo (%)",
// "95"}, {"Contagens da população (censos)", "2000: 62000; 2010: 70000"}, {"Pecuária: Número
// de cabeças, Bovino", "15000"}. Numbers in the user's locale.
QList<QPair<QString, QString>> scenarioOverrides(const tavi::ScenarioInputs &inputs);

// A driver of the horizon as the report names it; its key for one it does not know.
QString horizonDriverCaption(const QString &key);
