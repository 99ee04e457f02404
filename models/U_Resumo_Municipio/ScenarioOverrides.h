#pragma once

#include "core/study/StudyHorizon.h"

#include <QList>
#include <QPair>
#include <QString>

// What a scenario sets, each as a reader knows it, with its value: {"Cobertura-alvo (%)",
// "95"}, {"Censos", "2000: 62000; 2010: 70000"}, {"Pecuária: Número de cabeças, Bovino",
// "15000"}. Numbers in the user's locale.
QList<QPair<QString, QString>> scenarioOverrides(const tavi::ScenarioInputs &inputs);

// Every driver of the base as it is computed: its own value, or the default a driver it does
// not hold takes, said so ("99 (padrão)"); then its tables and the window inputs it sets.
QList<QPair<QString, QString>> baseDrivers(const tavi::ScenarioInputs &inputs);
