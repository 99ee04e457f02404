#include "core/sectors/catalogue/BalanceKeys.h"
#include "core/study/StudyFile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>

using namespace tavi;

namespace
{

// Flows no file would give, to try every way a number can be written: many digits, none
// after the point, below any gauge's precision, beyond any river's flow.
const long double kThird = 1.0L / 3.0L;
const long double kWidenedTenth = static_cast<long double>(0.1); // a double's 0.1, not 0.1L

flows::FlowSeries gappedSeries()
{
    flows::FlowSeries series;
    series.station = QStringLiteral("56110000 - RIO \"PIRANGA\" EM PORTO FIRME");
    series.first = QDate(1999, 12, 28);
    series.days = {
        12.5L,    std::nullopt, 0.0L,          kThird,   std::acos(-1.0L) * 1000,   kWidenedTenth,
        0.1L,     1e-7L,        LDBL_TRUE_MIN, LDBL_MIN, 123456789012.0L,           2.5e15L,
        LDBL_MAX, std::nullopt, std::nullopt,  7.0L,     std::nextafter(7.0L, 8.0L)};
    return series;
}

Study studyWithBalance()
{
    Study study = defaultStudy();
    StudyBalance balance;
    balance.series = gappedSeries();
    balance.seriesSource = QStringLiteral("vazões_56110000.csv");
    balance.reference = QStringLiteral("Q7,10");
    balance.typedFlow = QStringLiteral("3.25");
    balance.grantShare = QStringLiteral("30");
    balance.firstMonth = QStringLiteral("10");
    balance.fit = QStringLiteral("lognormal3");
    study.balance = balance;
    return study;
}

QJsonObject goodBalance()
{
    return QJsonDocument::fromJson(writeStudy(studyWithBalance()))
        .object()
        .value(keys::kBalance)
        .toObject();
}

QByteArray withBalance(const QJsonValue &balance)
{
    QJsonObject root = QJsonDocument::fromJson(writeStudy(studyWithBalance())).object();
    root[keys::kBalance] = balance;
    return QJsonDocument(root).toJson();
}

QJsonObject balanceWith(const QString &member, const QJsonValue &value)
{
    QJsonObject balance = goodBalance();
    if (value.isUndefined())
        balance.remove(member);
    else
        balance[member] = value;
    return balance;
}

QJsonObject seriesWith(const QString &member, const QJsonValue &value)
{
    QJsonObject series = goodBalance().value(keys::kFlowSeries).toObject();
    if (value.isUndefined())
        series.remove(member);
    else
        series[member] = value;
    return balanceWith(keys::kFlowSeries, series);
}

// The flows with the fourth day (31/12/1999) replaced.
QJsonObject fourthDay(const QJsonValue &value)
{
    QJsonArray days =
        goodBalance().value(keys::kFlowSeries).toObject().value(keys::kFlowDays).toArray();
    days[3] = value;
    return seriesWith(keys::kFlowDays, days);
}

QString refusal(const QByteArray &content)
{
    try {
        readStudy(content);
    } catch (const StudyFormatError &error) {
        return error.message();
    }
    return QStringLiteral("(read without complaint)");
}

bool sameFlows(const flows::FlowSeries &a, const flows::FlowSeries &b)
{
    if (a.days.size() != b.days.size())
        return false;
    for (std::size_t d = 0; d < a.days.size(); ++d)
        if (a.days[d].has_value() != b.days[d].has_value() ||
            (a.days[d] && std::memcmp(&*a.days[d], &*b.days[d], 10) != 0))
            return false;
    return true;
}

// The C library's whole locale, for as long as it lives, as a user's session sets it.
class CLocale
{
public:
    explicit CLocale(const char *name)
        : m_previous(std::setlocale(LC_ALL, nullptr)),
          m_switched(std::setlocale(LC_ALL, name) != nullptr)
    {
    }
    ~CLocale() { std::setlocale(LC_ALL, m_previous.constData()); }
    bool switched() const { return m_switched; }

private:
    QByteArray m_previous;
    bool m_switched;
};

} // namespace

class StudyBalanceFileTest : public QObject
{
    Q_OBJECT

private slots:
    void balanceWithGapsSurvivesWritingAndReading()
    {
        const Study study = studyWithBalance();
        const QByteArray content = writeStudy(study);
        const StudyReading reading = readStudy(content);
        QVERIFY(reading.study.balance.has_value());
        QVERIFY(reading.study == study);
        // == on long doubles would let -0 pass for 0; the bits are compared.
        QVERIFY(sameFlows(*reading.study.balance->series, *study.balance->series));
        QCOMPARE(writeStudy(reading.study), content);
    }

    // Each flow in the fewest significant digits that read back as the same value: what a file
    // gave comes back as it was typed. The long ones were worked out by hand from the value's
    // bits: one digit fewer lies more than half a unit in the last place away.
    void flowsAreWrittenShortest_data()
    {
        QTest::addColumn<int>("day");
        QTest::addColumn<QString>("text");
        QTest::newRow("typed") << 0 << "12.5";
        QTest::newRow("missing") << 1 << "";
        QTest::newRow("zero") << 2 << "0";
        QTest::newRow("third") << 3 << "0.33333333333333333334";
        QTest::newRow("double's tenth") << 5 << "0.10000000000000000555";
        QTest::newRow("tenth") << 6 << "0.1";
        QTest::newRow("tiny") << 7 << "1e-07";
        QTest::newRow("whole") << 10 << "123456789012";
        QTest::newRow("large") << 11 << "2.5e+15";
        QTest::newRow("largest") << 12 << "1.189731495357231765e+4932";
        QTest::newRow("seven") << 15 << "7";
        QTest::newRow("next after seven") << 16 << "7.0000000000000000004";
    }

    void flowsAreWrittenShortest()
    {
        QFETCH(int, day);
        QFETCH(QString, text);
        const QJsonArray days =
            goodBalance().value(keys::kFlowSeries).toObject().value(keys::kFlowDays).toArray();
        QCOMPARE(days.size(), 17);
        QCOMPARE(days[day].toString(), text);
    }

    // Written where the user has a decimal comma, reopened where others have a point or a
    // comma again: the same flows, never "12,5" in the file.
    void writtenUnderOneLocaleReadsTheSameUnderAnother()
    {
        const Study study = studyWithBalance();
        QByteArray content;
        {
            const CLocale brazil("pt_BR.UTF-8");
            QVERIFY(brazil.switched());
            char probe[16];
            std::snprintf(probe, sizeof probe, "%.1f", 1.5);
            QCOMPARE(probe, "1,5"); // else this test would prove nothing
            content = writeStudy(study);
        }
        QVERIFY(content.contains("\"12.5\""));
        QVERIFY(!content.contains("12,5"));
        for (const char *name : {"en_US.UTF-8", "de_DE.UTF-8", "pt_BR.UTF-8"}) {
            const CLocale there(name);
            QVERIFY2(there.switched(), name);
            const Study reopened = readStudy(content).study;
            QVERIFY2(reopened == study, name);
            QVERIFY2(sameFlows(*reopened.balance->series, *study.balance->series), name);
            QCOMPARE(writeStudy(reopened), content);
        }
    }

    void badBalanceIsRefused_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        QTest::newRow("not an object")
            << withBalance(QJsonArray{1}) << "\"balanco\" deveria ser um objeto";
        QTest::newRow("unknown member") << withBalance(balanceWith("vazao", QStringLiteral("1")))
                                        << "\"vazao\" não é um dado de \"balanco\"";
        QTest::newRow("series not an object")
            << withBalance(balanceWith("serie", QStringLiteral("x")))
            << "\"balanco/serie\" deveria ser um objeto";
        QTest::newRow("series, unknown member")
            << withBalance(seriesWith("fim", QStringLiteral("2000-01-01")))
            << "\"fim\" não é um dado de \"balanco/serie\"";
        QTest::newRow("station a number") << withBalance(seriesWith("estacao", 56110000))
                                          << "\"balanco/serie/estacao\" deveria ser um texto";
        QTest::newRow("source a list") << withBalance(seriesWith("origem", QJsonArray()))
                                       << "\"balanco/serie/origem\" deveria ser um texto";
        QTest::newRow("no first day") << withBalance(seriesWith("inicio", QJsonValue::Undefined))
                                      << "falta o membro \"balanco/serie/inicio\"";
        QTest::newRow("first day that does not exist")
            << withBalance(seriesWith("inicio", QStringLiteral("2001-02-29")))
            << "\"balanco/serie/inicio\" deveria ser uma data";
        QTest::newRow("first day in dd/mm/aaaa")
            << withBalance(seriesWith("inicio", QStringLiteral("28/12/1999")))
            << "\"balanco/serie/inicio\" deveria ser uma data";
        QTest::newRow("first day centuries off")
            << withBalance(seriesWith("inicio", QStringLiteral("0999-01-01")))
            << "\"balanco/serie/inicio\" deveria ser uma data entre 1800-01-01 e 2200-12-31";
        QTest::newRow("running past 2200")
            << withBalance(seriesWith("inicio", QStringLiteral("2200-12-20")))
            << "\"balanco/serie/vazoes\" tem 17 vazões: vai além de 31/12/2200";
        QTest::newRow("no flows") << withBalance(seriesWith("vazoes", QJsonValue::Undefined))
                                  << "falta o membro \"balanco/serie/vazoes\"";
        QTest::newRow("flows a text") << withBalance(seriesWith("vazoes", QStringLiteral("12.5")))
                                      << "\"balanco/serie/vazoes\" deveria ser uma lista de vazões";
        QTest::newRow("flow a bare number")
            << withBalance(fourthDay(12.5))
            << "a vazão do dia 31/12/1999 em \"balanco/serie/vazoes\" deveria ser um texto";
        QTest::newRow("flow null")
            << withBalance(fourthDay(QJsonValue::Null)) << "a vazão do dia 31/12/1999";
        QTest::newRow("flow a word")
            << withBalance(fourthDay(QStringLiteral("seca")))
            << "a vazão do dia 31/12/1999 em \"balanco/serie/vazoes\" deveria ser um número em "
               "m³/s, mas é \"seca\"";
        for (const char *text : {"12,5", " 12.5", "inf", "nan", "0x1p3", "1e99999", ".", "1e"}) {
            QTest::newRow(text) << withBalance(fourthDay(QString::fromLatin1(text)))
                                << QStringLiteral("a vazão do dia 31/12/1999 em "
                                                  "\"balanco/serie/vazoes\" deveria ser um "
                                                  "número em m³/s, mas é \"%1\"")
                                       .arg(QLatin1String(text));
        }
        QTest::newRow("negative flow")
            << withBalance(fourthDay(QStringLiteral("-0.5")))
            << "a vazão do dia 31/12/1999 em \"balanco/serie/vazoes\" é negativa (-0.5)";
        QTest::newRow("reference unknown")
            << withBalance(balanceWith("referencia", QStringLiteral("Q80")))
            << "\"balanco/referencia\" deveria ser Q90, Q95, Q7,10, QMLT ou digitada, mas é "
               "\"Q80\"";
        QTest::newRow("reference a number") << withBalance(balanceWith("referencia", 95))
                                            << "\"balanco/referencia\" deveria ser um texto";
        QTest::newRow("fit unknown")
            << withBalance(balanceWith("ajuste", QStringLiteral("gumbel")))
            << "\"balanco/ajuste\" deveria ser weibull, lognormal3 ou empirica, mas é \"gumbel\"";
        QTest::newRow("month 13")
            << withBalance(balanceWith("inicio_ano_hidrologico", QStringLiteral("13")))
            << "\"balanco/inicio_ano_hidrologico\" deveria ser um mês de 1 a 12, mas é \"13\"";
        QTest::newRow("month 0")
            << withBalance(balanceWith("inicio_ano_hidrologico", QStringLiteral("0")))
            << "\"balanco/inicio_ano_hidrologico\" deveria ser um mês de 1 a 12";
        QTest::newRow("month by name")
            << withBalance(balanceWith("inicio_ano_hidrologico", QStringLiteral("outubro")))
            << "\"balanco/inicio_ano_hidrologico\" deveria ser um mês de 1 a 12";
        QTest::newRow("grant share a word")
            << withBalance(balanceWith("fracao_outorgavel", QStringLiteral("metade")))
            << "\"balanco/fracao_outorgavel\" deveria ser um número, mas é \"metade\"";
        QTest::newRow("grant share with a comma")
            << withBalance(balanceWith("fracao_outorgavel", QStringLiteral("50,5")))
            << "\"balanco/fracao_outorgavel\" deveria ser um número";
        QTest::newRow("typed flow a word")
            << withBalance(balanceWith("vazao_digitada", QStringLiteral("alta")))
            << "\"balanco/vazao_digitada\" deveria ser um número, mas é \"alta\"";
    }

    void badBalanceIsRefused()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        const QString got = refusal(content);
        if (!got.contains(message))
            QFAIL(qPrintable(got));
    }

    // What the window may hold that is no wrong file: a choice it has not checked yet, a
    // member a person left out, a series with a trailing point or none at all.
    void lenientWhereTheFileIsSound()
    {
        QJsonObject choices = goodBalance();
        choices["fracao_outorgavel"] = QStringLiteral("150");
        choices["vazao_digitada"] = QString();
        choices.remove("ajuste");
        const Study read = readStudy(withBalance(choices)).study;
        QCOMPARE(read.balance->grantShare, QStringLiteral("150"));
        QCOMPARE(read.balance->fit, QStringLiteral("weibull"));

        const Study trailing = readStudy(withBalance(fourthDay(QStringLiteral("1.")))).study;
        QCOMPARE(*trailing.balance->series->days[3], 1.0L);
        const Study minusZero = readStudy(withBalance(fourthDay(QStringLiteral("-0")))).study;
        QVERIFY(!std::signbit(*minusZero.balance->series->days[3]));
    }

    // A balance on a typed flow has no series; an empty series stays an empty series.
    void balanceWithoutSeries()
    {
        Study typed = defaultStudy();
        typed.balance = StudyBalance{};
        typed.balance->reference = QStringLiteral("digitada");
        typed.balance->typedFlow = QStringLiteral("4.8");
        const QByteArray content = writeStudy(typed);
        QVERIFY(!content.contains("\"serie\""));
        const Study read = readStudy(content).study;
        QVERIFY(read == typed);
        QVERIFY(!read.balance->series);

        Study empty = defaultStudy();
        empty.balance = StudyBalance{};
        empty.balance->series = flows::FlowSeries{};
        const Study emptyRead = readStudy(writeStudy(empty)).study;
        QVERIFY(emptyRead == empty);
        QVERIFY(emptyRead.balance->series && emptyRead.balance->series->isEmpty());
    }

    // Studies without a balance, saved before there were balances or since, read and write
    // byte for byte as they did.
    void studyWithoutBalanceIsUnchanged()
    {
        const QByteArray plain = writeStudy(defaultStudy());
        QVERIFY(!plain.contains("balanco"));
        const StudyReading reading = readStudy(plain);
        QVERIFY(!reading.study.balance);
        QCOMPARE(writeStudy(reading.study), plain);

        QFile old(QString::fromLocal8Bit(qgetenv("TAVI_SOURCE_DIR")) +
                  QStringLiteral("/tests/support/fixtures/reference-study-v1.tavi"));
        QVERIFY2(old.open(QIODevice::ReadOnly), "TAVI_SOURCE_DIR");
        const QByteArray written = old.readAll();
        const Study reopened = readStudy(written).study;
        QVERIFY(!reopened.balance);
        QCOMPARE(writeStudy(reopened), written);
    }

    // Fifty years of a gauge's daily flows, as an export gives them (centimetre-of-a-cubic-
    // metre readings, gaps in the dry seasons): the study stays a size a person can open in a
    // text editor, and reads back the same.
    void fiftyYears()
    {
        Study study = defaultStudy();
        study.balance = StudyBalance{};
        flows::FlowSeries series;
        series.first = QDate(1971, 1, 1);
        const int days = int(series.first.daysTo(QDate(2020, 12, 31))) + 1;
        for (int d = 0; d < days; ++d) {
            if (d % 97 < 3) {
                series.days.push_back(std::nullopt);
                continue;
            }
            const long double seasonal = 40 + 35 * std::sin(2 * M_PI * d / 365.25);
            series.days.push_back(std::round(seasonal * 100) / 100);
        }
        study.balance->series = series;

        QElapsedTimer timer;
        timer.start();
        const QByteArray content = writeStudy(study);
        const qint64 writing = timer.restart();
        const Study reopened = readStudy(content).study;
        const qint64 reading = timer.elapsed();
        QVERIFY(reopened == study);
        const qsizetype bytes = content.size() - writeStudy(defaultStudy()).size();
        const int lines = int(content.count('\n'));
        qInfo("50 years (%d days): balance %lld bytes, study %d lines; written in %lld ms, read "
              "in %lld ms",
              days, qint64(bytes), lines, writing, reading);
        // About 9 bytes a day: a flow in quotes and its comma, a tenth of a line's indent.
        QVERIFY(bytes < 12 * days);
        QVERIFY(lines < days / 8 + 1000);
        QVERIFY(content.contains("\"75\"") || content.contains("\"74.99\""));
    }
};

QTEST_GUILESS_MAIN(StudyBalanceFileTest)
#include "tst_study_balance_file.moc"
