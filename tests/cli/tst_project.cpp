// `tavi projetar` as a planner uses it to check a projection without a study: the population
// each method gives, its R² or saturation, why a method does not apply, and the counts and
// arguments it refuses, with the status it ends with.
#include "support/ProgramRun.h"

#include "cli/Arguments.h"
#include "core/numbers/ReadableNumber.h"
#include "core/projection/PopulationProjection.h"

#include <QTest>

#include <cmath>

using namespace tavi;
using namespace tavi::projection;

namespace
{

// The line of the printed table that begins with `name`.
QString lineOf(const QString &text, const QString &name)
{
    for (const QString &line : text.split(QLatin1Char('\n')))
        if (line.startsWith(name + QLatin1String("  ")))
            return line.simplified();
    return QString();
}

} // namespace

class ProjectTest : public QObject
{
    Q_OBJECT

private slots:
    // One line per method: what the core projects, in the locale's numbers; the methods that
    // do not apply say why.
    void everyMethodOnItsLine()
    {
        const testing::ProgramRun run =
            testing::runProgram({"projetar", "1991=50000", "2000=62.000", "2010=70000", "--até",
                                 "2040", "--saturacao=90000"});
        CHECK_STATUS(run, 0);
        QCOMPARE(run.err, QString());
        QVERIFY(run.out.startsWith(QStringLiteral(
            "Projeção da população para 2040, a partir das contagens de 1991, 2000 e 2010.")));
        const std::vector<PopulationCount> counts{{1991, 50000}, {2000, 62000}, {2010, 70000}};
        for (const ProjectionFit &fit : fitEveryMethod(counts, 90000)) {
            const QString name = methodName(fit.method());
            const QString line = lineOf(run.out, name);
            if (!fit.applies()) {
                QCOMPARE(line, QStringLiteral("%1 — não se aplica: %2").arg(name, fit.problem()));
                continue;
            }
            QString expected = name + QLatin1Char(' ') + formatReadable(fit.populationIn(2040), 0);
            if (fit.rSquared())
                expected += QStringLiteral(" R² ") + formatReadable(*fit.rSquared(), 4);
            if (fit.saturation())
                expected += QStringLiteral(" saturação ") + formatReadable(*fit.saturation(), 0);
            QCOMPARE(line, expected);
        }
        QVERIFY(lineOf(run.out, QStringLiteral("Curva logística"))
                    .contains(QStringLiteral("igualmente espaçadas")));
        QVERIFY(lineOf(run.out, QStringLiteral("Taxa decrescente de crescimento"))
                    .contains(formatReadable(90000, 0)));
    }

    // Nothing is projected from counts or arguments that cannot be used: the reason on
    // standard error, status 2.
    void refused_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("one count") << QStringList{"projetar", "2010=5000", "--ate", "2040"}
                                   << "Informe ao menos duas contagens de população (ano e "
                                      "população).";
        QTest::newRow("a year twice")
            << QStringList{"projetar", "2010=5000", "2010=5100", "--ate", "2040"}
            << "O ano 2010 aparece duas vezes.";
        QTest::newRow("before the first census")
            << QStringList{"projetar", "1850=5000", "2010=5100", "--ate", "2040"}
            << "O ano 1850 está fora de 1872 a 2100.";
        QTest::newRow("negative") << QStringList{"projetar", "2000=4000", "2010=-5", "--ate",
                                                 "2040"}
                                  << "A população de 2010 é negativa.";
        QTest::newRow("not a count")
            << QStringList{"projetar", "2000=4000", "2010:5", "--ate", "2040"}
            << "\"2010:5\" não é uma contagem ANO=POPULAÇÃO, como 2010=62000";
        QTest::newRow("no year") << QStringList{"projetar", "2000=4000", "2010=5000"}
                                 << "falta o ano da projeção: tavi projetar ANO=POP ANO=POP --ate "
                                    "ANO";
        QTest::newRow("a year beyond 2100")
            << QStringList{"projetar", "2000=4000", "2010=5000", "--ate=2200"}
            << "a opção --ate precisa de um ano de 1872 a 2100";
        QTest::newRow("a saturation that is no population")
            << QStringList{"projetar", "2000=4000",   "2010=5000", "--ate",
                           "2040",     "--saturacao", "muita"}
            << "a opção --saturacao precisa de uma população positiva";
        QTest::newRow("unknown option")
            << QStringList{"projetar", "2000=4000", "2010=5000", "--ate", "2040", "--metodo"}
            << "opção desconhecida: --metodo";
    }
    void refused()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        const testing::ProgramRun run = testing::runProgram(arguments);
        CHECK_STATUS(run, 2);
        QCOMPARE(run.out, QString());
        QCOMPARE(
            run.err,
            QStringLiteral("tavi: %1\nUse \"tavi --ajuda\" para ver as opções.\n").arg(message));
    }

    // Whole people with or without a thousands separator; a decimal only where the digits
    // after the separator are not a group of three.
    void populationsAsTyped_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("read"); // NaN: not a population
        QTest::newRow("plain") << "62000" << 62000.0;
        QTest::newRow("thousands point") << "62.000" << 62000.0;
        QTest::newRow("thousands comma") << "62,000" << 62000.0;
        QTest::newRow("millions") << "1.234.567" << 1234567.0;
        QTest::newRow("mixed groups") << "1.234,567" << std::nan("");
        QTest::newRow("decimal comma") << "62,5" << 62.5;
        QTest::newRow("decimal point") << "62.5" << 62.5;
        QTest::newRow("negative") << "-5" << -5.0;
        QTest::newRow("a word") << "muita" << std::nan("");
        QTest::newRow("empty") << "" << std::nan("");
    }
    void populationsAsTyped()
    {
        QFETCH(QString, typed);
        QFETCH(double, read);
        const std::optional<long double> population = cli::readPopulation(typed);
        QCOMPARE(population.has_value(), !std::isnan(read));
        if (population)
            QCOMPARE(double(*population), read);
    }
};

QTEST_GUILESS_MAIN(ProjectTest)
#include "tst_project.moc"
