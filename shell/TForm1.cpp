#include "shell/TForm1.h"

#include "frame/Fonts.h"
#include "frame/Pictures.h"
#include "shell/StretchedImage.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QTimer>

namespace
{

const int bandHeight = 61;

QFrame *makeBand(QWidget *form, const QString &name, int top)
{
    auto *band = new QFrame(form);
    band->setObjectName(name);
    band->setFrameStyle(QFrame::Panel | QFrame::Raised);
    band->setGeometry(0, top, form->width(), bandHeight);
    // The bands take the colour of an active caption bar.
    QPalette palette = band->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Active, QPalette::Highlight));
    band->setPalette(palette);
    band->setAutoFillBackground(true);
    return band;
}

void addImage(QWidget *parent, const QString &name, const QString &picture, const QRect &rect)
{
    auto *image = new StretchedImage(Pictures::picture(picture), parent);
    image->setObjectName(name);
    image->setGeometry(rect);
}

QLabel *addLabel(QWidget *form, const QString &name, const QString &text, const QFont &font,
                 const QPoint &at)
{
    auto *label = new QLabel(text, form);
    label->setObjectName(name);
    label->setFont(font);
    label->adjustSize();
    label->move(at);
    return label;
}

} // namespace

TForm1::TForm1(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("Form1"));
    // Closing the splash never ends the program, whatever else is open at the time.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(630, 422);
    move(217, 110);

    // The body in the caption-text colour, the bands in the active-caption colour: the
    // colours of a caption bar's text and background, so the black labels stay readable.
    QPalette body = palette();
    body.setColor(QPalette::Window, body.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(body);
    setAutoFillBackground(true);

    QFrame *top = makeBand(this, QStringLiteral("Panel1"), 0);
    QFrame *bottom = makeBand(this, QStringLiteral("Panel2"), height() - bandHeight);
    addImage(top, QStringLiteral("Image1"), QStringLiteral("splash_drops.png"),
             QRect(37, 8, 97, 49));
    addImage(top, QStringLiteral("Image2"), QStringLiteral("splash_town.png"),
             QRect(489, 8, 97, 49));
    addImage(bottom, QStringLiteral("Image3"), QStringLiteral("splash_crops.png"),
             QRect(444, 8, 159, 49));
    addImage(bottom, QStringLiteral("Image4"), QStringLiteral("splash_cattle.png"),
             QRect(32, 9, 153, 49));
    addImage(this, QStringLiteral("Image5"), QStringLiteral("splash_logo.png"),
             QRect(10, 125, 201, 174));

    addLabel(this, QStringLiteral("Label1"), QStringLiteral("MODELO TAVI"),
             Fonts::verdana(29, true), QPoint(287, 134));
    addLabel(this, QStringLiteral("Label2"), QStringLiteral("Tavimar"), Fonts::verdana(19),
             QPoint(229, 201));

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(3000);
    connect(m_timer, &QTimer::timeout, this, &TForm1::Timer1Timer);
    m_timer->start();
}

void TForm1::Timer1Timer()
{
    close();
}

void TForm1::closeEvent(QCloseEvent *event)
{
    // A close asked for by the window system (a key such as Alt+F4 passed on by the window
    // manager) is refused: only the timer closes the splash.
    if (event->spontaneous())
        event->ignore();
    else
        event->accept();
}
