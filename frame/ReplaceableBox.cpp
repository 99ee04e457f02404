#include "frame/ReplaceableBox.h"

#include "frame/ScreenCentre.h"

#include <QPushButton>
#include <QShowEvent>

namespace
{

class ProgramBox : public QMessageBox
{
public:
    ProgramBox(QMessageBox::Icon icon, const QString &title, const QString &text, QWidget *parent,
               bool centreOnScreen)
        : QMessageBox(icon, title, text, QMessageBox::Ok, parent), m_centre(centreOnScreen)
    {
        makeProgramBox(*this);
    }

protected:
    // Only once shown does the box know its size.
    void showEvent(QShowEvent *event) override
    {
        QMessageBox::showEvent(event);
        if (m_centre)
            centreOnScreen(this);
    }

private:
    bool m_centre;
};

} // namespace

ReplaceableBox::ReplaceableBox(QMessageBox::Icon icon, std::function<QString()> title,
                               Placement placement)
    : m_icon(icon), m_title(std::move(title)), m_placement(placement)
{
}

bool ReplaceableBox::show(QWidget *parent, const QString &text) const
{
    // A copy, so a presenter that replaces itself while it runs stays alive.
    const Presenter presenter = m_presenter;
    if (presenter) {
        presenter(parent, text);
        return false;
    }
    ProgramBox box(m_icon, m_title(), text, parent, m_placement == Placement::ScreenCentre);
    box.exec();
    return true;
}

void ReplaceableBox::setPresenter(Presenter presenter)
{
    m_presenter = std::move(presenter);
}

void makeProgramBox(QMessageBox &box)
{
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
}

bool askSimOrNao(QWidget *parent, const QString &title, const QString &question)
{
    QMessageBox box(QMessageBox::Warning, title, question, QMessageBox::NoButton, parent);
    makeProgramBox(box);
    QPushButton *yes = box.addButton(QStringLiteral("Sim"), QMessageBox::YesRole);
    QPushButton *no = box.addButton(QStringLiteral("Não"), QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}
