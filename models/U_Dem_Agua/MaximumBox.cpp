#include "models/U_Dem_Agua/MaximumBox.h"

#include "shell/ErrorBox.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QShowEvent>

namespace MaximumBox
{

namespace
{

Presenter &currentPresenter()
{
    static Presenter presenter;
    return presenter;
}

// A message box that centres itself on the screen once it knows its size, rather than on
// the window it covers.
class ScreenCentredBox : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent *event) override
    {
        QMessageBox::showEvent(event);
        QScreen *screen =
            parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
        if (!screen)
            return;
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
};

} // namespace

void show(QWidget *parent, const QString &text)
{
    // A copy, so a presenter that replaces itself while it runs stays alive.
    const Presenter presenter = currentPresenter();
    if (presenter) {
        presenter(parent, text);
        return;
    }
    ScreenCentredBox box(QMessageBox::NoIcon, ErrorBox::applicationTitle(), text, QMessageBox::Ok,
                         parent);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

void setPresenter(Presenter presenter)
{
    currentPresenter() = std::move(presenter);
}

} // namespace MaximumBox
