#include "frame/ErrorBox.h"

#include "core/ApplicationTitle.h"
#include "frame/Activation.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace ErrorBox
{

namespace
{
ReplaceableBox &box()
{
    static ReplaceableBox box(QMessageBox::Critical, tavi::applicationTitle);
    return box;
}
} // namespace

QString withFullStop(const QString &message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

void show(QWidget *parent, const QString &message)
{
    QPointer<QWidget> covered = parent ? parent->window() : QApplication::activeWindow();
    if (box().show(parent, withFullStop(message)))
        giveActivationBack(covered);
}

void setPresenter(Presenter presenter)
{
    box().setPresenter(std::move(presenter));
}

} // namespace ErrorBox
