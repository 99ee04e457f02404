// A study written by the program before its computation moved into per-sector runs, kept with
// the summary that program computed from it (Brazilian settings): the file must read and write
// back byte for byte, and every day of every sector must come out as the same text.
#include "core/base/LocaleSettings.h"
#include "core/study/StudyFile.h"
#include "core/summary/MunicipalSummary.h"

#include <QFile>
#include <QTest>

using namespace tavi;

namespace
{

QByteArray fixture(const char *name)
{
    QFile file(QString::fromLocal8Bit(qgetenv("TAVI_SOURCE_DIR")) +
               QStringLiteral("/tests/support/fixtures/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("fixture %s not found (TAVI_SOURCE_DIR)", name);
    return file.readAll();
}

// The summary as the recorded lines give it, in the same order.
QStringList summaryLines(const Study &study)
{
    QStringList lines;
    const LocaleSettings locale = LocaleSettings::brazilian();
    for (SupplyScenario scenario : {SupplyScenario::Current, SupplyScenario::NextYear}) {
        const MunicipalSummary m = summarizeStudy(study, scenario, locale);
        for (int s = 0; s < 3; ++s)
            lines << QStringLiteral("setor %1 %2: ").arg(int(scenario)).arg(s) +
                         m.sectors[s].dailyTexts.join(QLatin1Char(' '));
        lines << QStringLiteral("total %1: ").arg(int(scenario)) +
                     m.totalTexts.join(QLatin1Char(' '));
        lines << QStringLiteral("diluicao: %1 ponto %2")
                     .arg(m.dilutionMaximumText)
                     .arg(m.dilutionPoint);
        lines << QStringLiteral("erros: ") + m.errors().join(QStringLiteral(" | "));
    }
    return lines;
}

} // namespace

class ReferenceStudyTest : public QObject
{
    Q_OBJECT

private slots:
    // The summary is computed with the settings it is given, whatever the program's own.
    void init() { LocaleSettings::setCurrent(LocaleSettings::decimalPoint()); }

    void reopensIdentical()
    {
        const QByteArray written = fixture("reference-study-v1.tavi");
        const StudyReading reading = readStudy(written);
        QVERIFY(reading.defaulted.isEmpty());
        QCOMPARE(reading.study.name, QStringLiteral("Município de referência"));
        QVERIFY(reading.study.windows.value(QStringLiteral("TF_Mod_Agricultura")).seriesOrigin);
        QCOMPARE(writeStudy(reading.study), written);
    }

    void computesAsBefore()
    {
        const Study study = readStudy(fixture("reference-study-v1.tavi")).study;
        const QStringList expected = QString::fromUtf8(fixture("reference-study-v1-summary.txt"))
                                         .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        const QStringList actual = summaryLines(study);
        QCOMPARE(actual.size(), expected.size());
        for (int i = 0; i < actual.size(); ++i)
            QCOMPARE(actual[i], expected[i]);
    }
};

QTEST_GUILESS_MAIN(ReferenceStudyTest)
#include "tst_reference_study.moc"
