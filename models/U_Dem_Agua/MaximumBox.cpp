#include "models/U_Dem_Agua/MaximumBox.h"

#include "core/base/ApplicationTitle.h"

namespace MaximumBox
{

namespace
{
ReplaceableBox &box()
{
    static ReplaceableBox box(QMessageBox::NoIcon, tavi::applicationTitle,
                              ReplaceableBox::Placement::ScreenCentre);
    return box;
}
} // namespace

void show(QWidget *parent, const QString &text)
{
    box().show(parent, text);
}

void setPresenter(Presenter presenter)
{
    box().setPresenter(std::move(presenter));
}

} // namespace MaximumBox
