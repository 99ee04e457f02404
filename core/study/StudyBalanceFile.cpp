#include "core/study/StudyBalanceFile.h"

#include "core/numbers/ClassicNumberFormat.h"
#include "core/numbers/StudyText.h"
#include "core/sectors/catalogue/BalanceKeys.h"
#include "core/study/StudyJson.h"

#include <QJsonArray>

#include <algorithm>

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tavi::studyjson
{

namespace
{

// Ten flows a line: a 50-year series is some 1 800 lines a person can still scroll and read,
// where one flow a line would be 18 000 and a single line a megabyte wide.
constexpr int kFlowsPerLine = 10;
// The years a flow series file may hold (FlowText.h): a series beyond them was never read
// from one, and would only stretch a study over centuries of days.
const QDate kFirstFlowDay(1800, 1, 1);
const QDate kLastFlowDay(2200, 12, 31);

const QString kDateFormat = QStringLiteral("yyyy-MM-dd");

QString memberPath(const QString &parent, QLatin1String name)
{
    return parent + QLatin1Char('/') + name;
}

// A flow as "%.*Lg" prints it; the caller holds a ClassicNumberFormat so that it has a point.
QByteArray printedFlow(long double value, int digits)
{
    char text[64];
    const int length = std::snprintf(text, sizeof text, "%.*Lg", digits, value);
    return QByteArray(text, length);
}

bool readsBackAs(const QByteArray &text, long double value)
{
    return std::strtold(text.constData(), nullptr) == value;
}

// The fewest significant digits that read back as the same long double. A value printed to
// more digits is never further from itself, so once some count reads back every larger one
// does, and the count can be searched for. Flows read from a file (12.5) are found in the
// first few tries; a computed one may need all LDBL_DECIMAL_DIG.
QByteArray shortestFlowText(long double value)
{
    if (value == 0)
        return QByteArrayLiteral("0");
    constexpr int kFewDigits = 6;
    for (int digits = 1; digits <= kFewDigits; ++digits) {
        const QByteArray text = printedFlow(value, digits);
        if (readsBackAs(text, value))
            return text;
    }
    int low = kFewDigits + 1;
    int high = LDBL_DECIMAL_DIG;
    while (low < high) {
        const int middle = (low + high) / 2;
        if (readsBackAs(printedFlow(value, middle), value))
            high = middle;
        else
            low = middle + 1;
    }
    return printedFlow(value, low);
}

// Decimal text as a person or this program writes a number: digits, one point, an exponent.
// strtold alone would take "inf", "nan", hexadecimal and leading blanks as well.
bool isDecimalText(const QString &text)
{
    int i = 0;
    const int n = int(text.size());
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        ++i;
    int digits = 0;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
        ++i;
        ++digits;
    }
    if (i < n && text[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return false;
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        ++i;
        if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
            ++i;
        const int exponentStart = i;
        while (i < n && text[i].isDigit() && text[i].unicode() < 128)
            ++i;
        if (i == exponentStart)
            return false;
    }
    return i == n;
}

std::optional<long double> readFlowText(const QJsonValue &value, const QDate &day,
                                        const QString &member)
{
    const QString dayName = day.toString(QStringLiteral("dd/MM/yyyy"));
    if (!value.isString())
        fail(QStringLiteral("a vazão do dia %1 em \"%2\" deveria ser um texto, mas é %3")
                 .arg(dayName, member,
                      value.isDouble() ? QStringLiteral("um número sem aspas")
                                       : QStringLiteral("outro valor")));
    const QString text = value.toString();
    if (text.isEmpty())
        return std::nullopt;
    auto notAFlow = [&]() {
        fail(QStringLiteral("a vazão do dia %1 em \"%2\" deveria ser um número em m³/s, mas é "
                            "\"%3\"")
                 .arg(dayName, member, text.left(40)));
    };
    if (!isDecimalText(text))
        notAFlow();
    const QByteArray latin = text.toLatin1();
    const long double flow = std::strtold(latin.constData(), nullptr);
    if (!std::isfinite(flow))
        notAFlow();
    if (flow < 0)
        fail(QStringLiteral("a vazão do dia %1 em \"%2\" é negativa (%3)")
                 .arg(dayName, member, text));
    // "-0" is no flow below zero, and must not show as one.
    return flow == 0 ? 0.0L : flow;
}

QJsonObject objectOf(const QJsonValue &value, const QString &member)
{
    if (!value.isObject())
        failType(member, QStringLiteral("um objeto"), value);
    return value.toObject();
}

// A member the object should not have: a misspelt one would otherwise leave its choice at the
// default without a word.
void refuseUnknownMembers(const QJsonObject &object, const QString &member,
                          std::initializer_list<QLatin1String> known)
{
    for (auto m = object.constBegin(); m != object.constEnd(); ++m)
        if (std::find(known.begin(), known.end(), m.key()) == known.end())
            fail(QStringLiteral("\"%1\" não é um dado de \"%2\"").arg(m.key(), member));
}

flows::FlowSeries readSeries(const QJsonObject &object, const QString &member, QString *source)
{
    refuseUnknownMembers(
        object, member,
        {keys::kFlowStation, keys::kFlowSource, keys::kFlowFirstDay, keys::kFlowDays});
    flows::FlowSeries series;
    auto text = [&object, &member](QLatin1String name) {
        const QJsonValue value = object.value(name);
        return value.isUndefined() ? QString() : checkedCellText(value, memberPath(member, name));
    };
    series.station = text(keys::kFlowStation);
    *source = text(keys::kFlowSource);

    const QString firstMember = memberPath(member, keys::kFlowFirstDay);
    const QString daysMember = memberPath(member, keys::kFlowDays);
    const QJsonValue first = object.value(keys::kFlowFirstDay);
    if (first.isUndefined())
        fail(QStringLiteral("falta o membro \"%1\"").arg(firstMember));
    const QString firstText = checkedCellText(first, firstMember);
    const QJsonValue days = object.value(keys::kFlowDays);
    if (days.isUndefined())
        fail(QStringLiteral("falta o membro \"%1\"").arg(daysMember));
    if (!days.isArray())
        failType(daysMember, QStringLiteral("uma lista de vazões"), days);
    const QJsonArray flows = days.toArray();

    // A series with no day has no first day either: a window's empty series is kept as such.
    if (flows.isEmpty() && firstText.isEmpty())
        return series;
    series.first = QDate::fromString(firstText, kDateFormat);
    if (!series.first.isValid() || series.first < kFirstFlowDay || series.first > kLastFlowDay)
        fail(QStringLiteral("\"%1\" deveria ser uma data entre %2 e %3 (aaaa-mm-dd), mas é \"%4\"")
                 .arg(firstMember, kFirstFlowDay.toString(kDateFormat),
                      kLastFlowDay.toString(kDateFormat), firstText));
    if (flows.size() > series.first.daysTo(kLastFlowDay) + 1)
        fail(QStringLiteral("\"%1\" tem %2 vazões: vai além de %3")
                 .arg(daysMember)
                 .arg(flows.size())
                 .arg(kLastFlowDay.toString(QStringLiteral("dd/MM/yyyy"))));
    series.days.reserve(std::size_t(flows.size()));
    QDate day = series.first;
    for (const QJsonValue &flow : flows) {
        series.days.push_back(readFlowText(flow, day, daysMember));
        day = day.addDays(1);
    }
    return series;
}

QString choiceText(const QJsonObject &object, QLatin1String name, const QString &fallback)
{
    const QJsonValue value = object.value(name);
    return value.isUndefined() ? fallback
                               : checkedCellText(value, memberPath(keys::kBalance, name));
}

void refuseChoice(QLatin1String name, const QString &text, const QString &expected)
{
    fail(QStringLiteral("\"%1\" deveria ser %2, mas é \"%3\"")
             .arg(memberPath(keys::kBalance, name), expected, text.left(40)));
}

void appendMember(QByteArray &out, const char *indent, QLatin1String name, const QString &text)
{
    out += ",\n";
    out += indent;
    appendString(out, name);
    out += ": ";
    appendString(out, text);
}

void appendSeries(QByteArray &out, const flows::FlowSeries &series, const QString &source)
{
    out += "\n    ";
    appendString(out, keys::kFlowSeries);
    out += ": {\n      ";
    appendString(out, keys::kFlowStation);
    out += ": ";
    appendString(out, series.station);
    appendMember(out, "      ", keys::kFlowSource, source);
    appendMember(out, "      ", keys::kFlowFirstDay,
                 series.first.isValid() ? series.first.toString(kDateFormat) : QString());
    out += ",\n      ";
    appendString(out, keys::kFlowDays);
    out += ": [";
    const ClassicNumberFormat classic;
    for (std::size_t d = 0; d < series.days.size(); ++d) {
        out += d == 0 ? "\n        " : d % kFlowsPerLine == 0 ? ",\n        " : ", ";
        const std::optional<long double> &flow = series.days[d];
        out += '"';
        if (flow)
            out += shortestFlowText(*flow);
        out += '"';
    }
    out += series.days.empty() ? "]" : "\n      ]";
    out += "\n    },";
}

} // namespace

std::optional<StudyBalance> readBalance(const QJsonObject &root)
{
    const QJsonValue value = root.value(keys::kBalance);
    if (value.isUndefined())
        return std::nullopt;
    const QString member = keys::kBalance;
    const QJsonObject object = objectOf(value, member);
    refuseUnknownMembers(object, member,
                         {keys::kFlowSeries, keys::kReferenceFlow, keys::kTypedFlow,
                          keys::kGrantShare, keys::kHydrologicalYearStart, keys::kMinimaFit});
    StudyBalance balance;
    const QJsonValue series = object.value(keys::kFlowSeries);
    // Without a series the balance stands on a typed flow.
    if (!series.isUndefined()) {
        const QString seriesMember = memberPath(member, keys::kFlowSeries);
        const ClassicNumberFormat classic;
        balance.series =
            readSeries(objectOf(series, seriesMember), seriesMember, &balance.seriesSource);
    }

    // A choice left out reads as the window's default, as a horizon's year left out does.
    balance.reference = choiceText(object, keys::kReferenceFlow, balance.reference);
    const QLatin1String references[] = {keys::kReferenceQ90, keys::kReferenceQ95,
                                        keys::kReferenceQ710, keys::kReferenceQmlt,
                                        keys::kReferenceTyped};
    if (std::find(std::begin(references), std::end(references), balance.reference) ==
        std::end(references))
        refuseChoice(keys::kReferenceFlow, balance.reference,
                     QStringLiteral("Q90, Q95, Q7,10, QMLT ou digitada"));

    balance.fit = choiceText(object, keys::kMinimaFit, balance.fit);
    const QLatin1String fits[] = {keys::kFitWeibull, keys::kFitLogNormal3, keys::kFitEmpirical};
    if (std::find(std::begin(fits), std::end(fits), balance.fit) == std::end(fits))
        refuseChoice(keys::kMinimaFit, balance.fit,
                     QStringLiteral("weibull, lognormal3 ou empirica"));

    balance.firstMonth = choiceText(object, keys::kHydrologicalYearStart, balance.firstMonth);
    bool isMonth = false;
    const int month = balance.firstMonth.toInt(&isMonth);
    if (!isMonth || month < 1 || month > 12 || balance.firstMonth != QString::number(month))
        refuseChoice(keys::kHydrologicalYearStart, balance.firstMonth,
                     QStringLiteral("um mês de 1 a 12"));

    // Typed numbers are kept as typed, as a window's fields are: whether they make sense is
    // the balance's to say (readChoices), and the study still opens to mend them.
    balance.typedFlow = choiceText(object, keys::kTypedFlow, balance.typedFlow);
    if (!isFieldStudyText(balance.typedFlow))
        refuseChoice(keys::kTypedFlow, balance.typedFlow, QStringLiteral("um número"));
    balance.grantShare = choiceText(object, keys::kGrantShare, balance.grantShare);
    if (!isFieldStudyText(balance.grantShare))
        refuseChoice(keys::kGrantShare, balance.grantShare, QStringLiteral("um número"));
    return balance;
}

void appendBalance(QByteArray &out, const StudyBalance &balance)
{
    out += ",\n  ";
    appendString(out, keys::kBalance);
    out += ": {";
    if (balance.series)
        appendSeries(out, *balance.series, balance.seriesSource);
    out += "\n    ";
    appendString(out, keys::kReferenceFlow);
    out += ": ";
    appendString(out, balance.reference);
    appendMember(out, "    ", keys::kTypedFlow, balance.typedFlow);
    appendMember(out, "    ", keys::kGrantShare, balance.grantShare);
    appendMember(out, "    ", keys::kHydrologicalYearStart, balance.firstMonth);
    appendMember(out, "    ", keys::kMinimaFit, balance.fit);
    out += "\n  }";
}

} // namespace tavi::studyjson
