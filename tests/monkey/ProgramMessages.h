#pragma once

// The only texts the application error box may show: the program's four messages and the two
// of fields out of range, with the full stop the box adds; a series cell's message may name
// its day and column on a second line. A conversion message must quote a text that really
// does not read as a number; anything else (a C++ library's what(), "Erro desconhecido") is a
// fault.

#include "core/numbers/NumberText.h"

#include <QRegularExpression>
#include <QString>

namespace monkey
{

// Empty when `shown` is one of the program's messages, else why it is not.
inline QString whyNotAProgramMessage(const QString &boxText)
{
    static const QRegularExpression seriesPlace(
        QStringLiteral("\\nSérie, dia ([1-9]\\d*), coluna (ETP|P)$"));
    QString shown = boxText;
    shown.remove(seriesPlace);
    static const QRegularExpression outOfRange(
        QStringLiteral("^(O \"Número de Pontos de Lançamento\" deve ser um número inteiro de 1 a "
                       "50, e não [^\\n]+|A \"Eficiência média do sistema de abastecimento\" deve "
                       "estar entre 0 e 100 % \\(0: não informada\\); [^\\n]+ % está fora "
                       "desse intervalo)\\.$"));
    if (outOfRange.match(shown).hasMatch())
        return {};
    static const QString fixed[] = {
        QStringLiteral("Divisão de ponto flutuante por zero."),
        QStringLiteral("Operação de ponto flutuante inválida."),
        QStringLiteral("Excedeu a capacidade máxima do tipo ponto flutuante."),
    };
    for (const QString &message : fixed) {
        if (shown == message)
            return {};
    }
    static const QRegularExpression conversion(
        QStringLiteral("^'(.*)' não é um valor de ponto flutuante válido\\.$"),
        QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = conversion.match(shown);
    if (!match.hasMatch())
        return QStringLiteral("not one of the program's messages: \"%1\"").arg(shown);
    long double value = 0;
    if (tavi::tryTextToNumber(match.captured(1), &value))
        return QStringLiteral("reports as unreadable a text that reads as a number: \"%1\"")
            .arg(shown);
    return {};
}

// Empty when the dilution window's report of its maximum is a number in the general format.
inline QString whyNotAMaximum(const QString &shown)
{
    long double value = 0;
    if (!tavi::tryTextToNumber(shown, &value))
        return QStringLiteral("maximum report does not read as a number: \"%1\"").arg(shown);
    if (tavi::formatGeneral(value) != shown)
        return QStringLiteral("maximum report \"%1\" is not in the general format (\"%2\")")
            .arg(shown, tavi::formatGeneral(value));
    return {};
}

} // namespace monkey
