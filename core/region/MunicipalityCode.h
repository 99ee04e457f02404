#pragma once

#include <QString>

#include <optional>

// IBGE's municipality codes as the public tables write them: seven digits, or the six the
// sanitation system and older exports keep, without the check digit.
namespace tavi::region
{

class MunicipalityCode
{
public:
    // The code in `text` (blanks around it ignored): seven digits taken as they are, six
    // completed by their check digit; none for any other text, or for digits whose first two
    // are no Brazilian state's code.
    static std::optional<MunicipalityCode> fromText(const QString &text);

    // The check digit IBGE appends to a municipality's first six digits.
    static int checkDigit(const QString &sixDigits);

    // The seven digits.
    const QString &code() const { return m_code; }
    // The state's two-digit code (35) and its abbreviation ("SP").
    int stateCode() const;
    QString state() const;

    bool operator==(const MunicipalityCode &other) const { return m_code == other.m_code; }

private:
    explicit MunicipalityCode(QString code) : m_code(std::move(code)) {}
    QString m_code;
};

// "SP" for 35; empty for a number that is no state's code.
QString stateAbbreviation(int stateCode);

} // namespace tavi::region
