#include "frame/ResultsNotice.h"

#include "core/base/ApplicationTitle.h"
#include "frame/Activation.h"
#include "frame/ModuleWindow.h"

#include <QPointer>
#include <QWidget>

namespace ResultsNotice
{

namespace
{

ReplaceableBox &box()
{
    static ReplaceableBox box(QMessageBox::Information, tavi::applicationTitle);
    return box;
}

QString request(Purpose purpose)
{
    return purpose == Purpose::Chart
               ? QStringLiteral("Pressione \"Simular\" antes de ver o gráfico.")
               : QStringLiteral("Pressione \"Simular\" antes de salvar os resultados.");
}

} // namespace

QString text(Purpose purpose, bool inputsChanged)
{
    if (!inputsChanged)
        return request(purpose);
    return QStringLiteral("Os dados de entrada mudaram depois da última simulação. ") +
           request(purpose);
}

bool isNotice(const QString &text)
{
    for (Purpose purpose : {Purpose::Chart, Purpose::Save})
        for (bool changed : {false, true})
            if (text == ResultsNotice::text(purpose, changed))
                return true;
    return false;
}

void show(QWidget *window, const QString &text)
{
    QPointer<QWidget> covered = window ? window->window() : nullptr;
    const auto look = [&] {
        box().show(window, text);
        if (covered)
            giveActivationBack(covered);
    };
    if (auto *module = qobject_cast<ModuleWindow *>(covered.data()))
        module->keepingFocus(look);
    else
        look();
}

void setPresenter(ReplaceableBox::Presenter presenter)
{
    box().setPresenter(std::move(presenter));
}

} // namespace ResultsNotice
