// The agriculture window's series filled from a weather station: a synthetic INMET file made
// here, read through the dialog and written into SG_Serie exactly as the core works it out;
// Cancel, Ctrl+Z, bad records, day 366 of a common year, and the origin kept in a study.
#include "core/sectors/catalogue/AgricultureTables.h"
#include "core/study/StudyFile.h"
#include "core/weather/InmetStationFile.h"
#include "core/weather/StationSeriesImport.h"
#include "frame/ResultGrid.h"
#include "frame/SeriesOriginLabel.h"
#include "frame/StudyInputs.h"
#include "models/U_Mod_Agricultura/StationSeriesDialog.h"
#include "models/U_Mod_Agricultura/TF_Mod_Agricultura.h"
#include "support/ModalWindows.h"
#include "support/WindowTesting.h"

#include <QChartView>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>

#include <cmath>

using namespace testing;
using namespace tavi;
using namespace tavi::agriculture;

namespace
{

QString decimal(double v)
{
    return QString::number(v, 'f', 1).replace(QLatin1Char('.'), QLatin1Char(','));
}

// A UTC year of INMET hours at São Paulo (UTC-3), smooth daily and yearly cycles, rain every
// ninth day; the station is down for days 150 to 156 (no ETo, filled by the month's mean) and
// its radiation sensor for days 200 to 205 (Rs from the temperature range). With `rainGauge`, its
// rain gauge is down for days 20 to 39: the other sensors go on, so those days have an ETo but no
// rainfall.
QByteArray inmetFile(int year, bool rainGaugeDown = false)
{
    QString text = QStringLiteral(
        "REGIAO:;SE\nUF:;SP\nESTACAO:;SAO PAULO - MIRANTE\nCODIGO (WMO):;A701\n"
        "LATITUDE:;-23,49638888\nLONGITUDE:;-46,62\nALTITUDE:;785,64\n"
        "Data;Hora UTC;PRECIPITAÇÃO TOTAL, HORÁRIO (mm);RADIACAO GLOBAL (Kj/m²);TEMPERATURA DO "
        "AR - BULBO SECO, HORARIA (°C);TEMPERATURA DO PONTO DE ORVALHO (°C);UMIDADE RELATIVA "
        "DO AR, HORARIA (%);VENTO, VELOCIDADE HORARIA (m/s);\n");
    const double pi = 3.14159265358979323846;
    for (QDate d(year, 1, 1); d.year() == year; d = d.addDays(1)) {
        const int j = d.dayOfYear();
        const double season = std::cos(2 * pi * (j - 15) / 365.0);
        for (int hour = 0; hour < 24; ++hour) {
            const int end = (hour + 21) % 24 == 0 ? 24 : (hour + 21) % 24;
            const double daily = std::sin(2 * pi * (end - 10) / 24.0);
            const double t = 19 + 4 * season + 5 * daily + 0.3 * (d.day() % 5);
            const bool sun = end >= 6 && end <= 19;
            QStringList f{d.toString(QStringLiteral("yyyy/MM/dd")),
                          QStringLiteral("%1 UTC").arg(hour * 100, 4, 10, QLatin1Char('0'))};
            if (j >= 150 && j <= 156) {
                f << QString() << QString() << QString() << QString() << QString() << QString();
            } else {
                const bool gauge = !(rainGaugeDown && j >= 20 && j <= 39);
                f << (gauge ? decimal(j % 9 == 0 && end >= 15 && end <= 17 ? 1.3 * (end - 14) : 0)
                            : QString())
                  << (sun && !(j >= 200 && j <= 205)
                          ? decimal((2000 + 1200 * season) * std::sin(pi * (end - 5.5) / 14))
                          : QString())
                  << decimal(t) << decimal(t - 7 + 2 * season) << decimal(70 - 18 * daily)
                  << decimal(2.2 + 1.4 * daily);
            }
            text += f.join(QLatin1Char(';')) + QStringLiteral(";\n");
        }
    }
    return text.toLatin1();
}

// What the core makes of the file with the dialog's first choices: the texts days 1..366 of
// ETP and P must hold.
QVector<QStringList> expectedSeries(const QByteArray &file, int year, eto::LeapDayFill fill)
{
    const std::vector<eto::YearDay> days =
        eto::StationYears(eto::readInmetStationFile(file), eto::EtoSettings())
            .layOut(eto::YearChoice::single(year), eto::GapFill(), fill)
            .days;
    QVector<QStringList> rows;
    for (const eto::YearDay &day : days)
        rows << QStringList{eto::seriesCellText(day.eto, LocaleSettings::current()),
                            eto::seriesCellText(day.rainfall, LocaleSettings::current())};
    return rows;
}

// A year of daily records, 2022, the same every day, without rainfall.
QString plainDailyRecords()
{
    QString records = QStringLiteral("Data;Tmax;Tmin;Chuva\n");
    for (QDate d(2022, 1, 1); d.year() == 2022; d = d.addDays(1))
        records += d.toString(QStringLiteral("dd/MM/yyyy")) + QStringLiteral(";30;18;0\n");
    return records;
}

} // namespace

class StationSeriesTest : public QObject
{
    Q_OBJECT

    TF_Mod_Agricultura *window = nullptr;
    QTemporaryDir folder;
    // The answer to a fill that would empty days, and the questions asked.
    bool emptyingAnswer = true;
    QStringList questions;

    QString writeFile(const QString &name, const QByteArray &content)
    {
        const QString path = folder.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
            return QString();
        return path;
    }
    QVector<QStringList> series() const
    {
        QVector<QStringList> rows;
        for (int day = 1; day <= kDays; ++day)
            rows << QStringList{window->serie()->cell(kEtpColumn, day),
                                window->serie()->cell(kRainColumn, day)};
        return rows;
    }
    SeriesOriginLabel *originLabel() const
    {
        return window->findChild<SeriesOriginLabel *>(QStringLiteral("l_origem_serie"));
    }
    // Opens the dialog from the window's button, lets `use` work in it, then presses
    // `button` ("b_preencher" or "b_cancelar"); returns whether the dialog came up.
    bool inDialog(const std::function<void(StationSeriesDialog *)> &use, const char *button)
    {
        const Shown shown = whileModal(
            [this] { window->findChild<QToolButton *>(QStringLiteral("b_estacao"))->click(); },
            [&](QWidget *modal) {
                auto *dialog = qobject_cast<StationSeriesDialog *>(modal);
                QVERIFY(dialog);
                use(dialog);
                auto *press = dialog->findChild<QPushButton *>(QLatin1String(button));
                QVERIFY(press->isEnabled());
                press->click();
            });
        return shown.opened && shown.name == QLatin1String("F_Estacao");
    }
    bool fillFrom(const QString &path, const char *day366 = "rb_copia", int year = 0)
    {
        return inDialog(
            [&](StationSeriesDialog *dialog) {
                dialog->readFile(path);
                if (year) {
                    auto *years = dialog->findChild<QComboBox *>(QStringLiteral("cb_ano"));
                    years->setCurrentIndex(years->findData(year));
                }
                dialog->findChild<QRadioButton *>(QLatin1String(day366))->setChecked(true);
            },
            "b_preencher");
    }

private slots:
    void init()
    {
        emptyingAnswer = true;
        questions.clear();
        StationSeriesDialog::setConfirmation([this](QWidget *, const QString &question) {
            questions << question;
            return emptyingAnswer;
        });
        window = new TF_Mod_Agricultura;
        QVERIFY(showActive(window));
    }
    void cleanup()
    {
        StationSeriesDialog::setConfirmation({});
        delete window;
        window = nullptr;
    }

    // The cells hold what the core computes, in the user's locale; the window says where
    // they came from.
    void fillsTheSeriesFromAnInmetFile_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::newRow("decimal comma") << "comma";
        QTest::newRow("decimal point") << "point";
    }
    void fillsTheSeriesFromAnInmetFile()
    {
        QFETCH(QString, locale);
        LocaleScope scope(settingsNamed(locale));
        const QByteArray file = inmetFile(2023);
        const QString path = writeFile(QStringLiteral("A701_2023.CSV"), file);
        QVERIFY(fillFrom(path));
        const QVector<QStringList> expected =
            expectedSeries(file, 2023, eto::LeapDayFill::CopyOfDay365);
        QCOMPARE(series(), expected);
        // Spot checks that the comparison above is not of two empty series.
        QVERIFY(!expected[0][0].isEmpty());
        QVERIFY(!expected[152][0].isEmpty()); // the month's mean
        QVERIFY(expected[8][1] != QStringLiteral("0"));
        QCOMPARE(expected[365], expected[364]);

        QVERIFY(originLabel()->toolTip().startsWith(
            QStringLiteral("Série: A701 SAO PAULO - MIRANTE, 2023, Penman–Monteith (")));
        const WindowInputs inputs = StudyInputs::collect(window);
        QVERIFY(inputs.seriesOrigin);
        QCOMPARE(inputs.seriesOrigin->latitude, QStringLiteral("-23.49638888"));
        QCOMPARE(inputs.seriesOrigin->methods,
                 QStringLiteral("Penman–Monteith (359 dias; Rs de T em 6), ETo preenchida (7 "
                                "dias: 7 pela média do mês)"));
        QCOMPARE(inputs.seriesOrigin->filledEtpDays, QStringLiteral("150-156"));
        QCOMPARE(inputs.seriesOrigin->filledRainDays, QStringLiteral("150-156"));
    }

    void cancelChangesNothing()
    {
        const QVector<QStringList> before = series();
        const QString path = writeFile(QStringLiteral("a.csv"), inmetFile(2023));
        QVERIFY(inDialog(
            [&](StationSeriesDialog *dialog) {
                dialog->readFile(path);
                QVERIFY(
                    dialog->findChild<QPushButton *>(QStringLiteral("b_preencher"))->isEnabled());
                QCOMPARE(dialog->findChild<QTableWidget *>(QStringLiteral("tw_previa"))->rowCount(),
                         366);
            },
            "b_cancelar"));
        QCOMPARE(series(), before);
        QVERIFY(!originLabel()->origin());
    }

    // Ctrl+Z takes the fill back, once; after a correction by hand there is nothing to
    // take back, and the correction stays.
    void ctrlZRestoresTheSeries()
    {
        window->serie()->setCell(kEtpColumn, 10, QStringLiteral("7,5"));
        const QVector<QStringList> typed = series();
        const QString path = writeFile(QStringLiteral("a.csv"), inmetFile(2023));
        QVERIFY(fillFrom(path));
        const QVector<QStringList> filled = series();
        QVERIFY(filled != typed);
        QTest::keyClick(window->serie(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(series(), typed);
        QVERIFY(!originLabel()->origin());
        QTest::keyClick(window->serie(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(series(), typed);

        QVERIFY(fillFrom(path));
        window->serie()->table().setData(window->serie()->model()->index(0, kRainColumn),
                                         QStringLiteral("3"));
        QTest::keyClick(window->serie(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(window->serie()->cell(kRainColumn, 1), QStringLiteral("3"));
        QCOMPARE(window->serie()->cell(kEtpColumn, 2), filled[1][0]);
        QVERIFY(originLabel()->origin());
    }

    void ctrlEOpensTheDialog()
    {
        const Shown shown = whileModal(
            [this] { QTest::keyClick(window->serie(), Qt::Key_E, Qt::ControlModifier); });
        QCOMPARE(shown.name, QStringLiteral("F_Estacao"));
        QVERIFY(window->isVisible());
    }

    // Records that cannot be read or laid out show the core's message, naming the line and
    // field, and leave nothing to fill.
    void badRecordsFillNothing_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        QByteArray hot = inmetFile(2023);
        const int at = hot.indexOf("2023/03/01;1200 UTC;");
        const int fieldStart = hot.indexOf(';', hot.indexOf(';', hot.indexOf(';', at) + 1) + 1);
        hot.insert(fieldStart + 1, "9"); // radiation in the thousands of kJ becomes absurd
        QTest::newRow("not station records")
            << QByteArray("Relatório mensal\nnada aqui\n")
            << "Linha 1: a coluna \"Relatório mensal\" não é conhecida";
        QTest::newRow("hourly file without its latitude")
            << QByteArray(inmetFile(2023)).replace("LATITUDE:;-23,49638888\n", "")
            << "O cabeçalho do arquivo não informa a latitude da estação.";
        QTest::newRow("temperatures in kelvin")
            << QByteArray("Data;Tmax;Tmin;Chuva\n01/01/2023;303,1;291,2;0\n")
            << "Linha 2, campo \"Tmax\": 303,1 °C está fora da faixa plausível";
        QTest::newRow("no day with data")
            << QByteArray("Data;Tmax;Tmin;Chuva\n01/01/2023;;;\n02/01/2023;-;-;-\n")
            << "Os dados da estação não têm nenhum dia com temperatura ou chuva.";
        QTest::newRow("an hour out of range")
            << hot
            << "campo \"RADIACAO GLOBAL (Kj/m²)\": 92020,6 kJ/m² está fora da faixa plausível";
    }
    void badRecordsFillNothing()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        const QVector<QStringList> before = series();
        const QString path = writeFile(QStringLiteral("bad.csv"), content);
        QString shown;
        bool fillable = true;
        const Shown dialog = whileModal(
            [this] { window->b_estacaoClick(); },
            [&](QWidget *modal) {
                // Coordinates typed for daily records, so what is refused is the records.
                for (const auto &[name, value] :
                     {std::pair{"e_latitude", "-23,5"}, std::pair{"e_longitude", "-46,6"},
                      std::pair{"e_altitude", "785"}})
                    modal->findChild<QLineEdit *>(QLatin1String(name))
                        ->setText(QLatin1String(value));
                static_cast<StationSeriesDialog *>(modal)->readFile(path);
                auto *problem = modal->findChild<QLabel *>(QStringLiteral("l_erro"));
                shown = problem->isVisible() ? problem->text() : QString();
                fillable =
                    modal->findChild<QPushButton *>(QStringLiteral("b_preencher"))->isEnabled();
            });
        QVERIFY(dialog.opened);
        QVERIFY2(shown.contains(message), qPrintable(shown));
        QVERIFY(!fillable);
        QCOMPARE(series(), before);
        QVERIFY(!originLabel()->origin());
    }

    // Day 366 of a common year is empty or a copy of day 365, as chosen; of a leap year, 31
    // December, with no choice offered.
    void dayThreeHundredSixtySix_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("choice");
        QTest::addColumn<int>("fill");
        QTest::newRow("common year, empty") << 2023 << "rb_vazio" << int(eto::LeapDayFill::Empty);
        QTest::newRow("common year, copy")
            << 2023 << "rb_copia" << int(eto::LeapDayFill::CopyOfDay365);
        QTest::newRow("leap year") << 2024 << "rb_copia" << int(eto::LeapDayFill::Empty);
    }
    void dayThreeHundredSixtySix()
    {
        QFETCH(int, year);
        QFETCH(QString, choice);
        QFETCH(int, fill);
        const QByteArray file = inmetFile(year);
        const QString path = writeFile(QStringLiteral("y.csv"), file);
        bool choiceShown = false;
        QVERIFY(inDialog(
            [&](StationSeriesDialog *dialog) {
                dialog->readFile(path);
                auto *radio = dialog->findChild<QRadioButton *>(choice);
                choiceShown = radio->isVisible();
                radio->setChecked(true);
            },
            "b_preencher"));
        QCOMPARE(choiceShown, !QDate::isLeapYear(year));
        const QVector<QStringList> expected = expectedSeries(file, year, eto::LeapDayFill(fill));
        QCOMPARE(series(), expected);
        const bool empty = fill == int(eto::LeapDayFill::Empty) && !QDate::isLeapYear(year);
        QCOMPARE(series()[365][0].isEmpty(), empty);
        QVERIFY(originLabel()->origin()->methods.contains(
            QStringLiteral("ETo preenchida (7 dias: 7 pela média do mês)")));
    }

    // Daily records say nothing of the station's place: it is typed in the dialog and kept.
    // Hargreaves-Samani is used when chosen, and the choice is kept too.
    void pastedDailyRecordsWithTheirStation()
    {
        QString records = QStringLiteral("Data;Tmax;Tmin;Chuva\n");
        for (QDate d(2022, 1, 1); d.year() == 2022; d = d.addDays(1))
            records += d.toString(QStringLiteral("dd/MM/yyyy")) +
                       QStringLiteral(";%1;18,5;%2\n").arg(28 + d.day() % 3).arg(d.day() % 7);
        QVERIFY(inDialog(
            [&](StationSeriesDialog *dialog) {
                dialog->findChild<QPlainTextEdit *>(QStringLiteral("m_colado"))
                    ->setPlainText(records);
                dialog->findChild<QLineEdit *>(QStringLiteral("e_estacao"))
                    ->setText(QStringLiteral("Fazenda Boa Vista"));
                dialog->findChild<QLineEdit *>(QStringLiteral("e_latitude"))
                    ->setText(QStringLiteral("-15,8"));
                dialog->findChild<QLineEdit *>(QStringLiteral("e_longitude"))
                    ->setText(QStringLiteral("-47.9"));
                dialog->findChild<QLineEdit *>(QStringLiteral("e_altitude"))
                    ->setText(QStringLiteral("1160"));
                dialog->findChild<QComboBox *>(QStringLiteral("cb_metodo"))->setCurrentIndex(1);
                dialog->readPastedText();
            },
            "b_preencher"));
        eto::StationSite site{QStringLiteral("Fazenda Boa Vista"), QString(), -15.8L, -47.9L, 1160};
        const long double hargreaves =
            eto::hargreavesSamani(28 + 1, 18.5L, site.latitude, 1); // 1 January
        QCOMPARE(window->serie()->cell(kEtpColumn, 1),
                 eto::seriesCellText(hargreaves, LocaleSettings::current()));
        QCOMPARE(window->serie()->cell(kRainColumn, 1), QStringLiteral("1"));
        const SeriesOrigin origin = *originLabel()->origin();
        QCOMPARE(origin.station, QStringLiteral("Fazenda Boa Vista"));
        QCOMPARE(origin.latitude, QStringLiteral("-15.8"));
        QCOMPARE(origin.methods, QStringLiteral("Hargreaves–Samani (366 dias)"));
        QCOMPARE(origin.method, QStringLiteral("Hargreaves–Samani"));
    }

    // Daily records read after an INMET file do not take that file's station: its name and
    // place are asked for again rather than written into the origin unnoticed.
    void dailyRecordsAfterAFileAskForTheirStation()
    {
        const QString path = writeFile(QStringLiteral("A701_2023.CSV"), inmetFile(2023));
        const QString records = plainDailyRecords();
        QStringList names;
        QString problem;
        QVERIFY(inDialog(
            [&](StationSeriesDialog *dialog) {
                dialog->readFile(path);
                const auto text = [dialog](const char *name) {
                    return dialog->findChild<QLineEdit *>(QLatin1String(name))->text();
                };
                names << text("e_estacao");
                dialog->findChild<QPlainTextEdit *>(QStringLiteral("m_colado"))
                    ->setPlainText(records);
                dialog->readPastedText();
                names << text("e_estacao") << text("e_latitude");
                problem = dialog->findChild<QLabel *>(QStringLiteral("l_erro"))->text();
                QVERIFY(
                    !dialog->findChild<QPushButton *>(QStringLiteral("b_preencher"))->isEnabled());
            },
            "b_cancelar"));
        QCOMPARE(names, (QStringList{"SAO PAULO - MIRANTE", QString(), QString()}));
        QVERIFY2(problem.startsWith(QStringLiteral("Informe a latitude")), qPrintable(problem));
    }

    // Tab walks the dialog in reading order and leaves the paste box without typing into it;
    // each coordinate says what it is for and keeps to its range.
    void keyboardReachesEveryControlInReadingOrder()
    {
        const QString records = plainDailyRecords();
        QStringList order;
        QStringList problems;
        QVERIFY(inDialog(
            [&](StationSeriesDialog *dialog) {
                auto *pasted = dialog->findChild<QPlainTextEdit *>(QStringLiteral("m_colado"));
                auto *problem = dialog->findChild<QLabel *>(QStringLiteral("l_erro"));
                pasted->setPlainText(records);
                const auto typed = [&](const char *field, const QString &text) {
                    dialog->findChild<QLineEdit *>(QLatin1String(field))->setText(text);
                };
                typed("e_latitude", QStringLiteral("-15,8"));
                typed("e_altitude", QStringLiteral("1160"));
                dialog->readPastedText();
                problems << problem->text();
                typed("e_longitude", QStringLiteral("-190"));
                dialog->readPastedText();
                problems << problem->text();
                typed("e_longitude", QStringLiteral("-47,9"));
                typed("e_latitude", QStringLiteral("91"));
                dialog->readPastedText();
                problems << problem->text();
                typed("e_latitude", QStringLiteral("-15,8"));
                dialog->readPastedText();

                // The dialog active first: a slow machine may not have made it so yet.
                dialog->activateWindow();
                QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget *>(dialog));
                auto *open = dialog->findChild<QPushButton *>(QStringLiteral("b_arquivo"));
                open->setFocus();
                QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(open));
                for (int press = 0; press < 20; ++press) {
                    QWidget *focus = QApplication::focusWidget();
                    order << (focus ? focus->objectName() : QString());
                    QTest::keyClick(focus, Qt::Key_Tab);
                }
                QCOMPARE(pasted->toPlainText(), records);
            },
            "b_preencher"));
        QVERIFY2(problems[0].contains(QStringLiteral("Informe a longitude")) &&
                     problems[0].contains(QStringLiteral("não entra na ETo")),
                 qPrintable(problems[0]));
        QVERIFY2(problems[1].contains(QStringLiteral("entre -180 e 180")), qPrintable(problems[1]));
        QVERIFY2(problems[2].contains(QStringLiteral("entre -90 e 90")), qPrintable(problems[2]));
        const QStringList reading{"b_arquivo", "m_colado",   "b_ler",       "e_estacao",
                                  "e_codigo",  "e_latitude", "e_longitude", "e_altitude",
                                  "cb_metodo", "cb_local",   "cb_ano"};
        QCOMPARE(order.mid(0, reading.size()), reading);
        const int etoFill = order.indexOf(QStringLiteral("cb_preencher_etp"));
        QVERIFY2(etoFill > reading.size(), qPrintable(order.join(' ')));
        QCOMPARE(order.value(etoFill + 1), QStringLiteral("cb_preencher_p"));
        const int fill = order.indexOf(QStringLiteral("b_preencher"));
        QVERIFY2(fill > etoFill, qPrintable(order.join(' ')));
        QCOMPARE(order.value(fill + 1), QStringLiteral("b_cancelar"));
    }

    // Saved and reopened, the study shows where the series came from.
    void theOriginRoundTripsThroughAStudy()
    {
        const QString path = writeFile(QStringLiteral("a.csv"), inmetFile(2023));
        QVERIFY(fillFrom(path));
        Study study = defaultStudy();
        study.windows[QStringLiteral("TF_Mod_Agricultura")] = StudyInputs::collect(window);
        const QString file = folder.filePath(QStringLiteral("estudo.tavi"));
        saveStudyFile(file, study);
        const StudyReading reading = loadStudyFile(file);
        QVERIFY(reading.study == study);

        TF_Mod_Agricultura reopened;
        StudyInputs::fill(&reopened,
                          reading.study.windows.value(QStringLiteral("TF_Mod_Agricultura")));
        QVERIFY(showActive(&reopened));
        auto *label = reopened.findChild<SeriesOriginLabel *>(QStringLiteral("l_origem_serie"));
        QVERIFY(label->text().startsWith(QStringLiteral("Série: A701 SAO PAULO - MIRANTE, 2023")));
        QCOMPARE(label->origin(), originLabel()->origin());
        for (int day : {1, 100, 153, 366})
            QCOMPARE(reopened.serie()->cell(kEtpColumn, day),
                     window->serie()->cell(kEtpColumn, day));

        // A study of a series typed by hand clears the line.
        StudyInputs::fill(&reopened,
                          defaultStudy().windows.value(QStringLiteral("TF_Mod_Agricultura")));
        QVERIFY(!label->origin());
        QCOMPARE(label->text(), QString());
    }

    // Days whose rainfall is missing are taken as dry, tinted as filled and counted; left
    // empty when so chosen, they are gaps, not a dry spell: tinted as days without ETo are,
    // counted apart in the summary line, and striped in the chart.
    void missingRainfallIsShown()
    {
        const QString path = writeFile(QStringLiteral("gauge.csv"), inmetFile(2023, true));
        const Shown shown = whileModal(
            [this] { window->findChild<QToolButton *>(QStringLiteral("b_estacao"))->click(); },
            [&](QWidget *modal) {
                auto *dialog = qobject_cast<StationSeriesDialog *>(modal);
                dialog->readFile(path);
                auto *summary = dialog->findChild<QLabel *>(QStringLiteral("l_resumo"));
                auto *table = dialog->findChild<QTableWidget *>(QStringLiteral("tw_previa"));
                auto *chart = dialog->findChild<QChartView *>(QStringLiteral("ch_previa"));
                const auto gapCount = [chart] {
                    for (QAbstractSeries *series : chart->chart()->series())
                        if (series->name() == QStringLiteral("Dias sem chuva"))
                            return int(qobject_cast<QLineSeries *>(series)->count());
                    return 0;
                };
                const QColor plain = table->item(10, 4)->background().color();
                // Days 20 to 39, and the 7 days the station was down.
                QVERIFY2(
                    summary->text().contains(QStringLiteral("chuva 0 em 27 dias sem registro")),
                    qPrintable(summary->text()));
                QCOMPARE(table->item(24, 4)->text(), QStringLiteral("0"));
                const QColor filled = table->item(24, 4)->background().color();
                QVERIFY(filled != plain);
                QCOMPARE(table->item(151, 4)->background().color(), filled);
                QVERIFY2(
                    table->item(24, 3)->text().endsWith(QStringLiteral("chuva 0 (sem registro)")),
                    qPrintable(table->item(24, 3)->text()));
                QCOMPARE(table->item(151, 3)->text(),
                         QStringLiteral("média do mês; chuva 0 (sem registro)"));
                QCOMPARE(gapCount(), 0);

                dialog->findChild<QComboBox *>(QStringLiteral("cb_preencher_p"))
                    ->setCurrentIndex(1);
                QVERIFY2(summary->text().contains(QStringLiteral("sem chuva: 27 dias")),
                         qPrintable(summary->text()));
                QCOMPARE(table->item(24, 4)->text(), QString());
                const QColor gap = table->item(24, 4)->background().color();
                QVERIFY(gap != plain && gap != filled);
                QCOMPARE(table->item(151, 4)->background().color(), gap);
                QCOMPARE(gapCount(), 27 * 3);
            });
        QVERIFY(shown.opened);
    }

    // A fill that would empty days holding values today asks first, counting them; "Não"
    // (the default) keeps the dialog open and the series as it was.
    void aFillThatWouldEmptyDaysAsksFirst_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::newRow("Não") << false;
        QTest::newRow("Sim") << true;
    }
    void aFillThatWouldEmptyDaysAsksFirst()
    {
        QFETCH(bool, answer);
        emptyingAnswer = answer;
        const QVector<QStringList> before = series();
        const QString records = QStringLiteral("Data;Tmax;Tmin;Chuva\n01/03/2022;30;18;2\n"
                                               "02/03/2022;31;18;0\n03/03/2022;29;17;5\n");
        bool stayedOpen = false;
        const Shown shown = whileModal(
            [this] { window->findChild<QToolButton *>(QStringLiteral("b_estacao"))->click(); },
            [&](QWidget *modal) {
                auto *dialog = qobject_cast<StationSeriesDialog *>(modal);
                dialog->findChild<QPlainTextEdit *>(QStringLiteral("m_colado"))
                    ->setPlainText(records);
                dialog->findChild<QLineEdit *>(QStringLiteral("e_latitude"))->setText("-15,8");
                dialog->findChild<QLineEdit *>(QStringLiteral("e_longitude"))->setText("-47,9");
                dialog->findChild<QLineEdit *>(QStringLiteral("e_altitude"))->setText("1160");
                dialog->readPastedText();
                dialog->findChild<QPushButton *>(QStringLiteral("b_preencher"))->click();
                stayedOpen = dialog->isVisible();
            });
        QVERIFY(shown.opened);
        // Every day of the default series holds values; the records give March (3 days, the
        // month's mean for the rest of it) and a dry day for every day without records.
        QCOMPARE(questions, QStringList{StationSeriesDialog::emptyingQuestion(366 - 31)});
        QCOMPARE(stayedOpen, !answer);
        if (!answer) {
            QCOMPARE(series(), before);
            QVERIFY(!originLabel()->origin());
        } else {
            QCOMPARE(window->serie()->cell(kRainColumn, 60), QStringLiteral("2"));
            QCOMPARE(window->serie()->cell(kEtpColumn, 1), QString());
        }
        // Over a series already empty there is nothing to ask.
        QVERIFY(StationSeriesDialog::emptyingQuestion(1).contains(QStringLiteral("1 dia que")));
    }

    // Once filled, the origin follows what is done to the series: a few days corrected by
    // hand are counted; a year pasted over it makes it a series typed or pasted, naming the
    // station only as what came before. The study keeps the mark.
    void handEditsMarkTheOrigin()
    {
        QVERIFY(fillFrom(writeFile(QStringLiteral("a.csv"), inmetFile(2023))));
        window->serie()->table().setData(window->serie()->model()->index(9, kEtpColumn),
                                         QStringLiteral("7"));
        window->serie()->table().setData(window->serie()->model()->index(9, kRainColumn),
                                         QStringLiteral("1"));
        window->serie()->table().setData(window->serie()->model()->index(29, kRainColumn),
                                         QStringLiteral("12"));
        QVERIFY2(originLabel()->toolTip().contains(QStringLiteral(", editada à mão em 2 dias")),
                 qPrintable(originLabel()->toolTip()));
        QCOMPARE(StudyInputs::collect(window).seriesOrigin->editedRainDays,
                 QStringLiteral("10,30"));

        QString year;
        for (int day = 1; day <= kDays; ++day)
            year += QStringLiteral("4\t0\n");
        QGuiApplication::clipboard()->setText(year);
        window->serie()->setFocus();
        window->serie()->setCurrentIndex(window->serie()->model()->index(0, kEtpColumn));
        QVERIFY(window->serie()->pasteClipboard());
        QCOMPARE(originLabel()->text(),
                 QStringLiteral("Série: digitada/colada (antes: A701 SAO PAULO - MIRANTE, 2023)"));
        const WindowInputs inputs = StudyInputs::collect(window);
        QVERIFY(isReplaced(*inputs.seriesOrigin));
        // Filling the same station again vouches for it afresh.
        QVERIFY(fillFrom(writeFile(QStringLiteral("b.csv"), inmetFile(2023))));
        QCOMPARE(editedDayCount(*originLabel()->origin()), 0);
    }
};

QTEST_MAIN(StationSeriesTest)
#include "tst_station_series.moc"
