#include "core/base/ApplicationTitle.h"
#include "core/sectors/dilution/DilutionRun.h"
#include "core/tables/CellTable.h"
#include "frame/NumericEdit.h"
#include "frame/ResultGrid.h"
#include "models/U_Dem_Agua/MaximumBox.h"
#include "models/U_Dem_Agua/TF_Dem_Agua.h"
#include "support/WindowTesting.h"

#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

using namespace testing;
using tavi::LocaleSettings;

namespace
{

// Records every report of the maximum instead of showing the box.
class MaximumRecorder
{
public:
    MaximumRecorder()
    {
        MaximumBox::setPresenter([this](QWidget *, const QString &text) { reports << text; });
    }
    ~MaximumRecorder() { MaximumBox::setPresenter({}); }
    QStringList reports;
};

QString inLocale(QString text, bool comma)
{
    return comma ? text.replace(QLatin1Char('.'), QLatin1Char(',')) : text;
}

const QString kCaption = QStringLiteral("Máxima Vazão Acumulada:");

} // namespace

class DilutionTest : public QObject
{
    Q_OBJECT

    TF_Dem_Agua *window = nullptr;

    NumericEdit *field(const char *name) { return fieldOf(window, name); }
    QToolButton *button(const char *name)
    {
        return window->findChild<QToolButton *>(QLatin1String(name));
    }
    QString cell(int col, int row) const { return window->resultGrid()->cell(col, row); }
    QString vazao() { return window->findChild<QLabel *>(QStringLiteral("l_vazao"))->text(); }
    void simulate() { button("b_simular")->click(); }
    void open()
    {
        delete window;
        window = new TF_Dem_Agua;
        QVERIFY(showActive(window));
    }
    // Every result cell and every matrix cell, to compare two runs.
    QStringList everything() const
    {
        QStringList texts;
        for (int row = 0; row <= 50; ++row) {
            for (int col = 0; col < 5; ++col)
                texts << cell(col, row);
            for (int col = 0; col < 50; ++col)
                texts << window->contributionMatrix().cell(col, row);
        }
        return texts;
    }

private slots:
    void init()
    {
        LocaleSettings::setCurrent(LocaleSettings::brazilian());
        open();
    }
    void cleanup()
    {
        delete window;
        window = nullptr;
        MaximumBox::setPresenter({});
    }

    void opensWithItsDefaultsHeadersAndPointNumbers()
    {
        QCOMPARE(window->windowTitle(),
                 QStringLiteral("Demanda por Água para a Diluição de Esgotos Domésticos"));
        QCOMPARE(window->size(), QSize(623, 721));
        QVERIFY(field("ce_1")->hasFocus());
        QCOMPARE(field("ce_1")->text(), QStringLiteral("1"));
        const char *names[] = {"ce_2", "ce_3", "ce_4", "ce_5", "ce_6", "ce_7", "ce_8", "ce_9"};
        const char *shown[] = {"0,38",  "14,00", "0,61", "1.124,55",
                               "10,00", "2,00",  "7,00", "2,00"};
        for (int i = 0; i < 8; ++i)
            QCOMPARE(field(names[i])->text(), QString::fromUtf8(shown[i]));
        NumericEdit *probe = field("ce_aux_valor");
        QVERIFY(!probe->isVisible());
        QCOMPARE(probe->text(), QStringLiteral("8,30"));

        const QStringList headers = {"Ponto de Lançamento", "Qefluente.n", "DBO5efluente.n",
                                     "Qdil.n", "Qind.n (acumulada)"};
        for (int col = 0; col < 5; ++col)
            QCOMPARE(cell(col, 0), headers[col]);
        QCOMPARE(cell(0, 1), QStringLiteral("1"));
        QCOMPARE(cell(0, 50), QStringLiteral("50"));
        QCOMPARE(cell(1, 1), QString());
        ResultGrid *grid = window->resultGrid();
        QCOMPARE(grid->columnWidth(0), 150);
        // At least as set, and wide enough for the heading to read whole.
        QVERIFY(grid->columnWidth(1) >= 80);
        QVERIFY(grid->columnWidth(1) <= 100);
        QVERIFY(grid->columnWidth(4) >= 100);
        QCOMPARE(window->contributionMatrix().cell(0, 0), QStringLiteral("Qind.1"));
        QCOMPARE(window->contributionMatrix().cell(49, 0), QStringLiteral("Qind.50"));
        QCOMPARE(vazao(), kCaption);

        // The grid lies whole in a box that scrolls vertically only.
        auto *box = qobject_cast<QScrollArea *>(grid->parentWidget()->parentWidget());
        QVERIFY(box);
        QCOMPARE(box->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QVERIFY(grid->width() <= box->viewport()->width());
        QVERIFY(box->verticalScrollBar()->maximum() > 0);
    }

    // The grid does not scroll by itself; moving the current cell down scrolls its box.
    void theBoxFollowsTheCurrentCell()
    {
        ResultGrid *grid = window->resultGrid();
        auto *box = qobject_cast<QScrollArea *>(grid->parentWidget()->parentWidget());
        QCOMPARE(box->verticalScrollBar()->value(), 0);
        grid->setFocus();
        grid->setCurrentIndex(grid->model()->index(0, 0));
        for (int i = 0; i < 49; ++i)
            QTest::keyClick(grid, Qt::Key_Down);
        QCOMPARE(grid->currentIndex().row(), 49);
        QCOMPARE(box->verticalScrollBar()->value(), box->verticalScrollBar()->maximum());
    }

    void defaultRun_data()
    {
        QTest::addColumn<bool>("comma");
        QTest::newRow("comma") << true;
        QTest::newRow("point") << false;
    }
    void defaultRun()
    {
        QFETCH(bool, comma);
        LocaleScope locale(comma ? LocaleSettings::brazilian() : LocaleSettings::decimalPoint());
        open();
        MaximumRecorder box;
        simulate();
        // The 14 points of the defaults discharge; the others carry what comes from upstream.
        for (int p = 1; p <= 50; ++p) {
            QCOMPARE(cell(0, p), QString::number(p));
            QCOMPARE(cell(1, p), p <= 14 ? inLocale("0.0435714285714286", comma) : QString());
            QCOMPARE(cell(2, p), p <= 14 ? inLocale("80.325", comma) : QString());
            QCOMPARE(cell(3, p), p <= 14 ? inLocale("0.383020089285715", comma) : QString());
        }
        QCOMPARE(cell(4, 1), inLocale("0.426591517857144", comma));
        QCOMPARE(cell(4, 2), inLocale("0.456430835942605", comma));
        QCOMPARE(cell(4, 3), inLocale("0.458518043180756", comma));
        QCOMPARE(cell(4, 14), inLocale("0.458675019854673", comma));
        QCOMPARE(cell(4, 15), inLocale("0.0320835019975288", comma));
        QCOMPARE(cell(4, 50), inLocale("1.18431028637027E-42", comma));
        QCOMPARE(window->contributionMatrix().cell(0, 6), inLocale("7.14324599854045E-7", comma));
        QCOMPARE(box.reports, QStringList{inLocale("0.458675019854673", comma)});
        QCOMPARE(vazao(), kCaption + QLatin1Char(' ') + inLocale("0.458675019854673", comma));
    }

    // Inputs typed as a user would, results derived apart from this program.
    void otherInputsAsTyped()
    {
        MaximumRecorder box;
        const char *names[] = {"ce_2", "ce_3", "ce_4", "ce_5", "ce_6", "ce_7", "ce_8"};
        const char *typed[] = {"0,25", "3", "1,75", "450,5", "5", "1,5", "1,5"};
        for (int i = 0; i < 7; ++i) {
            NumericEdit *f = field(names[i]);
            f->setFocus(Qt::TabFocusReason);
            f->selectAll();
            typeInto(f, QString::fromLatin1(typed[i]));
        }
        simulate();
        QCOMPARE(cell(1, 3), QStringLiteral("0,583333333333333"));
        QCOMPARE(cell(2, 3), QStringLiteral("150,166666666667"));
        QCOMPARE(cell(3, 3), QStringLiteral("24,1944444444445"));
        QCOMPARE(cell(1, 4), QString());
        QCOMPARE(cell(4, 1), QStringLiteral("24,7777777777778"));
        QCOMPARE(cell(4, 2), QStringLiteral("41,8072787967097"));
        QCOMPARE(cell(4, 10), QStringLiteral("3,87635804979703"));
        QCOMPARE(cell(4, 20), QStringLiteral("0,0911632034620218"));
        QCOMPARE(box.reports, QStringList{QStringLiteral("53,5114722701815")});
    }

    // Typed in and run, the window shows what the run gives for the texts typed, as a study
    // keeps them: the grid, the matrix and the maximum in its box and its label.
    void theWindowShowsTheRunsTexts()
    {
        MaximumRecorder box;
        const QList<QPair<QString, QString>> typed = {
            {"ce_2", "0,25"}, {"ce_3", "3"},   {"ce_4", "1,75"}, {"ce_5", "450,5"},
            {"ce_6", "5"},    {"ce_7", "1,5"}, {"ce_8", "1,5"},  {"ce_9", "4"}};
        tavi::WindowInputs study;
        for (const auto &[name, text] : typed) {
            typeIntoField(window, name, text);
            study.fields[name] = QString(text).replace(QLatin1Char(','), QLatin1Char('.'));
        }
        simulate();
        const LocaleSettings &locale = LocaleSettings::current();
        const tavi::dilution::Result run =
            tavi::dilution::run(tavi::dilution::readInputs(study, locale), locale);
        QCOMPARE(cellTexts(window->resultGrid()->table()), cellTexts(*run.results));
        QCOMPARE(cellTexts(window->contributionMatrix()), cellTexts(*run.contributions));
        QCOMPARE(box.reports, QStringList{run.maximumText});
        QCOMPARE(vazao(), kCaption + QLatin1Char(' ') + run.maximumText);
        QCOMPARE(run.maximumText, QStringLiteral("53,5114722701815"));
    }

    void riverVelocityAndTotalTravelTimeChangeNothing()
    {
        MaximumRecorder box;
        simulate();
        const QStringList before = everything();
        field("ce_1")->setValue(3.5L);
        field("ce_9")->setValue(40);
        simulate();
        QCOMPARE(everything(), before);
        QCOMPARE(box.reports[0], box.reports[1]);
    }

    // N points share the totals; the grid still lists the 50 points of the river.
    void theNumberOfPointsSharesTheTotalsOverFiftyRows()
    {
        MaximumRecorder box;
        field("ce_3")->setValue(7);
        simulate();
        QCOMPARE(cell(1, 1), QStringLiteral("0,0871428571428571"));
        QCOMPARE(cell(1, 7), QStringLiteral("0,0871428571428571"));
        QCOMPARE(cell(1, 8), QString());
        QVERIFY(!cell(4, 50).isEmpty());
    }

    // N must be a whole number of points from 1 to 50: 0 fails before any cell is written,
    // with a message naming the field, which is made current.
    void noDischargePointsFailsBeforeWriting()
    {
        CoveringErrorBox errors;
        MaximumRecorder box;
        field("ce_3")->setValue(0);
        simulate();
        QCOMPARE(errors.messages,
                 QStringList{QStringLiteral("O \"Número de Pontos de Lançamento\" deve ser um "
                                            "número inteiro de 1 a 50, e não 0.")});
        QCOMPARE(cell(1, 1), QString());
        QVERIFY(box.reports.isEmpty());
        QCOMPARE(vazao(), kCaption);
        QVERIFY(field("ce_3")->hasFocus());

        field("ce_3")->setValue(14.5L);
        simulate();
        QCOMPARE(errors.messages.last(),
                 QStringLiteral("O \"Número de Pontos de Lançamento\" deve ser um número "
                                "inteiro de 1 a 50, e não 14,5."));
        QVERIFY(window->isVisible());
    }

    // ce_6 = ce_7 fails on the dilution flow of point 1, after its first two cells; nothing
    // of the previous run stays on the screen, its maximum included.
    void equalPermittedAndRiverBodFailsAfterRowOnesFirstCells()
    {
        MaximumRecorder box;
        simulate();
        QVERIFY(vazao() != QStringLiteral("Máxima Vazão Acumulada:"));
        ErrorRecorder errors;
        field("ce_4")->setValue(1.4L);
        field("ce_7")->setValue(10);
        simulate();
        QCOMPARE(errors.messages,
                 QStringList{QStringLiteral("Divisão de ponto flutuante por zero.")});
        QCOMPARE(cell(1, 1), QStringLiteral("0,1"));
        QCOMPARE(cell(2, 1), QStringLiteral("80,325"));
        QCOMPARE(cell(3, 1), QString());
        QCOMPARE(cell(1, 2), QString());
        QCOMPARE(cell(4, 50), QString());
        QCOMPARE(cell(0, 50), QStringLiteral("50"));
        QCOMPARE(box.reports.size(), 1);
        QCOMPARE(vazao(), QStringLiteral("Máxima Vazão Acumulada:"));
    }

    // The box covers the window; when it closes, activation comes back and puts the focus
    // in ce_1, as it does after every completed run.
    void focusIsBackInTheFirstFieldAfterTheBox()
    {
        bool shown = false;
        MaximumBox::setPresenter([&](QWidget *parent, const QString &) {
            QDialog box(parent);
            shown = showActive(&box);
            box.close();
        });
        NumericEdit *last = field("ce_9");
        last->setFocus(Qt::TabFocusReason);
        QTest::keyClick(last, Qt::Key_Return);
        QVERIFY(button("b_simular")->hasFocus());
        QTest::keyClick(button("b_simular"), Qt::Key_Return);
        QVERIFY(shown);
        QVERIFY(field("ce_1")->hasFocus());
        QCOMPARE(vazao(), kCaption + QStringLiteral(" 0,458675019854673"));
    }

    void theRealBoxIsPlainAndCaptionedWithTheApplicationTitle()
    {
        QString title, text;
        int icon = -1;
        QMessageBox::StandardButtons buttons;
        QTimer::singleShot(0, this, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            auto *box = qobject_cast<QMessageBox *>(modal);
            if (!box) {
                if (modal)
                    modal->close();
                return;
            }
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            buttons = box->standardButtons();
            box->accept();
        });
        simulate();
        QCOMPARE(title, tavi::applicationTitle());
        QCOMPARE(text, QStringLiteral("0,458675019854673"));
        QCOMPARE(icon, int(QMessageBox::NoIcon));
        QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(field("ce_1")->hasFocus());
    }

    // The window has "." and "," type the regional decimal separator, whatever it is.
    void decimalKeysFollowTheLocale_data()
    {
        QTest::addColumn<QString>("settings");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("arrives");
        QTest::newRow("comma locale, '.'") << "comma"
                                           << "."
                                           << ",";
        QTest::newRow("comma locale, ','") << "comma"
                                           << ","
                                           << ",";
        QTest::newRow("point locale, ','") << "point"
                                           << ","
                                           << ".";
        QTest::newRow("point locale, '.'") << "point"
                                           << "."
                                           << ".";
        QTest::newRow("arabic locale, ','") << "arabic"
                                            << "," << QString(QChar(0x066B));
        QTest::newRow("arabic locale, '.'") << "arabic"
                                            << "." << QString(QChar(0x066B));
    }
    void decimalKeysFollowTheLocale()
    {
        QFETCH(QString, settings);
        QFETCH(QString, typed);
        QFETCH(QString, arrives);
        LocaleScope locale(settingsNamed(settings));
        open();
        QCOMPARE(window->decimalSeparator(), arrives.at(0));
        // A plain text control of the window receives the key as the window handed it on.
        auto *plain = new QLineEdit(window);
        plain->show();
        plain->setFocus();
        QTest::keyClicks(plain, QStringLiteral("4") + typed + QStringLiteral("5"));
        QCOMPARE(plain->text(), QStringLiteral("4") + arrives + QStringLiteral("5"));
        // And a field of its own holds the number the user meant.
        NumericEdit *velocity = field("ce_1");
        velocity->setFocus();
        velocity->selectAll();
        typeInto(velocity, QStringLiteral("4") + typed + QStringLiteral("5"));
        QCOMPARE(velocity->text(), QStringLiteral("4") + arrives + QStringLiteral("5"));
        QVERIFY(velocity->value() == 4.5L);
    }

    void enterFromTheLastFieldReachesSimularThenTabOrderSairSalvar()
    {
        const char *chain[] = {"ce_1", "ce_2", "ce_3", "ce_4", "ce_5",
                               "ce_6", "ce_7", "ce_8", "ce_9"};
        for (const char *name : chain) {
            QVERIFY2(field(name)->hasFocus(), name);
            QTest::keyClick(field(name), Qt::Key_Return);
            settle();
        }
        QVERIFY(button("b_simular")->hasFocus());
        window->focusNextControl();
        QVERIFY(button("b_sair")->hasFocus());
        window->focusNextControl();
        QVERIFY(button("b_salvar")->hasFocus());
        window->focusNextControl();
        QVERIFY(window->resultGrid()->hasFocus());
    }
};

QTEST_MAIN(DilutionTest)
#include "tst_dilution.moc"
