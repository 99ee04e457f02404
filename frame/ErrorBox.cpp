#include "frame/ErrorBox.h"

#include "core/base/ApplicationTitle.h"
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

QString shortened(const QString &message)
{
    // A message quoting a pasted text could be taller than the screen, its OK button out of
    // reach: the middle goes, and the end that says what is wrong stays.
    constexpr int kHead = 200;
    constexpr int kTail = 100;
    if (message.size() <= kHead + kTail)
        return message;
    return message.left(kHead) + QChar(0x2026) + message.right(kTail);
}

QString text(const QString &message, const QString &where)
{
    const QString first = withFullStop(shortened(message));
    return where.isEmpty() ? first : first + QLatin1Char('\n') + where;
}

void show(QWidget *parent, const QString &message, const QString &where)
{
    QPointer<QWidget> covered = parent ? parent->window() : QApplication::activeWindow();
    if (box().show(parent, text(message, where)))
        giveActivationBack(covered);
}

void setPresenter(Presenter presenter)
{
    box().setPresenter(std::move(presenter));
}

} // namespace ErrorBox
