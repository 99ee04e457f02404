#include "core/numbers/NumberText.h"
#include "core/sectors/catalogue/AgricultureTables.h"
#include "core/sectors/dilution/DilutionModel.h"
#include "core/sectors/livestock/LivestockModel.h"
#include "export/ResultChartDialog.h"
#include "frame/ResultGrid.h"
#include "models/U_Abast_Publico/TF_Abast_Publico.h"
#include "models/U_Dem_Agua/MaximumBox.h"
#include "models/U_Dem_Agua/TF_Dem_Agua.h"
#include "models/U_Mod_Agricultura/TF_Mod_Agricultura.h"
#include "models/U_Mod_Pecuaria/TF_Mod_Pecuaria.h"
#include "support/ModalWindows.h"
#include "support/WindowTesting.h"

#include <QChartView>
#include <QLineSeries>
#include <QMap>
#include <QToolButton>

#include <functional>
#include <memory>

using namespace testing;
using tavi::LocaleSettings;

namespace
{

// A line the chart must draw: the cells of one column, row after row, at x = firstX, +1...
struct ExpectedLine {
    QString name;
    const tavi::CellTable *table;
    int col;
    int firstRow;
    int lastRow;
    int firstX;
};

// One module window as these tests drive it: how to make it, what to type before a run,
// the lines its chart draws, and where its activation handler puts the focus.
struct WindowCase {
    std::function<ModuleWindow *()> make;
    std::function<void(ModuleWindow *)> typeInputs;
    std::function<QList<ExpectedLine>(ModuleWindow *)> lines;
    QString focusAfterActivation;
};

void set(ModuleWindow *w, const char *name, long double value)
{
    fieldOf(w, name)->setValue(value);
}

WindowCase publicSupply()
{
    WindowCase c;
    c.make = [] { return new TF_Abast_Publico; };
    c.typeInputs = [](ModuleWindow *w) {
        set(w, "me_1", 25000);
        set(w, "me_2", 0.2L);
        set(w, "me_3", 31000);
        set(w, "me_4", 0.08L);
        set(w, "me_5", 75);
        set(w, "e_p_1", 0.025L);
        set(w, "e_p_2", 2.5L);
        set(w, "e_p_3", 0.00001L);
        set(w, "e_p_4", 1800);
    };
    c.lines = [](ModuleWindow *w) {
        const tavi::CellTable &t = static_cast<TF_Abast_Publico *>(w)->resultGrid()->table();
        return QList<ExpectedLine>{{"Atual", &t, 1, 1, 365, 1}, {"Futura", &t, 2, 1, 365, 1}};
    };
    c.focusAfterActivation = QStringLiteral("me_1");
    return c;
}

WindowCase livestock()
{
    WindowCase c;
    c.make = [] { return new TF_Mod_Pecuaria; };
    c.typeInputs = [](ModuleWindow *w) {
        const char *herd[] = {"e_qte_bovino", "e_qte_suino", "e_qte_equino", "e_qte_caprino",
                              "e_qte_galinaceo"};
        const char *litres[] = {"me_bovino", "me_suino", "me_equino", "me_caprino", "me_galinaceo"};
        const long double heads[] = {1200, 800, 90, 400, 15000};
        const long double perHead[] = {50, 12.5L, 40, 5.25L, 0.25L};
        for (int s = 0; s < 5; ++s) {
            set(w, herd[s], heads[s]);
            set(w, litres[s], perHead[s]);
        }
    };
    c.lines = [](ModuleWindow *w) {
        const tavi::CellTable &t = static_cast<TF_Mod_Pecuaria *>(w)->resultGrid()->table();
        QList<ExpectedLine> lines;
        const char *names[] = {"Bovino", "Suíno", "Equino", "Caprino", "Galináceo", "Total"};
        for (int col = 1; col <= 6; ++col)
            lines << ExpectedLine{QString::fromUtf8(names[col - 1]), &t, col, 1, 366, 1};
        return lines;
    };
    c.focusAfterActivation = QStringLiteral("me_bovino");
    return c;
}

WindowCase agriculture()
{
    using namespace tavi::agriculture;
    WindowCase c;
    c.make = [] { return new TF_Mod_Agricultura; };
    c.typeInputs = [](ModuleWindow *w) {
        ResultGrid *serie = static_cast<TF_Mod_Agricultura *>(w)->serie();
        const QChar sep = LocaleSettings::current().decimalSeparator;
        for (int day = 1; day <= kDays; ++day) {
            serie->setCell(kEtpColumn, day, QString::number(3 + day % 7) + sep + '5');
            serie->setCell(kRainColumn, day, QString::number(day % 11 == 0 ? 12 : 0));
        }
    };
    c.lines = [](ModuleWindow *w) {
        auto *window = static_cast<TF_Mod_Agricultura *>(w);
        QList<ExpectedLine> lines{{"Total", &window->total()->table(), 0, 0, kDays - 1, 1}};
        for (int k = 0; k < kClasses; ++k)
            lines << ExpectedLine{QStringLiteral("Classe ") + classLetter(k),
                                  &window->classGrid(k)->table(),
                                  kDbColumn,
                                  1,
                                  kDays,
                                  1};
        return lines;
    };
    c.focusAfterActivation = QStringLiteral("SG_Serie");
    return c;
}

WindowCase dilution()
{
    WindowCase c;
    c.make = [] { return new TF_Dem_Agua; };
    c.typeInputs = [](ModuleWindow *w) {
        set(w, "ce_2", 0.38L);
        set(w, "ce_3", 50);
        set(w, "ce_4", 1.2L);
        set(w, "ce_5", 300);
        set(w, "ce_6", 5);
        set(w, "ce_7", 1);
        set(w, "ce_8", 0.1L);
    };
    c.lines = [](ModuleWindow *w) {
        const tavi::CellTable &t = static_cast<TF_Dem_Agua *>(w)->resultGrid()->table();
        return QList<ExpectedLine>{
            {"Qind.n (acumulada)", &t, tavi::AccumulatedFlowColumn, 1, 50, 1}};
    };
    c.focusAfterActivation = QStringLiteral("ce_1");
    return c;
}

WindowCase windowCase(const QString &name)
{
    if (name == QLatin1String("public supply"))
        return publicSupply();
    if (name == QLatin1String("livestock"))
        return livestock();
    if (name == QLatin1String("agriculture"))
        return agriculture();
    return dilution();
}

const char *const kWindows[] = {"public supply", "livestock", "agriculture", "dilution"};

// The points a chart draws under each legend name, x to y, over all the runs of a line.
using Points = QMap<QString, QMap<double, double>>;

Points pointsOf(QWidget *chartWindow)
{
    Points points;
    auto *view = chartWindow->findChild<QChartView *>();
    if (!view)
        return points;
    for (QAbstractSeries *series : view->chart()->series()) {
        auto *line = qobject_cast<QLineSeries *>(series);
        if (!line)
            continue;
        QMap<double, double> &named = points[line->name()];
        for (const QPointF &p : line->points())
            named.insert(p.x(), p.y());
    }
    return points;
}

} // namespace

class ResultChartsTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<ModuleWindow> window;
    WindowCase current;
    QStringList notices;

    void open(const QString &name)
    {
        current = windowCase(name);
        window.reset(current.make());
        QVERIFY(showActive(window.get()));
    }
    void simulate()
    {
        current.typeInputs(window.get());
        window->simularButton()->click();
        settle();
        QVERIFY(window->hasSimulated());
    }
    // Opens the chart with F4 pressed in `from` (or the focused control), looks at it and
    // closes it.
    Shown pressF4(QWidget *from, const std::function<void(QWidget *)> &inspect = {})
    {
        return whileModal([from] { QTest::keyClick(from, Qt::Key_F4); }, inspect);
    }
    static void addWindowRows()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : kWindows)
            QTest::newRow(name) << QString::fromLatin1(name);
    }

private slots:
    void init()
    {
        MaximumBox::setPresenter([](QWidget *, const QString &) {});
        ResultChartBox::setNoticePresenter(
            [this](QWidget *, const QString &text) { notices << text; });
    }
    void cleanup()
    {
        window.reset();
        notices.clear();
        MaximumBox::setPresenter({});
        ResultChartBox::setNoticePresenter({});
        LocaleSettings::setCurrent(LocaleSettings::brazilian());
    }

    void theChartDrawsTheGridsNumbers_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("locale");
        for (const char *name : kWindows)
            for (const char *locale : {"comma", "point"})
                QTest::addRow("%s, decimal %s", name, locale)
                    << QString::fromLatin1(name) << QString::fromLatin1(locale);
    }
    void theChartDrawsTheGridsNumbers()
    {
        QFETCH(QString, name);
        QFETCH(QString, locale);
        LocaleSettings::setCurrent(settingsNamed(locale));
        open(name);
        simulate();
        Points points;
        QString caption;
        const Shown shown = pressF4(QApplication::focusWidget(), [&](QWidget *chart) {
            points = pointsOf(chart);
            caption = chart->windowTitle();
        });
        QVERIFY(shown.opened);
        QCOMPARE(shown.name, QStringLiteral("F_Grafico"));
        QCOMPARE(caption, QStringLiteral("Gráfico - ") + window->windowTitle());
        const QList<ExpectedLine> lines = current.lines(window.get());
        QCOMPARE(points.size(), lines.size());
        int numbers = 0;
        for (const ExpectedLine &line : lines) {
            QVERIFY2(points.contains(line.name), qPrintable(line.name));
            const QMap<double, double> &drawn = points[line.name];
            for (int row = line.firstRow; row <= line.lastRow; ++row) {
                const double x = line.firstX + row - line.firstRow;
                long double value = 0;
                QVERIFY(tavi::tryTextToNumber(line.table->cell(line.col, row), &value));
                QVERIFY2(drawn.contains(x),
                         qPrintable(QStringLiteral("%1 at %2").arg(line.name).arg(x)));
                QCOMPARE(drawn.value(x), static_cast<double>(value));
                numbers += value != 0;
            }
            QCOMPARE(drawn.size(), line.lastRow - line.firstRow + 1);
        }
        // Inputs that give nothing but zeros would prove little.
        QVERIFY(numbers > 0);
    }

    void cellsThatHoldNoNumberAreGaps_data() { addWindowRows(); }
    void cellsThatHoldNoNumberAreGaps()
    {
        QFETCH(QString, name);
        open(name);
        simulate();
        const ExpectedLine line = current.lines(window.get()).constFirst();
        auto *table = const_cast<tavi::CellTable *>(line.table);
        const int row = line.firstRow + 9;
        table->setCell(line.col, row, QStringLiteral("abc"));
        table->setCell(line.col, row + 1, QString());
        table->setCell(line.col, row + 3, QStringLiteral("1.5.2"));
        Points points;
        QVERIFY(pressF4(QApplication::focusWidget(), [&](QWidget *chart) {
                    points = pointsOf(chart);
                }).opened);
        const QMap<double, double> &drawn = points[line.name];
        const int x = line.firstX + 9;
        QVERIFY(drawn.contains(x - 1));
        QVERIFY(!drawn.contains(x));
        QVERIFY(!drawn.contains(x + 1));
        QVERIFY(drawn.contains(x + 2));
        QVERIFY(!drawn.contains(x + 3));
        QVERIFY(drawn.contains(x + 4));
    }

    void beforeSimularANoticeInsteadOfAChart_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("button");
        for (const char *name : kWindows)
            for (bool button : {false, true})
                QTest::addRow("%s, %s", name, button ? "button" : "F4")
                    << QString::fromLatin1(name) << button;
    }
    void beforeSimularANoticeInsteadOfAChart()
    {
        QFETCH(QString, name);
        QFETCH(bool, button);
        open(name);
        // The agriculture window opens with "0" in every result cell: numbers, but none of a run.
        current.typeInputs(window.get());
        // A notice that covers the window, as the real one does.
        ResultChartBox::setNoticePresenter([this](QWidget *parent, const QString &text) {
            notices << text;
            QDialog box(parent);
            QVERIFY(showActive(&box));
            box.close();
        });
        window->simularButton()->setFocus();
        const Shown shown = whileModal([&] {
            if (button)
                window->graficoButton()->click();
            else
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4);
        });
        QVERIFY(!shown.opened);
        QCOMPARE(notices, QStringList{ResultChartBox::notSimulatedNotice()});
        // The keys come back where they were, not to the first field.
        QCOMPARE(QApplication::activeWindow(), window.get());
        QCOMPARE(QApplication::focusWidget(), window->simularButton());
    }

    // F4 from any control, grids and an open cell editor included, and the button open the
    // chart; when it closes the window's activation handler runs, as after any box.
    void f4AndTheButtonOpenTheChartAndActivationComesBack_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("from"); // "field", "grid", "cell editor", "button"
        for (const char *name : kWindows)
            for (const char *from : {"field", "grid", "cell editor", "button"})
                QTest::addRow("%s, %s", name, from)
                    << QString::fromLatin1(name) << QString::fromLatin1(from);
    }
    void f4AndTheButtonOpenTheChartAndActivationComesBack()
    {
        QFETCH(QString, name);
        QFETCH(QString, from);
        open(name);
        simulate();
        const QList<ExpectedLine> lines = current.lines(window.get());
        ResultGrid *grid = nullptr;
        for (ResultGrid *g : window->findChildren<ResultGrid *>())
            if (&g->table() == lines.constLast().table)
                grid = g;
        QVERIFY(grid);
        QWidget *target = nullptr;
        if (from == QLatin1String("field")) {
            // The agriculture window has no field the user sees: its Simular button then.
            target = window->simularButton();
            for (NumericEdit *field : window->findChildren<NumericEdit *>())
                if (field->isVisible())
                    target = field;
            target->setFocus();
        } else if (from != QLatin1String("button")) {
            grid->setFocus();
            grid->setCurrentIndex(grid->model()->index(2, lines.constLast().col));
            target = grid;
            if (from == QLatin1String("cell editor")) {
                grid->setEditable(true);
                QTest::keyClick(grid, Qt::Key_F2);
                target = QApplication::focusWidget();
                QVERIFY(target != grid && grid->isAncestorOf(target));
            }
        }
        // A cell editor is closed on the way: its grid keeps the place.
        QPointer<QWidget> before = target == grid || from == QLatin1String("cell editor")
                                       ? grid
                                       : QApplication::focusWidget();
        const Shown shown = whileModal([&] {
            if (target)
                QTest::keyClick(target, Qt::Key_F4);
            else
                window->graficoButton()->click();
        });
        QVERIFY(shown.opened);
        QCOMPARE(shown.name, QStringLiteral("F_Grafico"));
        QVERIFY(shown.destroyed);
        QVERIFY(notices.isEmpty());
        QCOMPARE(QApplication::activeWindow(), window.get());
        // The keys go back where they were: the field, the grid, the grid of the cell edited.
        QVERIFY(before);
        QCOMPARE(QApplication::focusWidget(), before.data());
    }

    // The button takes no focus: Enter and Tab walk the window's controls as before.
    void theButtonStaysOutOfTheFocusChain_data() { addWindowRows(); }
    void theButtonStaysOutOfTheFocusChain()
    {
        QFETCH(QString, name);
        open(name);
        QToolButton *button = window->graficoButton();
        QVERIFY(button);
        QCOMPARE(button->text(), QStringLiteral("Gráfico"));
        QCOMPARE(button->toolTip(), QStringLiteral("Gráfico dos resultados (F4)"));
        QVERIFY(button->isVisible());
        QList<QWidget *> walked;
        for (int i = 0; i < 200; ++i) {
            window->focusNextControl();
            walked << QApplication::focusWidget();
        }
        QVERIFY(walked.contains(window->simularButton()));
        QVERIFY(!walked.contains(button));
        // Tab from the last button goes on exactly as Enter does.
        window->sairButton()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(window->sairButton(), Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != button);
        // And the button on screen clips nothing around it.
        for (QWidget *sibling : button->parentWidget()->findChildren<QWidget *>(
                 QString(), Qt::FindDirectChildrenOnly)) {
            if (sibling != button && sibling->isVisible())
                QVERIFY2(!sibling->geometry().intersects(button->geometry()),
                         qPrintable(sibling->objectName() + sibling->metaObject()->className()));
        }
    }
};

QTEST_MAIN(ResultChartsTest)
#include "tst_result_charts.moc"
