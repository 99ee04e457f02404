// Regions through their file: written and read back whole in each locale, the same bytes
// whatever the locale, each damaged or wrong file refused naming the member, saved in one step,
// and the recovery copy of a region found after a crash but not while its program runs.
#include "core/region/MunicipalityCode.h"
#include "core/region/RegionFile.h"
#include "core/region/RegionRecovery.h"
#include "core/sectors/catalogue/StudyKeys.h"
#include "core/study/StudyFile.h"
#include "support/RegionSamples.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#include <clocale>

using namespace tavi;
using namespace tavi::region;

namespace
{

// The sample region's file with `from` replaced by `to` once.
QByteArray edited(const QByteArray &from, const QByteArray &to)
{
    QByteArray content = writeRegion(testing::sampleRegion());
    const qsizetype at = content.indexOf(from);
    if (at < 0)
        qFatal("\"%s\" is not in the file", from.constData());
    return content.replace(at, from.size(), to);
}

} // namespace

class RegionFileTest : public QObject
{
    Q_OBJECT

private slots:
    void roundTripInEachLocale_data();
    void roundTripInEachLocale();
    void badFiles_data();
    void badFiles();
    void savesAndLoads();
    void recoveryCopies();
    void nationalRegionReadsBack();
};

void RegionFileTest::roundTripInEachLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::newRow("pt_BR") << "pt_BR.UTF-8";
    QTest::newRow("en_US") << "en_US.UTF-8";
    QTest::newRow("C") << "C";
}

void RegionFileTest::roundTripInEachLocale()
{
    QFETCH(QString, locale);
    const QByteArray inC = writeRegion(testing::sampleRegion(), "/x/bacia.tavi-regiao");
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, locale.toLatin1().constData());
    QLocale::setDefault(QLocale(locale.section('.', 0, 0)));

    const Region region = testing::sampleRegion();
    const QByteArray content = writeRegion(region, "/x/bacia.tavi-regiao");
    const RegionReading reading = readRegion(content);
    std::setlocale(LC_ALL, previous.c_str());
    QLocale::setDefault(QLocale::c());

    QVERIFY(reading.region == region);
    QCOMPARE(reading.originalPath, QStringLiteral("/x/bacia.tavi-regiao"));
    QCOMPARE(content, inC);
    // Each municipality's study is the same, read or not.
    for (std::size_t i = 0; i < region.municipalities.size(); ++i)
        QVERIFY(municipalityStudy(reading.region, int(i)) == municipalityStudy(region, int(i)));
    // An empty region, and one without a name, read back too.
    QVERIFY(readRegion(writeRegion(emptyRegion())).region == emptyRegion());
}

void RegionFileTest::badFiles_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");

    QTest::newRow("empty") << QByteArray("  \n") << "o arquivo está vazio";
    QTest::newRow("cut short") << writeRegion(testing::sampleRegion()).left(900)
                               << "o arquivo está incompleto";
    QTest::newRow("not JSON") << QByteArray("codigo;valor\n") << "o arquivo está danificado";
    QTest::newRow("Latin-1") << QByteArray("{\"nome\": \"S\xE3o\"}") << "não é um texto em UTF-8";
    QTest::newRow("a study") << writeStudy(defaultStudy()) << "não tem o formato \"tavi-regiao\"";
    QTest::newRow("newer version")
        << edited("\"versao\": 1", "\"versao\": 7") << "gravada na versão 7 do formato";
    // Worded for a region though read by the same code as a study.
    QTest::newRow("cut short, whole")
        << QByteArray("{\"formato\": \"tavi-regiao\"")
        << "o arquivo está incompleto: termina na linha 1, coluna 26 antes do fim da região";
    QTest::newRow("not JSON, whole") << QByteArray("codigo;valor\n")
                                     << "o arquivo está danificado: o conteúdo não é JSON válido "
                                        "(linha 1, coluna 2)";
    QTest::newRow("binary") << QByteArray("{\0}", 3) << "o arquivo é binário, não um texto";
    QTest::newRow("a list") << QByteArray("[]") << "o arquivo não é uma região do TAVI";
    QTest::newRow("no format") << QByteArray("{\"versao\": 1}")
                               << "o arquivo não é uma região do TAVI (não tem o formato "
                                  "\"tavi-regiao\")";
    QTest::newRow("version a text") << edited("\"versao\": 1", "\"versao\": \"1\"")
                                    << "versao: deveria ser um número inteiro, mas é um texto";
    QTest::newRow("newer version, whole")
        << edited("\"versao\": 1", "\"versao\": 7")
        << "a região foi gravada na versão 7 do formato, mais nova do que esta versão do "
           "programa sabe ler (1); abra-a com uma versão mais nova do TAVI";
    QTest::newRow("version 0") << edited("\"versao\": 1", "\"versao\": 0")
                               << "a versão 0 do formato não existe";
    QTest::newRow("name a number") << edited("\"nome\": ", "\"nome\": 1, \"x\": ")
                                   << "nome: deveria ser um texto, mas é um número";
    QTest::newRow("no template") << edited("\"modelo\"", "\"modelo_\"")
                                 << "falta o membro \"modelo\"";
    QTest::newRow("template field not a number")
        << edited("\"me_1\": \"\"", "\"me_1\": \"abc\"")
        << "modelo: o campo \"Abastecimento Público: População atendida pela rede pública "
           "(habitantes)\" deveria conter um número, mas contém \"abc\"";
    QTest::newRow("municipalities not a list")
        << edited("\"municipios\": [", "\"municipios\": \"x\", \"y\": [")
        << "municipios: deveria ser uma lista, mas é um texto";
    QTest::newRow("short code")
        << edited("\"codigo\": \"3550308\"", "\"codigo\": \"35503\"")
        << "municipios[0]/codigo: \"35503\" não é um código de município do "
           "IBGE";
    QTest::newRow("six digits") << edited("\"codigo\": \"3550308\"", "\"codigo\": \"355030\"")
                                << "municipios[0]/codigo: \"355030\" não é um código";
    QTest::newRow("code a number") << edited("\"codigo\": \"3550308\"", "\"codigo\": 3550308")
                                   << "municipios[0]/codigo: deveria ser um texto, mas é um número";
    QTest::newRow("duplicate code")
        << edited("\"codigo\": \"3509502\"", "\"codigo\": \"3550308\"")
        << "municipios[1]/codigo: o município 3550308 (Campinas (SP)) já está em municipios[0]";
    QTest::newRow("override not a number")
        << edited("\"e_qte_bovino\": \"4512\"", "\"e_qte_bovino\": \"muitos\"")
        << "municipios[1]/janelas/TF_Mod_Pecuaria/e_qte_bovino: o campo \"Pecuária: Número de "
           "cabeças, Bovino\" deveria conter um número";
    QTest::newRow("unknown window")
        << edited("\"TF_Abast_Publico\": {\n          \"me_3\"",
                  "\"TF_Outra\": {\n          \"me_3\"")
        << "municipios[1]/janelas/TF_Outra: não há janela com este nome";
    QTest::newRow("unknown member")
        << edited("\"e_qte_bovino\": \"4512\"", "\"e_qte_vaca\": \"4512\"")
        << "municipios[1]/janelas/TF_Mod_Pecuaria: a janela \"Pecuária\" não tem o membro "
           "\"e_qte_vaca\"";
    QTest::newRow("grid of the wrong width")
        << edited("[\"3.75\"", "[\"3.75\", \"1\"") << "municipios[3] (Curitiba (PR)): a linha 2";
    QTest::newRow("flow not a number")
        << edited("\"vazao_referencia\": \"12.5\"", "\"vazao_referencia\": \"12,5\"")
        << "municipios[2]/vazao_referencia: \"12,5\" não é um número";
    QTest::newRow("sources not texts") << edited("\"origens\": {", "\"origens\": {\"x\": 1, ")
                                       << "municipios[1]/origens/x: deveria ser um texto";
}

void RegionFileTest::badFiles()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    try {
        readRegion(content);
        QFAIL("read");
    } catch (const RegionFormatError &error) {
        QVERIFY2(error.message().contains(message), qPrintable(error.message()));
    }
}

void RegionFileTest::savesAndLoads()
{
    QTemporaryDir folder;
    const QString path = folder.filePath("bacia.tavi-regiao");
    Region region = testing::sampleRegion();
    saveRegionFile(path, region);
    region.municipalities.pop_back();
    saveRegionFile(path, region);
    QVERIFY(loadRegionFile(path).region == region);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"bacia.tavi-regiao"});

    try {
        saveRegionFile(folder.filePath("falta/bacia.tavi-regiao"), region);
        QFAIL("saved");
    } catch (const TaviError &error) {
        QVERIFY2(error.message().startsWith("Não foi possível salvar a região"),
                 qPrintable(error.message()));
    }
    QFile damaged(folder.filePath("danificada.tavi-regiao"));
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write("{\"formato\": \"tavi-regiao\"");
    damaged.close();
    const QString folderPath = folder.filePath("pasta.tavi-regiao");
    QVERIFY(QDir(folder.path()).mkdir("pasta.tavi-regiao"));
    try {
        loadRegionFile(folderPath);
        QFAIL("loaded a folder");
    } catch (const TaviError &error) {
        QCOMPARE(error.message(), QStringLiteral("Não foi possível abrir a região \"%1\": é uma "
                                                 "pasta, não um arquivo.")
                                      .arg(QDir::toNativeSeparators(folderPath)));
    }
    for (const QString name : {"danificada.tavi-regiao", "nenhuma.tavi-regiao"}) {
        try {
            loadRegionFile(folder.filePath(name));
            QFAIL("loaded");
        } catch (const TaviError &error) {
            QVERIFY2(error.message().contains(name), qPrintable(error.message()));
        }
    }
}

void RegionFileTest::recoveryCopies()
{
    QTemporaryDir folder;
    const Region region = testing::sampleRegion();
    QString written;
    {
        RegionRecovery running(folder.path());
        Region older = region;
        older.name = "antes";
        running.write(older, "/x/bacia.tavi-regiao");
        running.write(region, "/x/bacia.tavi-regiao");
        running.waitForWrites();
        QVERIFY(QFile::exists(running.ownCopyPath()));
        QVERIFY(running.ownCopyPath().endsWith(".tavi-regiao"));
        written = running.ownCopyPath();
        // Its program is running: its copy is no orphan.
        RegionRecovery other(folder.path());
        QVERIFY(!other.findOrphan());
    }
    // The running one is gone, its copy left behind as a crash leaves it (under another
    // process's number: this one would take it for its own); a study's copy and a damaged
    // region copy beside it.
    QVERIFY(QFile::rename(written, folder.filePath("recuperacao-999997.tavi-regiao")));
    QFile study(folder.filePath("recuperacao-999999.tavi"));
    QVERIFY(study.open(QIODevice::WriteOnly));
    study.write(writeStudy(defaultStudy()));
    study.close();
    QFile damaged(folder.filePath("recuperacao-999998.tavi-regiao"));
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write("{");
    // The newest copy, so that it is the first one tried.
    QVERIFY(damaged.setFileTime(QDateTime::currentDateTime().addSecs(60),
                                QFileDevice::FileModificationTime));
    damaged.close();

    RegionRecovery next(folder.path());
    const auto orphan = next.findOrphan();
    QVERIFY(orphan);
    QVERIFY(orphan->reading.region == region);
    QCOMPARE(orphan->reading.originalPath, QStringLiteral("/x/bacia.tavi-regiao"));
    QVERIFY(!damaged.exists());
    QVERIFY(study.exists());
    next.discard(*orphan);
    QVERIFY(!QFile::exists(orphan->copyPath));
    QVERIFY(!next.findOrphan());
    next.write(region, QString());
    next.remove();
    QVERIFY(!QFile::exists(next.ownCopyPath()));
}

void RegionFileTest::nationalRegionReadsBack()
{
    // Every municipality of the country, each with a table's population and a series of its
    // own when asked (TAVI_FULL_REGION), as a state's planner would keep them.
    const bool fullYear = qEnvironmentVariableIsSet("TAVI_FULL_REGION");
    Region region = emptyRegion();
    StudyGrid series = region.templateStudy.windows[keys::kAgricultureWindow].grids[keys::kSeries];
    for (int i = 0; i < 5570; ++i) {
        const QString six = QStringLiteral("35%1").arg(i, 4, 10, QLatin1Char('0'));
        Municipality municipality = testing::sampleMunicipality(
            six + QString::number(MunicipalityCode::checkDigit(six)), "Município", "SP");
        municipality.overrides.fields[keys::kSupplyWindow][keys::kTotalPopulation] =
            QString::number(1000 + i);
        municipality.sources[inputPath(keys::kSupplyWindow, keys::kTotalPopulation)] =
            QStringLiteral("populacao.csv, 2022, linha %1").arg(i + 4);
        if (fullYear) {
            series[i % series.size()][0] = QString::number(i);
            municipality.overrides.grids[keys::kAgricultureWindow][keys::kSeries] = series;
        }
        region.municipalities.push_back(municipality);
    }
    QElapsedTimer clock;
    clock.start();
    const QByteArray content = writeRegion(region);
    const qint64 written = clock.restart();
    const RegionReading reading = readRegion(content);
    qInfo("5570 municipalities: %lld bytes written in %lld ms, read in %lld ms",
          qint64(content.size()), written, clock.elapsed());
    QVERIFY(reading.region == region);
}

QTEST_GUILESS_MAIN(RegionFileTest)
#include "tst_region_file.moc"
