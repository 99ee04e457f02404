#pragma once

// Inputs at the edges, put in by the keyboard before "Simular": every field and input cell
// at 1E4000 and at -1E4000, and each window's own hard cases (no discharge points, equal
// permitted and river demand, a large negative decay rate; zero efficiencies and letters in
// the series). Where the outcome is certain, the message it must bring is given.

#include "WindowUnderTest.h"

#include "shell/ModuleWindows.h"

#include <QVector>

namespace monkey
{

struct Step {
    QString input; // a field's name, or a grid's
    int col = -1;  // a cell of that grid
    int row = -1;
    QString text;
};

struct Scenario {
    QString name;
    QVector<Step> steps;
    bool simulateAfterEachStep = false;
    QString expectedMessage; // empty: any of the program's messages, or none
};

inline QVector<Scenario> extremeScenarios(tavi::SectorId kind, const WindowUnderTest &window)
{
    QVector<Scenario> scenarios;
    const QString extremes[] = {QStringLiteral("1E4000"), QStringLiteral("-1E4000")};
    if (kind != tavi::SectorId::Agriculture) {
        for (const QString &extreme : extremes) {
            Scenario every{QStringLiteral("every field %1").arg(extreme), {}, true, {}};
            for (NumericEdit *f : window.fields())
                every.steps << Step{f->objectName(), -1, -1, extreme};
            scenarios << every;
        }
    }
    const QString divisionByZero = QStringLiteral("Divisão de ponto flutuante por zero.");
    switch (kind) {
    case tavi::SectorId::Dilution:
        // N counts the points that discharge: 1 to 50.
        scenarios << Scenario{QStringLiteral("N = 0"),
                              {{QStringLiteral("ce_3"), -1, -1, QStringLiteral("0")}},
                              false,
                              QStringLiteral("O \"Número de Pontos de Lançamento\" deve ser um "
                                             "número inteiro de 1 a 50, e não 0.")};
        scenarios << Scenario{QStringLiteral("N = 60"),
                              {{QStringLiteral("ce_3"), -1, -1, QStringLiteral("60")}},
                              false,
                              QStringLiteral("O \"Número de Pontos de Lançamento\" deve ser um "
                                             "número inteiro de 1 a 50, e não 60.")};
        scenarios << Scenario{QStringLiteral("ce_6 = ce_7"),
                              {{QStringLiteral("ce_7"), -1, -1, QStringLiteral("5")},
                               {QStringLiteral("ce_6"), -1, -1, QStringLiteral("5")}},
                              false,
                              divisionByZero};
        scenarios << Scenario{
            QStringLiteral("K = -1000"),
            {{QStringLiteral("ce_2"), -1, -1, QStringLiteral("-1000")}},
            false,
            QStringLiteral("Excedeu a capacidade máxima do tipo ponto flutuante.")};
        break;
    case tavi::SectorId::Agriculture: {
        for (const QString &extreme : extremes) {
            Scenario every{QStringLiteral("every input cell %1").arg(extreme), {}, false, {}};
            for (int row = 0; row < 9; ++row)
                for (int col = 1; col < 11; ++col)
                    every.steps << Step{QStringLiteral("SG_Entrada"), col, row, extreme};
            for (int row = 0; row < 3; ++row)
                for (int col = 0; col < 9; ++col)
                    every.steps << Step{QStringLiteral("SG_Param"), col, row, extreme};
            for (int day = 1; day <= 3; ++day)
                for (int col = 1; col <= 2; ++col)
                    every.steps << Step{QStringLiteral("SG_Serie"), col, day, extreme};
            scenarios << every;
        }
        Scenario efficiencies{QStringLiteral("efficiencies 0"), {}, false, {}};
        for (int col = 0; col < 9; ++col)
            efficiencies.steps << Step{QStringLiteral("SG_Param"), col, 2, QStringLiteral("0")};
        scenarios << efficiencies;
        Scenario dryDay = efficiencies;
        dryDay.name = QStringLiteral("efficiencies 0 on a day with demand");
        dryDay.steps << Step{QStringLiteral("SG_Serie"), 1, 1, QStringLiteral("5")};
        scenarios << dryDay;
        scenarios << Scenario{QStringLiteral("letters in an ETP cell"),
                              {{QStringLiteral("SG_Serie"), 1, 1, QStringLiteral("abc")}},
                              false,
                              QStringLiteral("'abc' não é um valor de ponto flutuante válido.\n"
                                             "Série, dia 1, coluna ETP")};
        scenarios << Scenario{QStringLiteral("letters in a rainfall cell"),
                              {{QStringLiteral("SG_Serie"), 2, 4, QStringLiteral("xyz")}},
                              false,
                              QStringLiteral("'xyz' não é um valor de ponto flutuante válido.\n"
                                             "Série, dia 4, coluna P")};
        break;
    }
    case tavi::SectorId::Supply:
    case tavi::SectorId::Livestock:
        break;
    }
    return scenarios;
}

} // namespace monkey
