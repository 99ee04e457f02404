#include "BenchUtil.h"

#include "core/sectors/dilution/DilutionRun.h"
#include "core/sectors/livestock/LivestockRun.h"
#include "core/sectors/supply/SupplyRun.h"
#include "frame/NumericEdit.h"
#include "models/U_Abast_Publico/TF_Abast_Publico.h"
#include "models/U_Dem_Agua/MaximumBox.h"
#include "models/U_Dem_Agua/TF_Dem_Agua.h"
#include "models/U_Mod_Pecuaria/TF_Mod_Pecuaria.h"

#include <QApplication>

namespace
{

template <class Window> void showAndActivate(Window &window)
{
    window.show();
    QApplication::setActiveWindow(&window);
    QCoreApplication::processEvents();
}

void setField(QWidget &window, const char *name, long double value)
{
    window.findChild<NumericEdit *>(QLatin1String(name))->setValue(value);
}

// "Simular" through the window, its grid attached, and the repaint it causes.
template <class Window> double windowRun(Window &window)
{
    return bench::medianMs(21, [&] {
        window.b_simularClick();
        QCoreApplication::processEvents();
    });
}

void benchPublicSupply()
{
    tavi::PublicSupplyInputs in;
    in.servedPopulation = 123456;
    in.currentPerCapita = 0.187L;
    in.totalPopulation = 150321;
    in.unservedPerCapita = 0.093L;
    in.priceElasticity = -0.21L;
    in.price = 3.17L;
    const tavi::LocaleSettings &locale = tavi::LocaleSettings::current();
    bench::row(QStringLiteral("public supply: Simular, model alone"),
               bench::medianMs(51, [&] { tavi::supply::run(in, locale); }), "ms");
    TF_Abast_Publico window;
    showAndActivate(window);
    setField(window, "me_1", in.servedPopulation);
    setField(window, "me_2", in.currentPerCapita);
    setField(window, "me_3", in.totalPopulation);
    setField(window, "me_4", in.unservedPerCapita);
    setField(window, "e_p_1", in.priceElasticity);
    setField(window, "e_p_2", in.price);
    bench::row(QStringLiteral("public supply: Simular, window's grid attached"), windowRun(window),
               "ms");
}

void benchLivestock()
{
    tavi::LivestockInputs in;
    for (int s = 0; s < tavi::kSpeciesCount; ++s)
        in[s] = {1000.0L * (s + 1) + 0.5L, 12.34L * (s + 1)};
    const tavi::LocaleSettings &locale = tavi::LocaleSettings::current();
    bench::row(QStringLiteral("livestock: Simular, model alone"),
               bench::medianMs(51, [&] { tavi::livestock::run(in, locale); }), "ms");
    TF_Mod_Pecuaria window;
    showAndActivate(window);
    const char *herds[] = {"e_qte_bovino", "e_qte_suino", "e_qte_equino", "e_qte_caprino",
                           "e_qte_galinaceo"};
    const char *litres[] = {"me_bovino", "me_suino", "me_equino", "me_caprino", "me_galinaceo"};
    for (int s = 0; s < tavi::kSpeciesCount; ++s) {
        setField(window, herds[s], in[s].heads);
        setField(window, litres[s], in[s].litresPerHead);
    }
    bench::row(QStringLiteral("livestock: Simular, window's grid attached"), windowRun(window),
               "ms");
}

void benchDilution()
{
    const tavi::DilutionInputs in{0.38L, 14, 0.61L, 1124.55L, 10, 2, 7};
    const tavi::LocaleSettings &locale = tavi::LocaleSettings::current();
    bench::row(QStringLiteral("dilution: Simular, model alone"),
               bench::medianMs(51, [&] { tavi::dilution::run(in, locale); }), "ms");
    // The maximum's box is answered at once, so the figure is the run itself.
    MaximumBox::setPresenter([](QWidget *, const QString &) {});
    TF_Dem_Agua window;
    showAndActivate(window);
    bench::row(QStringLiteral("dilution: Simular, window's grid attached"), windowRun(window),
               "ms");
    MaximumBox::setPresenter({});
}

} // namespace

void benchWindows()
{
    benchPublicSupply();
    benchLivestock();
    benchDilution();
}
