#include "core/numbers/StudyText.h"
#include "core/study/StudyCaptions.h"
#include "core/study/StudyFile.h"
#include "core/study/StudyRecovery.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using namespace tavi;

namespace
{

const QString kAgriculture = QStringLiteral("TF_Mod_Agricultura");

// A study unlike the defaults in every member: long numbers, texts that are not numbers,
// texts that look like numbers only in another locale, quotes, controls and accents.
Study variedStudy()
{
    Study study = defaultStudy();
    study.name = QStringLiteral("Município de São João \"Norte\"");
    study.notes = QStringLiteral("linha 1\nlinha 2\ttab \\ barra \x01 ç ã 水");
    study.windows[QStringLiteral("TF_Abast_Publico")].fields[QStringLiteral("me_1")] =
        QStringLiteral("123456789012345678");
    study.windows[QStringLiteral("TF_Abast_Publico")].fields[QStringLiteral("e_p_1")] =
        QStringLiteral("-0.000015");
    study.windows[QStringLiteral("TF_Dem_Agua")].fields[QStringLiteral("ce_5")] =
        QStringLiteral("1E-5");
    StudyGrid &serie = study.windows[kAgriculture].grids[QStringLiteral("SG_Serie")];
    for (int day = 0; day < serie.size(); ++day)
        serie[day] = {QStringLiteral("%1.%2").arg(day).arg(day * 7919 % 1000),
                      QStringLiteral("3.14159265358979323846264338327950288")};
    serie[10][0] = QStringLiteral("abc");
    serie[11][0] = QStringLiteral("'1.5");
    serie[12][1] = QStringLiteral("1,5");
    serie[13][1] = QString();
    study.windows[kAgriculture].grids[QStringLiteral("SG_Entrada")][2][1] = QStringLiteral(" x ");
    study.windows[kAgriculture].seriesOrigin =
        SeriesOrigin{QStringLiteral("SÃO PAULO - MIRANTE \"Norte\""),
                     QStringLiteral("A701"),
                     QStringLiteral("-23.49638888"),
                     QStringLiteral("-46.62"),
                     QStringLiteral("785.64"),
                     QStringLiteral("2023"),
                     QStringLiteral("Penman–Monteith (360 dias), Hargreaves–Samani (5 dias)"),
                     QStringLiteral("3,17,100-120"),
                     QString(),
                     QStringLiteral("Penman–Monteith (FAO-56)"),
                     QStringLiteral("litoral (0,19)"),
                     QStringLiteral("interpolação até 5 dias, depois média do mês"),
                     QString(),
                     QStringLiteral("2021,2022"),
                     QStringLiteral("150-156"),
                     QString()};
    return study;
}

QByteArray withMember(const QString &path, const QJsonValue &value)
{
    QJsonObject root = QJsonDocument::fromJson(writeStudy(defaultStudy())).object();
    const QStringList parts = path.split(QLatin1Char('/'));
    // Rebuilds the nested objects along the path with the member replaced (or removed).
    std::function<QJsonObject(QJsonObject, int)> replace = [&](QJsonObject object, int at) {
        if (at == parts.size() - 1) {
            if (value.isUndefined())
                object.remove(parts[at]);
            else
                object[parts[at]] = value;
        } else {
            object[parts[at]] = replace(object[parts[at]].toObject(), at + 1);
        }
        return object;
    };
    return QJsonDocument(replace(root, 0)).toJson();
}

} // namespace

class StudyFileTest : public QObject
{
    Q_OBJECT

private slots:
    // Window texts and study texts convert both ways without loss, in both kinds of locale.
    void studyTextsRoundTrip_data()
    {
        QTest::addColumn<bool>("comma");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("study");
        QTest::newRow("comma number") << true << "1,5"
                                      << "1.5";
        QTest::newRow("comma padded") << true << "   0,35"
                                      << "   0.35";
        QTest::newRow("comma exponent") << true << "-2,5E-3"
                                        << "-2.5E-3";
        QTest::newRow("comma: point text is text") << true << "1.5"
                                                   << "'1.5";
        QTest::newRow("comma: quoted text") << true << "'abc"
                                            << "''abc";
        QTest::newRow("comma: plain text") << true << "abc"
                                           << "abc";
        QTest::newRow("comma: empty") << true << ""
                                      << "";
        QTest::newRow("point number") << false << "1.5"
                                      << "1.5";
        QTest::newRow("point: comma text") << false << "1,5"
                                           << "1,5";
        QTest::newRow("point: grouped text") << false << "1,000.5"
                                             << "1,000.5";
        QTest::newRow("many digits") << true << "3,14159265358979323846264338"
                                     << "3.14159265358979323846264338";
    }
    void studyTextsRoundTrip()
    {
        QFETCH(bool, comma);
        QFETCH(QString, window);
        QFETCH(QString, study);
        const LocaleSettings locale =
            comma ? LocaleSettings::brazilian() : LocaleSettings::decimalPoint();
        QCOMPARE(toStudyText(window, locale), study);
        QCOMPARE(fromStudyText(study, locale), window);
    }

    void studySurvivesWritingAndReading()
    {
        const Study study = variedStudy();
        const QByteArray content = writeStudy(study);
        const StudyReading reading = readStudy(content);
        QVERIFY(reading.defaulted.isEmpty());
        QVERIFY(reading.study == study);
        // Written the same way twice: a saved study does not change by being reopened.
        QCOMPARE(writeStudy(reading.study), content);
        // Readable by any JSON reader, with the documented members.
        const QJsonObject root = QJsonDocument::fromJson(content).object();
        QCOMPARE(root.value("formato").toString(), QStringLiteral("tavi-estudo"));
        QCOMPARE(root.value("versao").toInt(), 1);
        const QJsonObject agriculture =
            root.value("janelas").toObject().value(kAgriculture).toObject();
        QCOMPARE(agriculture.value("SG_Serie").toArray().size(), 366);
        QCOMPARE(agriculture.value("SG_Serie").toArray().at(0).toArray().size(), 2);
        QCOMPARE(agriculture.value("SG_Entrada").toArray().at(0).toArray().at(1).toString(),
                 QStringLiteral("   360"));
        const QJsonObject origin = agriculture.value("origem_serie").toObject();
        QCOMPARE(origin.value("codigo").toString(), QStringLiteral("A701"));
        QCOMPARE(origin.value("latitude").toString(), QStringLiteral("-23.49638888"));
        QCOMPARE(origin.value("ano").toString(), QStringLiteral("2023"));
        // The days changed by hand since the fill are kept; an empty list is not written.
        QCOMPARE(origin.value("dias_editados_etp").toString(), QStringLiteral("3,17,100-120"));
        QVERIFY(!origin.contains("dias_editados_p"));
        // So are the choices of the fill and the days it gave.
        QCOMPARE(origin.value("local").toString(), QStringLiteral("litoral (0,19)"));
        QCOMPARE(origin.value("anos").toString(), QStringLiteral("2021,2022"));
        QCOMPARE(origin.value("dias_preenchidos_etp").toString(), QStringLiteral("150-156"));
        QVERIFY(!origin.contains("preenchimento_p"));
        QCOMPARE(origin.keys().size(), 13);
    }

    // A series typed by hand has no origin, and the file says nothing of one: studies written
    // before series came from stations read as they always did.
    void seriesOriginIsOptional()
    {
        const QByteArray content = writeStudy(defaultStudy());
        QVERIFY(!content.contains("origem_serie"));
        const StudyReading reading = readStudy(content);
        QVERIFY(reading.defaulted.isEmpty());
        QVERIFY(!reading.study.windows.value(kAgriculture).seriesOrigin);

        // Members left out of an origin read as empty and are not reported as defaulted.
        const StudyReading partial =
            readStudy(withMember("janelas/TF_Mod_Agricultura/origem_serie",
                                 QJsonObject{{"estacao", "X"}, {"ano", "1999"}}));
        QVERIFY(partial.defaulted.isEmpty());
        const std::optional<SeriesOrigin> origin =
            partial.study.windows.value(kAgriculture).seriesOrigin;
        QVERIFY(origin);
        QCOMPARE(origin->station, QStringLiteral("X"));
        QCOMPARE(origin->year, QStringLiteral("1999"));
        QCOMPARE(origin->code, QString());
    }

    void defaultStudyHoldsTheFreshWindows()
    {
        const Study &study = defaultStudy();
        QCOMPARE(study.windows.size(), 4);
        QCOMPARE(study.windows.value("TF_Abast_Publico").fields.value("me_1"), QString());
        QCOMPARE(study.windows.value("TF_Dem_Agua").fields.value("ce_5"),
                 QStringLiteral("1124.55"));
        const WindowInputs &agriculture = study.windows.value(kAgriculture);
        QCOMPARE(agriculture.grids.value("SG_Param").at(2).at(8), QStringLiteral("   0.65"));
        QCOMPARE(agriculture.grids.value("SG_Serie").at(365),
                 (StudyRow{QStringLiteral("0"), QStringLiteral("0")}));
    }

    // Every kind of bad content is refused with a message that says what is wrong.
    void badContentIsRefused_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        const QByteArray good = writeStudy(defaultStudy());
        QTest::newRow("empty") << QByteArray() << "o arquivo está vazio";
        QTest::newRow("blank") << QByteArray(" \n\t ") << "o arquivo está vazio";
        QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0", 10)
                                << "o arquivo é binário, não um texto";
        QTest::newRow("latin-1") << QByteArray("{\"nome\": \"S\xe3o\"}")
                                 << "o arquivo não é um texto em UTF-8";
        QTest::newRow("truncated")
            << good.left(good.size() / 2) << "o arquivo está incompleto: termina na linha";
        QTest::newRow("damaged") << QByteArray(good).replace("\"versao\": 1,", "\"versao\" 1,")
                                 << "o arquivo está danificado: falta \":\"";
        QTest::newRow("garbage after") << good + "}"
                                       << "há conteúdo depois do fim do estudo";
        QTest::newRow("array") << QByteArray("[1, 2]") << "o arquivo não é um estudo do TAVI";
        QTest::newRow("foreign json") << QByteArray("{\"name\": \"x\", \"version\": 1}")
                                      << "não tem o formato \"tavi-estudo\"";
        QTest::newRow("newer version")
            << withMember("versao", 2) << "gravado na versão 2 do formato, mais nova";
        QTest::newRow("version beyond any integer")
            << withMember("versao", 3.3e89) << "gravado na versão 3299999999";
        QTest::newRow("version far below")
            << withMember("versao", -1e30) << "a versão -1000000000000000019884624838656 do";
        QTest::newRow("version text") << withMember("versao", "1")
                                      << "o membro \"versao\" deveria ser um número inteiro, "
                                         "mas é um texto";
        QTest::newRow("version missing")
            << withMember("versao", QJsonValue::Undefined) << "falta o membro \"versao\"";
        QTest::newRow("windows missing")
            << withMember("janelas", QJsonValue::Undefined) << "falta o membro \"janelas\"";
        QTest::newRow("name a number") << withMember("nome", 5)
                                       << "o membro \"nome\" deveria ser um texto, mas é um "
                                          "número";
        QTest::newRow("window a list")
            << withMember("janelas/TF_Dem_Agua", QJsonArray())
            << "\"Diluição de Esgotos Domésticos\" deveria ser um objeto";
        QTest::newRow("field a number")
            << withMember("janelas/TF_Dem_Agua/ce_1", 1.5)
            << "\"Diluição de Esgotos Domésticos: Velocidade média do curso da água (m/s)\" "
               "deveria ser um texto, mas é um número";
        QTest::newRow("field not a number")
            << withMember("janelas/TF_Abast_Publico/me_1", "abc")
            << "o campo \"Abastecimento Público: População atendida pela rede pública "
               "(habitantes)\" deveria conter um número";
        QTest::newRow("grid an object")
            << withMember("janelas/TF_Mod_Agricultura/SG_Param", QJsonObject())
            << "deveria ser uma lista de linhas, mas é um objeto";
        QTest::newRow("grid too long")
            << withMember("janelas/TF_Mod_Agricultura/SG_Param",
                          QJsonArray{QJsonArray{}, QJsonArray{}, QJsonArray{}, QJsonArray{}})
            << "\"Agricultura: Parâmetros das culturas\" tem 4 linhas; a grade tem 3";
        QTest::newRow("row too short")
            << withMember("janelas/TF_Mod_Agricultura/SG_Param", QJsonArray{QJsonArray{"1"}})
            << "a linha 1 de \"Agricultura: Parâmetros das culturas\" tem 1 textos; deveria ter 9";
        QTest::newRow("cell a bool")
            << withMember("janelas/TF_Mod_Agricultura/SG_Serie", QJsonArray{QJsonArray{"1", true}})
            << "\"Agricultura: Série, dia 1, coluna P\" deveria ser um texto, mas é um valor "
               "lógico";
        QTest::newRow("cell too long")
            << withMember("janelas/TF_Mod_Agricultura/SG_Serie",
                          QJsonArray{QJsonArray{"1", QString(1001, QLatin1Char('9'))}})
            << "tem 1001 caracteres; o máximo é 1000";
        QTest::newRow("origin a text")
            << withMember("janelas/TF_Mod_Agricultura/origem_serie", "INMET")
            << "o membro \"Agricultura: Origem da série\" deveria ser um objeto, mas é um texto";
        QTest::newRow("origin year a number")
            << withMember("janelas/TF_Mod_Agricultura/origem_serie", QJsonObject{{"ano", 2023}})
            << "o membro \"Agricultura: Origem da série, ano\" deveria ser um texto, mas é um "
               "número";
        QTest::newRow("origin station null")
            << withMember("janelas/TF_Mod_Agricultura/origem_serie",
                          QJsonObject{{"estacao", QJsonValue::Null}})
            << "\"Agricultura: Origem da série, estação\" deveria ser um texto, mas é nulo";
    }
    // The parts of a study are named as the windows name them.
    void membersAreNamedByTheirCaptions_data()
    {
        QTest::addColumn<QString>("member");
        QTest::addColumn<QString>("caption");
        QTest::newRow("livestock heads") << "janelas/TF_Mod_Pecuaria/e_qte_galinaceo"
                                         << "Pecuária: Número de cabeças, Galináceo";
        QTest::newRow("crop table cell")
            << "janelas/TF_Mod_Agricultura/SG_Entrada/3/5"
            << "Agricultura: Tabela de culturas, classe C, coluna Kc 1";
        QTest::newRow("crop parameter") << "janelas/TF_Mod_Agricultura/SG_Param/2/9"
                                        << "Agricultura: Parâmetros das culturas, Área (km2), "
                                           "classe I";
        QTest::newRow("series row") << "janelas/TF_Mod_Agricultura/SG_Serie/366"
                                    << "Agricultura: Série, dia 366";
        QTest::newRow("a member of no window") << "janelas/TF_Dem_Agua/xyz"
                                               << "Diluição de Esgotos Domésticos: xyz";
        QTest::newRow("outside the windows") << "versao"
                                             << "versao";
    }
    void membersAreNamedByTheirCaptions()
    {
        QFETCH(QString, member);
        QTEST(studyMemberCaption(member), "caption");
    }

    void badContentIsRefused()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        try {
            readStudy(content);
            QFAIL("read");
        } catch (const StudyFormatError &error) {
            if (!error.message().contains(message))
                QFAIL(qPrintable(error.message()));
        }
    }

    // A hand-written study with members left out reads, with the defaults in their place,
    // and says which.
    void missingMembersTakeDefaults()
    {
        QByteArray content = withMember("janelas/TF_Abast_Publico/me_2", QJsonValue::Undefined);
        QJsonObject root = QJsonDocument::fromJson(content).object();
        QJsonObject windows = root["janelas"].toObject();
        windows.remove("TF_Mod_Pecuaria");
        QJsonObject agriculture = windows[kAgriculture].toObject();
        agriculture["SG_Serie"] = QJsonArray{QJsonArray{"5.5", "1"}};
        windows[kAgriculture] = agriculture;
        root["janelas"] = windows;
        root.remove("notas");
        const StudyReading reading = readStudy(QJsonDocument(root).toJson());
        QCOMPARE(reading.defaulted,
                 (QStringList{"Abastecimento Público: Demanda per-capita ATUAL da população "
                              "atendida (m3/dia.habitante)",
                              "Pecuária: todos os dados", "Agricultura: Série (linhas 2 a 366)"}));
        const StudyGrid serie = reading.study.windows.value(kAgriculture).grids.value("SG_Serie");
        QCOMPARE(serie.size(), 366);
        QCOMPARE(serie[0], (StudyRow{"5.5", "1"}));
        QCOMPARE(serie[1], (StudyRow{"0", "0"}));
        QCOMPARE(reading.study.windows.value("TF_Mod_Pecuaria"),
                 defaultStudy().windows.value("TF_Mod_Pecuaria"));
    }

    void filesAreNamedInTheirMessages()
    {
        QTemporaryDir folder;
        const QString missing = folder.filePath("nada.tavi");
        try {
            loadStudyFile(missing);
            QFAIL("opened");
        } catch (const TaviError &error) {
            QVERIFY2(error.message().startsWith(
                         QStringLiteral("Não foi possível abrir o estudo \"%1\": ").arg(missing)),
                     qPrintable(error.message()));
        }
        try {
            loadStudyFile(folder.path());
            QFAIL("opened a folder");
        } catch (const TaviError &error) {
            QVERIFY(error.message().endsWith(QStringLiteral(": é uma pasta, não um arquivo.")));
        }
        const QString saved = folder.filePath("estudo.tavi");
        saveStudyFile(saved, variedStudy());
        QVERIFY(loadStudyFile(saved).study == variedStudy());
        try {
            saveStudyFile(folder.filePath("sem/pasta.tavi"), variedStudy());
            QFAIL("saved");
        } catch (const TaviError &error) {
            QVERIFY(error.message().startsWith(QStringLiteral("Não foi possível salvar o estudo")));
        }
    }

    // A program's own copy is not an orphan while it runs; one whose program is gone is
    // found, read with the file it belongs to, and removed when discarded.
    void recoveryCopiesOfGonePrograms()
    {
        QTemporaryDir folder;
        {
            StudyRecovery running(folder.path());
            running.write(variedStudy(), QStringLiteral("/x/estudo.tavi"));
            running.waitForWrites();
            QVERIFY(QFile::exists(running.ownCopyPath()));
            StudyRecovery other(folder.path());
            QVERIFY(!other.findOrphan());
        }
        // The copy of a program that crashed: no live lock holds it.
        const QString crashed = folder.filePath("recuperacao-999999.tavi");
        saveStudyFile(crashed, defaultStudy());
        QFile damaged(folder.filePath("recuperacao-999998.tavi"));
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write("{");
        damaged.close();
        QFile copy(crashed);
        QVERIFY(copy.open(QIODevice::WriteOnly));
        copy.write(writeStudy(variedStudy(), QStringLiteral("/x/estudo.tavi")));
        copy.close();

        // A lock left by a program that ended before writing a copy.
        QFile lockOnly(folder.filePath("recuperacao-999997.tavi.lock"));
        QVERIFY(lockOnly.open(QIODevice::WriteOnly));
        lockOnly.write("999997\ntavi\n\n");
        lockOnly.close();

        StudyRecovery next(folder.path());
        const auto orphan = next.findOrphan();
        QVERIFY(!lockOnly.exists());
        QVERIFY(orphan);
        QCOMPARE(orphan->copyPath, crashed);
        QVERIFY(orphan->reading.study == variedStudy());
        QCOMPARE(orphan->reading.originalPath, QStringLiteral("/x/estudo.tavi"));
        next.discard(*orphan);
        QVERIFY(!QFile::exists(crashed));
        // The copy that no longer reads goes when it is looked at.
        QVERIFY(!next.findOrphan());
        QVERIFY(!QFile::exists(damaged.fileName()));
    }
};

QTEST_GUILESS_MAIN(StudyFileTest)
#include "tst_study_file.moc"
