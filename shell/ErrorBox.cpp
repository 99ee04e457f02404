#include "shell/ErrorBox.h"

#include "frame/Activation.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

namespace ErrorBox
{

namespace
{
Presenter &currentPresenter()
{
    static Presenter presenter;
    return presenter;
}
} // namespace

QString titleFromFileName(const QString &fileName)
{
    // Both separators, so a name written the Windows way is cut the same way.
    const qsizetype slash =
        qMax(fileName.lastIndexOf(QLatin1Char('/')), fileName.lastIndexOf(QLatin1Char('\\')));
    QString name = fileName.mid(slash + 1);
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    if (dot >= 0)
        name.truncate(dot);
    if (name.isEmpty())
        return name;
    return name.left(1).toUpper() + name.mid(1).toLower();
}

QString applicationTitle()
{
    return titleFromFileName(QCoreApplication::applicationFilePath());
}

QString withFullStop(const QString &message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

void show(QWidget *parent, const QString &message)
{
    const QString text = withFullStop(message);
    // A copy, so a presenter that replaces itself while it runs stays alive.
    const Presenter presenter = currentPresenter();
    if (presenter) {
        presenter(parent, text);
        return;
    }

    QPointer<QWidget> covered = parent ? parent->window() : QApplication::activeWindow();
    QMessageBox box(QMessageBox::Critical, applicationTitle(), text, QMessageBox::Ok, parent);
    // Messages quote what the user typed; "<" in a cell must not turn into markup.
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
    giveActivationBack(covered);
}

void setPresenter(Presenter presenter)
{
    currentPresenter() = std::move(presenter);
}

} // namespace ErrorBox
