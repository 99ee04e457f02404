#include "frame/NumericEdit.h"
#include "support/WindowTesting.h"

#include <QClipboard>
#include <QSignalSpy>
#include <QVBoxLayout>

using namespace testing;
using tavi::LocaleSettings;

// A small window with two fields, so that focus can leave the one under test.
class NumericEditTest : public QObject
{
    Q_OBJECT

    QWidget *window = nullptr;
    NumericEdit *field = nullptr;
    NumericEdit *other = nullptr;

    void enterField()
    {
        field->setFocus(Qt::TabFocusReason);
        QVERIFY(field->hasFocus());
    }

private slots:
    void init()
    {
        window = new QWidget;
        auto *layout = new QVBoxLayout(window);
        field = new NumericEdit(window);
        field->setDisplayFormat(QStringLiteral(",0.00;-,0.00"));
        other = new NumericEdit(window);
        layout->addWidget(field);
        layout->addWidget(other);
        QVERIFY(showActive(window));
    }
    void cleanup()
    {
        delete window;
        window = nullptr;
    }

    void untouchedFieldsShowTheirFormatsZero()
    {
        LocaleScope locale(LocaleSettings::brazilian());
        NumericEdit whole, two, currency;
        whole.setDisplayFormat(QStringLiteral(",0.;-,0."));
        two.setDisplayFormat(QStringLiteral(",0.00;-,0.00"));
        whole.setValue(0);
        two.setValue(0);
        currency.setValue(0);
        QCOMPARE(whole.text(), QStringLiteral("0"));
        QCOMPARE(two.text(), QStringLiteral("0,00"));
        QCOMPARE(currency.text(), QStringLiteral("R$ 0,00"));
        // A whole-number field keeps the fraction it is not showing.
        whole.setValue(0.15L);
        QCOMPARE(whole.text(), QStringLiteral("0"));
        QCOMPARE(double(whole.value()), 0.15);
    }

    // A field where nothing typed means "none" shows nothing for 0, in and out of the field,
    // and its other values as its format has them.
    void blankZeroShowsNothingForZero()
    {
        LocaleScope locale(LocaleSettings::brazilian());
        field->setBlankZero(true);
        other->setFocus(Qt::TabFocusReason);
        field->setValue(0);
        QCOMPARE(field->text(), QString());
        enterField();
        QCOMPARE(field->text(), QString());
        typeInto(field, QStringLiteral("0,85"));
        other->setFocus(Qt::TabFocusReason);
        QCOMPARE(field->text(), QStringLiteral("0,85"));
        field->setValue(0);
        QCOMPARE(field->text(), QString());
        QCOMPARE(field->keptText(), QString());
    }

    void focusSwitchesBetweenEditAndDisplayText()
    {
        LocaleScope locale(LocaleSettings::brazilian());
        other->setFocus(Qt::TabFocusReason);
        field->setValue(1234.567L);
        QCOMPARE(field->text(), QStringLiteral("1.234,57"));
        QVERIFY(field->alignment() & Qt::AlignRight);
        enterField();
        QCOMPARE(field->text(), QStringLiteral("1234,57"));
        QVERIFY(field->alignment() & Qt::AlignLeft);
        other->setFocus(Qt::TabFocusReason);
        QCOMPARE(field->text(), QStringLiteral("1.234,57"));
        // The value now comes from the edit text: two decimals.
        QCOMPARE(double(field->value()), 1234.57);
        field->setValue(0);
        enterField();
        QCOMPARE(field->text(), QString());
    }

    void typingKeepsAtMostTwoDecimals()
    {
        LocaleScope locale(LocaleSettings::brazilian());
        enterField();
        QSignalSpy refused(field, &NumericEdit::refused);
        typeInto(field, QStringLiteral("12,345"));
        QCOMPARE(field->text(), QStringLiteral("12,34"));
        QCOMPARE(refused.count(), 1);
        QCOMPARE(double(field->value()), 12.34);
    }

    void eitherDecimalKeyTypesTheLocaleSeparator_data()
    {
        QTest::addColumn<bool>("comma");
        QTest::newRow("comma locale") << true;
        QTest::newRow("point locale") << false;
    }
    void eitherDecimalKeyTypesTheLocaleSeparator()
    {
        QFETCH(bool, comma);
        LocaleScope locale(comma ? LocaleSettings::brazilian() : LocaleSettings::decimalPoint());
        const QString sep = comma ? QStringLiteral(",") : QStringLiteral(".");
        enterField();
        QSignalSpy refused(field, &NumericEdit::refused);
        typeInto(field, QStringLiteral("3."));
        QCOMPARE(field->text(), QStringLiteral("3") + sep);
        typeInto(field, QStringLiteral(","));
        QCOMPARE(field->text(), QStringLiteral("3") + sep);
        QCOMPARE(refused.count(), 1);
        typeInto(field, QStringLiteral("5"));
        QCOMPARE(double(field->value()), 3.5);
    }

    void lettersAreRefused()
    {
        LocaleScope locale(LocaleSettings::brazilian());
        enterField();
        QSignalSpy refused(field, &NumericEdit::refused);
        typeInto(field, QStringLiteral("a+x1"));
        QCOMPARE(field->text(), QStringLiteral("+1"));
        QCOMPARE(refused.count(), 2);
    }

    // Exponents and signs are typed as they are read, left to right.
    void numbersTypeLeftToRight_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<double>("value");
        QTest::newRow("exponent") << "1e5" << 1e5;
        QTest::newRow("negative exponent, decimals") << "2,5E-1" << 0.25;
        QTest::newRow("signed exponent") << "-3E+2" << -300.0;
        QTest::newRow("plus sign") << "+7" << 7.0;
    }
    void numbersTypeLeftToRight()
    {
        QFETCH(QString, keys);
        QFETCH(double, value);
        LocaleScope locale(LocaleSettings::brazilian());
        enterField();
        QSignalSpy refused(field, &NumericEdit::refused);
        typeInto(field, keys);
        QCOMPARE(refused.count(), 0);
        QCOMPARE(field->text(), keys);
        QCOMPARE(double(field->value()), value);
    }

    // A number left unfinished is the unreadable-text error, as a deleted one is.
    void leavingAnUnfinishedExponentIsAnError()
    {
        LocaleScope locale(LocaleSettings::brazilian());
        ErrorRecorder errors;
        enterField();
        typeInto(field, QStringLiteral("1E-"));
        other->setFocus(Qt::TabFocusReason);
        settle();
        QCOMPARE(errors.messages,
                 QStringList{QStringLiteral("'1E-' não é um valor de ponto flutuante válido.")});
        QVERIFY(field->hasFocus());
    }

    void loneMinusReadsAsZeroAndLeavesEmpty()
    {
        LocaleScope locale(LocaleSettings::brazilian());
        QSignalSpy exited(field, &NumericEdit::exited);
        enterField();
        typeInto(field, QStringLiteral("-"));
        QCOMPARE(field->text(), QStringLiteral("-"));
        QCOMPARE(double(field->value()), 0.0);
        other->setFocus(Qt::TabFocusReason);
        QCOMPARE(field->editText(), QString());
        QCOMPARE(field->text(), QStringLiteral("0,00"));
        QCOMPARE(exited.count(), 1);
    }

    void pasteIsCheckedAsAWhole()
    {
        LocaleScope locale(LocaleSettings::brazilian());
        enterField();
        typeInto(field, QStringLiteral("7"));
        QSignalSpy refused(field, &NumericEdit::refused);
        QGuiApplication::clipboard()->setText(QStringLiteral("abc"));
        field->selectAll();
        QTest::keySequence(field, QKeySequence::Paste);
        QCOMPARE(field->text(), QStringLiteral("7"));
        QCOMPARE(field->selectedText(), QStringLiteral("7"));
        QCOMPARE(refused.count(), 1);

        QGuiApplication::clipboard()->setText(QStringLiteral("1.234,56"));
        field->selectAll();
        QTest::keySequence(field, QKeySequence::Paste);
        QCOMPARE(refused.count(), 1);
        QCOMPARE(double(field->value()), 1234.56);
        other->setFocus(Qt::TabFocusReason);
        QCOMPARE(field->text(), QStringLiteral("1.234,56"));
    }

    void extraPastedDecimalsAreCutOnLeaving()
    {
        LocaleScope locale(LocaleSettings::brazilian());
        enterField();
        QGuiApplication::clipboard()->setText(QStringLiteral("2,3456"));
        QTest::keySequence(field, QKeySequence::Paste);
        QCOMPARE(field->text(), QStringLiteral("2,3456"));
        other->setFocus(Qt::TabFocusReason);
        QCOMPARE(field->editText(), QStringLiteral("2,35"));
        QCOMPARE(double(field->value()), 2.35);
    }

    void leavingWithAnUnreadableTextKeepsTheFocus()
    {
        LocaleScope locale(LocaleSettings::brazilian());
        ErrorRecorder errors;
        QSignalSpy exited(field, &NumericEdit::exited);
        enterField();
        QGuiApplication::clipboard()->setText(QStringLiteral("1e5"));
        QTest::keySequence(field, QKeySequence::Paste);
        QTest::keyClick(field, Qt::Key_Backspace);
        QCOMPARE(field->text(), QStringLiteral("1e"));
        other->setFocus(Qt::TabFocusReason);
        settle();
        QCOMPARE(errors.messages,
                 QStringList{QStringLiteral("'1e' não é um valor de ponto flutuante válido.")});
        QVERIFY(field->hasFocus());
        QCOMPARE(field->selectedText(), QStringLiteral("1e"));
        QCOMPARE(exited.count(), 0);
    }

    void writtenValuesReadBackRounded()
    {
        LocaleScope locale(LocaleSettings::decimalPoint());
        field->setValue(0.16125L);
        QCOMPARE(field->editText(), QStringLiteral("0.16"));
        QCOMPARE(double(field->value()), 0.16);
        field->setValue(-2.005L);
        QCOMPARE(field->editText(), QStringLiteral("-2.01"));
        field->setValue(1e4000L);
        long double back = field->value();
        QVERIFY(back > 9.99e3999L && back < 1.01e4000L);
    }
};

QTEST_MAIN(NumericEditTest)
#include "tst_numeric_edit.moc"
