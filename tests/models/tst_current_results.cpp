// A window shows, saves and charts only results of its inputs as they are: any change of an
// input after "Simular" takes that run's results away, and "Salvar" and F4 then ask for
// "Simular" first. With the windows' own mends: the dilution's points beyond N, and the public
// supply's four-decimal per-capita demand and efficiency.
#include "core/sectors/catalogue/AgricultureTables.h"
#include "frame/NumericEdit.h"
#include "frame/ResultGrid.h"
#include "frame/ResultsNotice.h"
#include "models/U_Abast_Publico/TF_Abast_Publico.h"
#include "models/U_Dem_Agua/MaximumBox.h"
#include "models/U_Dem_Agua/TF_Dem_Agua.h"
#include "models/U_Mod_Agricultura/TF_Mod_Agricultura.h"
#include "models/U_Mod_Pecuaria/TF_Mod_Pecuaria.h"
#include "support/WindowTesting.h"

#include <QLabel>
#include <QToolButton>

using namespace testing;
using namespace tavi::agriculture;
using tavi::LocaleSettings;

namespace
{

// Records the notices and the dilution's maximum instead of showing their boxes.
class NoticeRecorder
{
public:
    NoticeRecorder()
    {
        ResultsNotice::setPresenter([this](QWidget *, const QString &text) { notices << text; });
        MaximumBox::setPresenter([](QWidget *, const QString &) {});
    }
    ~NoticeRecorder()
    {
        ResultsNotice::setPresenter({});
        MaximumBox::setPresenter({});
    }
    QStringList notices;
};

void click(QWidget *window, const char *name)
{
    window->findChild<QToolButton *>(QLatin1String(name))->click();
}

const QString kSaveChanged =
    ResultsNotice::text(ResultsNotice::Purpose::Save, /*inputsChanged=*/true);
const QString kChartChanged =
    ResultsNotice::text(ResultsNotice::Purpose::Chart, /*inputsChanged=*/true);

} // namespace

class CurrentResultsTest : public QObject
{
    Q_OBJECT

    // After an input changed, neither "Salvar" nor F4 acts: both say "Simular" must run.
    void expectNoticesInsteadOfResults(ModuleWindow *window, NoticeRecorder &recorder)
    {
        QVERIFY(!window->hasSimulated());
        QVERIFY(window->inputsChangedSinceRun());
        recorder.notices.clear();
        click(window, "b_salvar");
        QTest::keyClick(window, Qt::Key_F4);
        QCOMPARE(recorder.notices, (QStringList{kSaveChanged, kChartChanged}));
    }

private slots:
    void init() { LocaleSettings::setCurrent(LocaleSettings::brazilian()); }

    void publicSupply()
    {
        NoticeRecorder recorder;
        TF_Abast_Publico window;
        QVERIFY(showActive(&window));
        // Before any run, Salvar asks for one too.
        click(&window, "b_salvar");
        QCOMPARE(recorder.notices,
                 QStringList{ResultsNotice::text(ResultsNotice::Purpose::Save, false)});
        fieldOf(&window, "me_1")->setValue(25000);
        fieldOf(&window, "me_2")->setValue(0.2L);
        fieldOf(&window, "me_3")->setValue(30000);
        fieldOf(&window, "me_4")->setValue(0.1L);
        fieldOf(&window, "e_p_1")->setValue(0.0071L);
        fieldOf(&window, "e_p_2")->setValue(3.52L);
        click(&window, "b_simular");
        // Four decimals: 0,2050, not 0,20.
        QCOMPARE(fieldOf(&window, "me_demanda")->text(), QStringLiteral("0,2050"));
        QCOMPARE(window.resultGrid()->cell(1, 1), QStringLiteral("5500"));
        QCOMPARE(window.resultGrid()->cell(2, 365), QStringLiteral("5625"));

        // 80 % efficiency: the gross demand is the net over 0,8.
        fieldOf(&window, "me_5")->setValue(80);
        QCOMPARE(window.resultGrid()->cell(1, 1), QString());
        QCOMPARE(fieldOf(&window, "me_demanda")->value(), 0.0L);
        expectNoticesInsteadOfResults(&window, recorder);
        click(&window, "b_simular");
        QCOMPARE(window.resultGrid()->cell(1, 1), QStringLiteral("6875"));
        QCOMPARE(window.resultGrid()->cell(2, 1), QStringLiteral("7031,25"));
        QVERIFY(window.hasSimulated());
        QVERIFY(!window.inputsChangedSinceRun());

        // Typing into a field, key by key, takes the results away at the first key.
        NumericEdit *served = fieldOf(&window, "me_1");
        served->setFocus();
        served->selectAll();
        QTest::keyClicks(served, QStringLiteral("2"));
        QCOMPARE(window.resultGrid()->cell(2, 200), QString());
        expectNoticesInsteadOfResults(&window, recorder);
    }

    // An efficiency the window cannot use stops "Simular" with a message naming the field,
    // which is made current.
    void publicSupplyEfficiencyOutOfRange()
    {
        NoticeRecorder recorder;
        CoveringErrorBox errors;
        TF_Abast_Publico window;
        QVERIFY(showActive(&window));
        fieldOf(&window, "me_5")->setValue(120);
        click(&window, "b_simular");
        QCOMPARE(errors.messages.size(), 1);
        QVERIFY(errors.messages[0].startsWith(
            QStringLiteral("A \"Eficiência média do sistema de abastecimento\"")));
        QVERIFY(fieldOf(&window, "me_5")->hasFocus());
        QCOMPARE(window.resultGrid()->cell(1, 1), QString());
    }

    void livestock()
    {
        NoticeRecorder recorder;
        TF_Mod_Pecuaria window;
        QVERIFY(showActive(&window));
        fieldOf(&window, "me_bovino")->setValue(50);
        fieldOf(&window, "e_qte_bovino")->setValue(1200);
        click(&window, "b_simular");
        QCOMPARE(window.resultGrid()->cell(6, 1), QStringLiteral("60"));
        fieldOf(&window, "e_qte_bovino")->setValue(1300);
        for (int col = 1; col <= 6; ++col)
            QCOMPARE(window.resultGrid()->cell(col, 366), QString());
        expectNoticesInsteadOfResults(&window, recorder);
        // A field set to what it held changes nothing.
        click(&window, "b_simular");
        fieldOf(&window, "e_qte_bovino")->setValue(1300);
        QVERIFY(window.hasSimulated());
    }

    // The run's own writes (the effective rainfall beside the series) keep its results; a
    // cell of the series typed, pasted or filled takes them away, an open cell editor
    // included.
    void agriculture()
    {
        NoticeRecorder recorder;
        TF_Mod_Agricultura window;
        QVERIFY(showActive(&window));
        click(&window, "b_simular");
        QVERIFY(window.hasSimulated());
        QVERIFY(!window.total()->cell(0, totalRow(100)).isEmpty());
        QVERIFY(!window.serie()->cell(kEffectiveRainColumn, 100).isEmpty());

        ResultGrid *serie = window.serie();
        serie->setFocus();
        serie->setCurrentIndex(serie->model()->index(99, kEtpColumn));
        QTest::keyClicks(serie, QStringLiteral("9"));
        int col = 0, row = 0;
        QString typed;
        QVERIFY(serie->pendingEdit(&col, &row, &typed));
        QCOMPARE(typed, QStringLiteral("9"));
        QCOMPARE(window.total()->cell(0, totalRow(100)), QString());
        QCOMPARE(window.classGrid(0)->cell(kDbColumn, 1), QString());
        QCOMPARE(serie->cell(kEffectiveRainColumn, 1), QString());
        // The crop calendar's Kc are inputs' consequences, not results: they stay.
        QVERIFY(!window.classGrid(0)->cell(kKcColumn, 1).isEmpty());
        // Typing goes on undisturbed by the clearing.
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral(",5"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(serie->cell(kEtpColumn, 100), QStringLiteral("9,5"));
        expectNoticesInsteadOfResults(&window, recorder);

        click(&window, "b_simular");
        QVERIFY(window.hasSimulated());
        window.param()->setCell(0, kAreaRow, QStringLiteral("3"));
        QCOMPARE(window.total()->cell(0, totalRow(1)), QString());
        QVERIFY(!window.hasSimulated());
    }

    void dilution()
    {
        NoticeRecorder recorder;
        TF_Dem_Agua window;
        QVERIFY(showActive(&window));
        auto *l_vazao = window.findChild<QLabel *>(QStringLiteral("l_vazao"));
        click(&window, "b_simular");
        QVERIFY(l_vazao->text().startsWith(QStringLiteral("Máxima Vazão Acumulada: 0,45")));
        fieldOf(&window, "ce_2")->setValue(0.4L);
        QCOMPARE(l_vazao->text(), QStringLiteral("Máxima Vazão Acumulada:"));
        QCOMPARE(window.resultGrid()->cell(4, 1), QString());
        QCOMPARE(window.contributionMatrix().cell(0, 2), QString());
        expectNoticesInsteadOfResults(&window, recorder);
    }

    // N = 14 (the default): points 15 to 50 discharge nothing of their own but carry what
    // comes from upstream. N = 60 stops the run, naming the field, which is made current.
    void dilutionPointsBeyondN()
    {
        NoticeRecorder recorder;
        CoveringErrorBox errors;
        TF_Dem_Agua window;
        QVERIFY(showActive(&window));
        click(&window, "b_simular");
        QCOMPARE(window.resultGrid()->cell(1, 14), QStringLiteral("0,0435714285714286"));
        for (int col = 1; col <= 3; ++col)
            QCOMPARE(window.resultGrid()->cell(col, 15), QString());
        QCOMPARE(window.resultGrid()->cell(4, 15), QStringLiteral("0,0320835019975288"));
        QCOMPARE(window.resultGrid()->cell(0, 50), QStringLiteral("50"));
        QVERIFY(!window.resultGrid()->cell(4, 50).isEmpty());

        fieldOf(&window, "ce_3")->setValue(60);
        click(&window, "b_simular");
        QCOMPARE(errors.messages,
                 QStringList{QStringLiteral("O \"Número de Pontos de Lançamento\" deve ser um "
                                            "número inteiro de 1 a 50, e não 60.")});
        QVERIFY(fieldOf(&window, "ce_3")->hasFocus());
        QCOMPARE(window.resultGrid()->cell(4, 1), QString());
        // The fields that enter no formula say so.
        QCOMPARE(fieldOf(&window, "ce_1")->toolTip(), QStringLiteral("Não é usado no cálculo."));
        QCOMPARE(fieldOf(&window, "ce_9")->toolTip(), QStringLiteral("Não é usado no cálculo."));
    }
};

QTEST_MAIN(CurrentResultsTest)
#include "tst_current_results.moc"
