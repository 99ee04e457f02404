#include "frame/ReplaceableBox.h"
#include "frame/ScreenCentre.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTimer>

namespace
{

// What the real box looked like while it was up.
struct Seen {
    bool shown = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    Qt::TextFormat format = Qt::AutoText;
    Qt::WindowModality modality = Qt::NonModal;
    int buttons = 0;
    QWidget *parent = nullptr;
    QPoint centre;
};

// Looks at the box as soon as it is up, then presses OK.
Seen whileShown(const ReplaceableBox &box, QWidget *parent, const QString &text, bool *real)
{
    Seen seen;
    QTimer::singleShot(0, [&seen] {
        auto *shown = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!shown)
            return;
        seen.shown = true;
        seen.title = shown->windowTitle();
        seen.text = shown->text();
        seen.icon = shown->icon();
        seen.format = shown->textFormat();
        seen.modality = shown->windowModality();
        seen.buttons = shown->buttons().size();
        seen.parent = shown->parentWidget();
        seen.centre = shown->frameGeometry().center();
        shown->button(QMessageBox::Ok)->click();
    });
    *real = box.show(parent, text);
    return seen;
}

QPoint screenCentre()
{
    return QGuiApplication::primaryScreen()->availableGeometry().center();
}

} // namespace

class ReplaceableBoxTest : public QObject
{
    Q_OBJECT

private slots:
    void theRealBoxIsPlainModalAndHasOneButton()
    {
        QWidget owner;
        owner.show();
        ReplaceableBox box(QMessageBox::Warning, [] { return QStringLiteral("Título"); });
        bool real = false;
        const Seen seen = whileShown(box, &owner, QStringLiteral("<b>1</b>"), &real);
        QVERIFY(real);
        QVERIFY(seen.shown);
        QCOMPARE(seen.title, QStringLiteral("Título"));
        QCOMPARE(seen.text, QStringLiteral("<b>1</b>"));
        QCOMPARE(seen.icon, QMessageBox::Warning);
        QCOMPARE(seen.format, Qt::PlainText);
        QCOMPARE(seen.modality, Qt::ApplicationModal);
        QCOMPARE(seen.buttons, 1);
        QCOMPARE(seen.parent, &owner);
    }

    // The real Sim / Não question: Não is the default and Escape's answer, so a hurried
    // Enter or Escape never replaces a file or empties a day.
    void simOrNaoAnswersNaoByDefault_data()
    {
        QTest::addColumn<QString>("press");
        QTest::addColumn<bool>("answer");
        QTest::newRow("Enter") << "Enter" << false;
        QTest::newRow("Escape") << "Escape" << false;
        QTest::newRow("Não") << "Não" << false;
        QTest::newRow("Sim") << "Sim" << true;
    }
    void simOrNaoAnswersNaoByDefault()
    {
        QFETCH(QString, press);
        QWidget owner;
        owner.show();
        QStringList buttons;
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            seen = true;
            for (QAbstractButton *button : box->buttons())
                buttons << button->text();
            if (press == QLatin1String("Enter"))
                QTest::keyClick(box, Qt::Key_Return);
            else if (press == QLatin1String("Escape"))
                QTest::keyClick(box, Qt::Key_Escape);
            else
                for (QAbstractButton *button : box->buttons())
                    if (button->text() == press)
                        button->click();
        });
        const bool answer = askSimOrNao(&owner, QStringLiteral("Salvar como"),
                                        QStringLiteral("O arquivo \"x.xlsx\" já existe."));
        QVERIFY(seen);
        QCOMPARE(buttons, (QStringList{"Sim", "Não"}));
        QTEST(answer, "answer");
    }

    void aPresenterTakesTheBoxsPlaceUntilItIsRemoved()
    {
        ReplaceableBox box(QMessageBox::Critical, [] { return QString(); });
        QList<QPair<QWidget *, QString>> presented;
        box.setPresenter([&](QWidget *parent, const QString &text) {
            presented.append({parent, text});
        });
        QWidget owner;
        QVERIFY(!box.show(&owner, QStringLiteral("um")));
        QCOMPARE(presented.size(), 1);
        QCOMPARE(presented.first().first, &owner);
        QCOMPARE(presented.first().second, QStringLiteral("um"));

        box.setPresenter({});
        bool real = false;
        QVERIFY(whileShown(box, nullptr, QStringLiteral("dois"), &real).shown);
        QVERIFY(real);
        QCOMPARE(presented.size(), 1);
    }

    // A presenter may put another in its place while it runs, and still run to its end.
    void aPresenterThatReplacesItselfRunsToItsEnd()
    {
        ReplaceableBox box(QMessageBox::NoIcon, [] { return QString(); });
        QStringList log;
        box.setPresenter([&box, &log](QWidget *, const QString &text) {
            const QString kept = text;
            box.setPresenter([&log](QWidget *, const QString &later) { log << "second " + later; });
            log << "first " + kept;
        });
        box.show(nullptr, QStringLiteral("a"));
        box.show(nullptr, QStringLiteral("b"));
        QCOMPARE(log, QStringList({"first a", "second b"}));
    }

    void aScreenCentredBoxStandsInTheMiddleOfTheScreen()
    {
        QWidget owner;
        owner.setGeometry(0, 0, 200, 100);
        owner.show();
        ReplaceableBox box(
            QMessageBox::NoIcon, [] { return QStringLiteral("Tavi"); },
            ReplaceableBox::Placement::ScreenCentre);
        bool real = false;
        const Seen seen = whileShown(box, &owner, QStringLiteral("0,45"), &real);
        QVERIFY(seen.shown);
        QVERIFY2((seen.centre - screenCentre()).manhattanLength() <= 2,
                 qPrintable(QStringLiteral("%1,%2").arg(seen.centre.x()).arg(seen.centre.y())));
    }

    // Before it is shown a window has no frame yet: its own rectangle is centred.
    void aWindowNotYetShownIsCentredByItsGeometry()
    {
        QWidget window;
        window.resize(301, 151);
        centreOnScreen(&window);
        QVERIFY((window.geometry().center() - screenCentre()).manhattanLength() <= 1);
    }
};

QTEST_MAIN(ReplaceableBoxTest)
#include "tst_replaceable_box.moc"
