#pragma once

// Answers every box the program opens while the monkey runs, so none waits for a user: the
// application error box, the dilution window's report of its maximum, and the export's
// prompts, and the chart of a window's results (a click may land on "Gráfico"). Each message is
// checked as it comes. The error box and the maximum report cover the window for a moment and hand
// activation back, as the real boxes do, so the windows' activation handlers run as often as they
// would for a user.

#include "MonkeyLog.h"
#include "ProgramMessages.h"

#include "export/ExportPrompts.h"
#include "export/ResultChartDialog.h"
#include "frame/Activation.h"
#include "frame/ErrorBox.h"
#include "frame/ResultsNotice.h"
#include "models/U_Dem_Agua/MaximumBox.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QStringList>
#include <QTimer>

namespace monkey
{

class BoxDismissers
{
public:
    BoxDismissers()
    {
        ErrorBox::setPresenter([this](QWidget *parent, const QString &text) {
            errors << text;
            Log::instance().action(QStringLiteral("(error box: %1)").arg(text));
            const QString why = whyNotAProgramMessage(text);
            if (!why.isEmpty())
                Log::instance().fail(QStringLiteral("error box: ") + why);
            QPointer<QWidget> covered = parent ? parent->window() : QApplication::activeWindow();
            cover(covered);
            giveActivationBack(covered);
        });
        MaximumBox::setPresenter([this](QWidget *parent, const QString &text) {
            maximums << text;
            Log::instance().action(QStringLiteral("(maximum: %1)").arg(text));
            const QString why = whyNotAMaximum(text);
            if (!why.isEmpty())
                Log::instance().fail(why);
            // The dilution window gives itself activation back after this box.
            cover(parent ? parent->window() : nullptr);
        });
        ExportPrompts::Hooks hooks;
        hooks.showError = [this](QWidget *, const QString &text) {
            exportErrors << text;
            // The program's own spreadsheet takes every text the monkey can put in a grid; a
            // failed export is a fault.
            Log::instance().fail(QStringLiteral("the export failed: \"%1\"").arg(text));
        };
        hooks.askToSave = [this](QWidget *, const QString &) {
            // Now and then the user cancels, and the workbook window stays to be dismissed.
            ++saveQuestions;
            const bool cancel = saveQuestions % 3 == 0;
            Log::instance().action(cancel ? QStringLiteral("(save question: Cancelar)")
                                          : QStringLiteral("(save question: Não Salvar)"));
            return cancel ? ExportPrompts::SaveAnswer::Cancel : ExportPrompts::SaveAnswer::DontSave;
        };
        hooks.chooseSaveFile = [](QWidget *, const QString &) {
            Log::instance().fail(QStringLiteral("a file dialog opened, but nothing was saved"));
            return QString();
        };
        ExportPrompts::setHooks(hooks);
        // The chart is drawn from whatever the grids hold, typed texts included; the window
        // gives itself activation back after it.
        ResultChartBox::setChartPresenter([this](QWidget *parent, const tavi::ResultChart &chart) {
            ++charts;
            Log::instance().action(QStringLiteral("(chart: %1)").arg(chart.caption));
            ResultChartDialog dialog(chart, parent);
            coverWith(dialog);
        });
        ResultChartBox::setNoticePresenter([this](QWidget *parent, const QString &text) {
            Log::instance().action(QStringLiteral("(notice: %1)").arg(text));
            if (!ResultsNotice::isNotice(text))
                Log::instance().fail(QStringLiteral("notice: \"%1\"").arg(text));
            cover(parent ? parent->window() : nullptr);
        });

        m_stationDialogs.setInterval(5);
        QObject::connect(&m_stationDialogs, &QTimer::timeout, [this] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog || dialog->objectName() != QLatin1String("F_Estacao"))
                return;
            ++stationDialogs;
            Log::instance().action(QStringLiteral("(station dialog: Cancelar)"));
            dialog->reject();
        });
        m_stationDialogs.start();
    }

    ~BoxDismissers()
    {
        ErrorBox::setPresenter({});
        MaximumBox::setPresenter({});
        ExportPrompts::setHooks({});
        ResultChartBox::setChartPresenter({});
        ResultChartBox::setNoticePresenter({});
    }

    BoxDismissers(const BoxDismissers &) = delete;
    BoxDismissers &operator=(const BoxDismissers &) = delete;

    int boxesShown() const { return int(errors.size() + maximums.size()); }

    QStringList errors;
    QStringList maximums;
    QStringList exportErrors;
    int saveQuestions = 0;
    int charts = 0;
    int stationDialogs = 0;

private:
    QTimer m_stationDialogs;

    // A modal box over the window takes activation from it and closes again soon. While it
    // is up, posted work and timers run, as they do in a real box's own event loop.
    static void cover(QWidget *window)
    {
        QDialog box(window);
        coverWith(box);
    }
    static void coverWith(QDialog &box)
    {
        box.setWindowModality(Qt::ApplicationModal);
        box.show();
        box.activateWindow();
        QApplication::setActiveWindow(&box);
        QCoreApplication::processEvents();
        box.close();
    }
};

} // namespace monkey
