#include "core/base/TaviError.h"
#include "frame/ErrorBox.h"
#include "frame/Guard.h"
#include "support/ModalWindows.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <stdexcept>

using Handler = std::function<void()>;
Q_DECLARE_METATYPE(Handler)

using testing::Shown;
using testing::whileModal;

namespace
{

// A data row of texts, one per column.
template <class... Texts> void addRow(const char *tag, const Texts &...texts)
{
    (QTest::newRow(tag) << ... << QString::fromUtf8(texts));
}

} // namespace

// The handler guard and the application error box it shows.
class ErrorBoxTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { ErrorBox::setPresenter({}); }

    void fullStop_data();
    void fullStop();
    void longMessagesAreShortenedInTheMiddle();

    void guardShowsTheErrorAndEndsTheHandler();
    void guardTranslatesEveryKindOfException_data();
    void guardTranslatesEveryKindOfException();
    void guardLetsACompleteHandlerThrough();
    void errorBoxIsCriticalWithOneOkAndGivesActivationBack();
};

void ErrorBoxTest::fullStop_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    addRow("letter", "Falhou", "Falhou.");
    addRow("digit", "Valor 1", "Valor 1.");
    addRow("accented letter", "Operação de ponto flutuante inválida",
           "Operação de ponto flutuante inválida.");
    addRow("quote", "'x' não é um valor", "'x' não é um valor.");
    addRow("slash sorts after the dot", "a/", "a/.");
    addRow("full stop", "Fim.", "Fim.");
    addRow("blank", "Fim ", "Fim ");
    addRow("parenthesis", "(x)", "(x)");
    addRow("hyphen sorts before the dot", "a-", "a-");
    addRow("comma", "a,", "a,");
    addRow("empty", "", "");
}

void ErrorBoxTest::fullStop()
{
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QCOMPARE(ErrorBox::withFullStop(message), shown);
}

// A pasted year quoted in a message would make a box taller than the screen.
void ErrorBoxTest::longMessagesAreShortenedInTheMiddle()
{
    const QString tail = QStringLiteral("' não é um valor de ponto flutuante válido");
    const QString quoted = QLatin1Char('\'') + QString(5000, QLatin1Char('7')) + tail;
    QStringList shown;
    ErrorBox::setPresenter([&](QWidget *, const QString &text) { shown << text; });
    ErrorBox::show(nullptr, quoted);
    QCOMPARE(shown.size(), 1);
    QVERIFY(shown.first().size() <= 302);
    QVERIFY(shown.first().contains(QChar(0x2026)));
    QVERIFY(shown.first().endsWith(tail + QLatin1Char('.')));
    QCOMPARE(ErrorBox::shortened(QString(300, 'x')), QString(300, 'x'));
}

void ErrorBoxTest::guardShowsTheErrorAndEndsTheHandler()
{
    QList<QPair<QWidget *, QString>> shown;
    ErrorBox::setPresenter([&](QWidget *parent, const QString &text) {
        shown.append({parent, text});
    });
    QWidget window;
    QStringList written;
    const bool completed = runGuarded(&window, [&] {
        written << QStringLiteral("before");
        throw tavi::FloatError(tavi::FloatError::Overflow);
        written << QStringLiteral("after");
    });
    QVERIFY(!completed);
    QCOMPARE(written, QStringList{QStringLiteral("before")});
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().first, &window);
    QCOMPARE(shown.first().second,
             QStringLiteral("Excedeu a capacidade máxima do tipo ponto flutuante."));
}

void ErrorBoxTest::guardTranslatesEveryKindOfException_data()
{
    QTest::addColumn<Handler>("handler");
    QTest::addColumn<QString>("shown");
    QTest::newRow("unreadable text")
        << Handler([] { throw tavi::ConvertError(QStringLiteral("12,a")); })
        << QStringLiteral("'12,a' não é um valor de ponto flutuante válido.");
    QTest::newRow("division by zero")
        << Handler([] { throw tavi::FloatError(tavi::FloatError::DivisionByZero); })
        << QStringLiteral("Divisão de ponto flutuante por zero.");
    QTest::newRow("message already ending in a full stop")
        << Handler([] { throw tavi::TaviError(QStringLiteral("Já feito.")); })
        << QStringLiteral("Já feito.");
    QTest::newRow("standard exception, UTF-8 text")
        << Handler([] { throw std::runtime_error("falha de memória"); })
        << QStringLiteral("falha de memória.");
    QTest::newRow("anything else")
        << Handler([] { throw 42; }) << QStringLiteral("Erro desconhecido.");
}

void ErrorBoxTest::guardTranslatesEveryKindOfException()
{
    QFETCH(Handler, handler);
    QFETCH(QString, shown);
    QStringList texts;
    ErrorBox::setPresenter([&](QWidget *, const QString &text) { texts << text; });
    QVERIFY(!runGuarded(nullptr, handler));
    QCOMPARE(texts, QStringList{shown});
}

void ErrorBoxTest::guardLetsACompleteHandlerThrough()
{
    int boxes = 0;
    ErrorBox::setPresenter([&](QWidget *, const QString &) { ++boxes; });
    int ran = 0;
    QVERIFY(runGuarded(nullptr, [&] { ++ran; }));
    QCOMPARE(ran, 1);
    QCOMPARE(boxes, 0);
}

void ErrorBoxTest::errorBoxIsCriticalWithOneOkAndGivesActivationBack()
{
    QWidget owner;
    auto *field = new QLabel(&owner);
    owner.show();
    QApplication::setActiveWindow(&owner);
    QVERIFY(QTest::qWaitForWindowExposed(&owner));

    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title, text;
    Qt::TextFormat format = Qt::AutoText;
    QList<QAbstractButton *> buttons;
    Qt::WindowModality modality = Qt::NonModal;
    QWidget *parent = nullptr;
    const Shown shown =
        whileModal([&] { ErrorBox::show(field, QStringLiteral("'<b>1</b>' falhou")); },
                   [&](QWidget *window) {
                       auto *box = qobject_cast<QMessageBox *>(window);
                       QVERIFY(box);
                       icon = box->icon();
                       title = box->windowTitle();
                       text = box->text();
                       format = box->textFormat();
                       buttons = box->buttons();
                       modality = box->windowModality();
                       parent = box->parentWidget();
                       QTRY_COMPARE(QApplication::activeWindow(), box);
                   });
    QVERIFY(shown.opened);
    QVERIFY(shown.destroyed);
    QCOMPARE(icon, QMessageBox::Critical);
    QCOMPARE(title, QStringLiteral("Frame_error_box"));
    QCOMPARE(text, QStringLiteral("'<b>1</b>' falhou."));
    QCOMPARE(format, Qt::PlainText); // what the user typed is shown as typed
    QCOMPARE(buttons.size(), 1);
    QCOMPARE(modality, Qt::ApplicationModal);
    QCOMPARE(parent, field);
    // The window it covered is active again as soon as the box has returned.
    QCOMPARE(QApplication::activeWindow(), &owner);
}

QTEST_MAIN(ErrorBoxTest)
#include "tst_error_box.moc"
