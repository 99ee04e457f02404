#include "frame/Guard.h"

#include "core/base/TaviError.h"
#include "frame/ErrorBox.h"

#include <QString>
#include <exception>

bool runGuarded(QWidget *context, const std::function<void()> &handler, tavi::CellPlace *failedAt)
{
    QString message;
    QString where;
    tavi::CellPlace place;
    try {
        handler();
        return true;
    } catch (const tavi::TaviError &error) {
        message = error.message();
        where = error.where();
        place = error.place();
    } catch (const std::exception &error) {
        message = QString::fromUtf8(error.what());
    } catch (...) {
        message = QStringLiteral("Erro desconhecido");
    }
    // Shown outside the catch blocks: the box runs its own event loop, and nothing of the
    // exception should be alive while it does.
    ErrorBox::show(context, message, where);
    if (failedAt)
        *failedAt = place;
    return false;
}
