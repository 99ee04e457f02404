#include "core/numbers/NumberText.h"
#include "core/numbers/StudyText.h"
#include "core/study/StudyFile.h"
#include "core/tables/CellTable.h"
#include "frame/NumericEdit.h"
#include "frame/ResultGrid.h"
#include "frame/StudyInputs.h"
#include "models/U_Abast_Publico/TF_Abast_Publico.h"
#include "models/U_Dem_Agua/TF_Dem_Agua.h"
#include "models/U_Mod_Agricultura/TF_Mod_Agricultura.h"
#include "models/U_Mod_Pecuaria/TF_Mod_Pecuaria.h"
#include "support/WindowTesting.h"

#include <QTest>

#include <memory>

using namespace tavi;
using namespace testing;

namespace
{

std::unique_ptr<QWidget> newWindow(const QString &name)
{
    if (name == QLatin1String("TF_Abast_Publico"))
        return std::make_unique<TF_Abast_Publico>();
    if (name == QLatin1String("TF_Mod_Pecuaria"))
        return std::make_unique<TF_Mod_Pecuaria>();
    if (name == QLatin1String("TF_Mod_Agricultura"))
        return std::make_unique<TF_Mod_Agricultura>();
    return std::make_unique<TF_Dem_Agua>();
}

// A value a field can hold, different for every field, with as many decimals as it takes.
long double fieldValue(int index, int decimals)
{
    const long double values[] = {123456789012.5L, 0.25L, -17, 1e-2L, 98765.43L, 3};
    long double v = values[index % 6] + index;
    return roundHalfAway(decimals >= 6 ? v / 1000 + 0.000123L : v, decimals);
}

// A cell text of every kind the user may leave in a grid: numbers with many digits, an
// exponent, padding, text, an empty cell and a number of the other locale's form.
QString cellText(int row, int col, QChar separator)
{
    switch ((row * 7 + col) % 9) {
    case 0:
        return QStringLiteral("3%114159265358979323846").arg(separator);
    case 1:
        return QStringLiteral("abc");
    case 2:
        return QString();
    case 3:
        return QStringLiteral("   0%175").arg(separator);
    case 4:
        return QStringLiteral("1%15E-7").arg(separator);
    case 5:
        return separator == QLatin1Char(',') ? QStringLiteral("1.5") : QStringLiteral("1,5");
    case 6:
        return QStringLiteral("'quoted");
    case 7:
        return QString::number(row * 100 + col);
    }
    return QStringLiteral("-%1%2%3").arg(row).arg(separator).arg(col);
}

// The value a text stands for, or the text itself where it is no number.
QString meaning(const QString &text, const LocaleSettings &locale)
{
    long double v = 0;
    if (!tryTextToNumber(text, &v, locale))
        return QStringLiteral("text:") + text;
    return QStringLiteral("%1|%2").arg(formatGeneral(v, studyNumberSettings()),
                                       QString::number(double(v - (long double)(double)v)));
}

} // namespace

class StudyWindowsTest : public QObject
{
    Q_OBJECT

private slots:
    // What the user leaves in every field and cell of a window is saved in a study, and a
    // window opened from it under either locale shows the same numbers and texts.
    void everyInputSurvivesSavingAndReopening_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("savedUnder");
        QTest::addColumn<QString>("openedUnder");
        for (const char *window :
             {"TF_Abast_Publico", "TF_Mod_Pecuaria", "TF_Mod_Agricultura", "TF_Dem_Agua"}) {
            for (const auto &[saved, opened] :
                 {std::pair{"comma", "point"}, {"point", "comma"}, {"comma", "comma"}})
                QTest::addRow("%s %s->%s", window, saved, opened) << window << saved << opened;
        }
    }
    void everyInputSurvivesSavingAndReopening()
    {
        QFETCH(QString, window);
        QFETCH(QString, savedUnder);
        QFETCH(QString, openedUnder);
        const StudyWindowLayout &layout = *findWindowLayout(window);

        LocaleScope saving(settingsNamed(savedUnder));
        const LocaleSettings savedLocale = LocaleSettings::current();
        std::unique_ptr<QWidget> typed = newWindow(window);
        QVERIFY(showActive(typed.get()));
        int index = 0;
        QMap<QString, long double> values;
        for (const QString &name : layout.fields) {
            NumericEdit *field = fieldOf(typed.get(), qPrintable(name));
            field->setValue(fieldValue(index++, field->decimalPlaces()));
            values[name] = field->value();
        }
        QMap<QString, QStringList> meanings;
        for (const StudyGridLayout &gridLayout : layout.grids) {
            CellTable &table = typed->findChild<ResultGrid *>(gridLayout.name)->table();
            for (int r = 0; r < gridLayout.rows; ++r) {
                for (int c : gridLayout.columns) {
                    const QString text = cellText(r, c, savedLocale.decimalSeparator);
                    table.setCell(c, gridLayout.firstRow + r, text);
                    meanings[gridLayout.name] << meaning(text, savedLocale);
                }
            }
        }
        Study study = defaultStudy();
        study.windows[window] = StudyInputs::collect(typed.get());
        const QByteArray content = writeStudy(study);

        LocaleScope opening(settingsNamed(openedUnder));
        const Study reopened = readStudy(content).study;
        QVERIFY(reopened == study);
        std::unique_ptr<QWidget> shown = newWindow(window);
        // Not shown: the agriculture window would report the texts in its crop table.
        StudyInputs::fill(shown.get(), reopened.windows.value(window));
        for (const QString &name : layout.fields)
            QVERIFY2(fieldOf(shown.get(), qPrintable(name))->value() == values[name],
                     qPrintable(name));
        for (const StudyGridLayout &gridLayout : layout.grids) {
            const CellTable &table = shown->findChild<ResultGrid *>(gridLayout.name)->table();
            // A number means the same number; any other text comes back as typed, even where
            // this locale would read it.
            QStringList shownMeanings;
            const QStringList &expected = meanings[gridLayout.name];
            for (int r = 0; r < gridLayout.rows; ++r) {
                for (int c : gridLayout.columns) {
                    const QString text = table.cell(c, gridLayout.firstRow + r);
                    shownMeanings << (expected[shownMeanings.size()].startsWith("text:")
                                          ? QStringLiteral("text:") + text
                                          : meaning(text, LocaleSettings::current()));
                }
            }
            QCOMPARE(shownMeanings, expected);
        }
        // Under the same locale the window holds exactly what was saved, to be saved again
        // unchanged. (Under another, a text such as "1.5" typed where it was no number is a
        // number now, and is kept as one.)
        if (savedUnder == openedUnder)
            QVERIFY(StudyInputs::collect(shown.get()) == study.windows.value(window));
    }

    // A field left in the middle of an edit keeps the number typed so far; an unfinished
    // one keeps the value it had.
    void fieldBeingEditedKeepsWhatReads()
    {
        LocaleScope comma(LocaleSettings::brazilian());
        TF_Abast_Publico window;
        QVERIFY(showActive(&window));
        NumericEdit *me_1 = fieldOf(&window, "me_1");
        NumericEdit *me_2 = fieldOf(&window, "me_2");
        me_1->setFocus();
        typeInto(me_1, QStringLiteral("1500,5"));
        QCOMPARE(StudyInputs::collect(&window).fields.value("me_1"), QStringLiteral("1500.5"));
        me_2->setValue(2.5L);
        me_2->setFocus();
        me_2->selectAll();
        typeInto(me_2, QStringLiteral("3E"));
        QCOMPARE(StudyInputs::collect(&window).fields.value("me_2"), QStringLiteral("2.5"));
    }

    // A fresh window is the default study, so opening and closing one changes nothing.
    void freshWindowsAreTheDefaultStudy_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("locale");
        for (const char *window :
             {"TF_Abast_Publico", "TF_Mod_Pecuaria", "TF_Mod_Agricultura", "TF_Dem_Agua"})
            for (const char *locale : {"comma", "point", "arabic"})
                QTest::addRow("%s %s", window, locale) << window << locale;
    }
    void freshWindowsAreTheDefaultStudy()
    {
        QFETCH(QString, window);
        QFETCH(QString, locale);
        LocaleScope scope(settingsNamed(locale));
        std::unique_ptr<QWidget> fresh = newWindow(window);
        QVERIFY(showActive(fresh.get()));
        QVERIFY(StudyInputs::collect(fresh.get()) == defaultStudy().windows.value(window));
    }
};

QTEST_MAIN(StudyWindowsTest)
#include "tst_study_windows.moc"
