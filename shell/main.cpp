#include "cli/CommandLine.h"
#include "frame/AccessibleNames.h"
#include "frame/Fonts.h"
#include "frame/HelpWindow.h"
#include "frame/Pictures.h"
#include "frame/PortugueseQtTexts.h"
#include "shell/CommandLineReport.h"
#include "shell/StretchedImage.h"
#include "shell/TF_Principal.h"
#include "shell/TForm1.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <clocale>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace
{

// Milliseconds since the kernel started this process, so loading the libraries counts too.
// The start time in /proc has clock-tick resolution (usually 10 ms). Where /proc cannot be
// read, the time since main() began is the best there is.
long long msSinceProcessStart(const QElapsedTimer &sinceMain)
{
    std::ifstream statFile("/proc/self/stat");
    std::string stat;
    std::getline(statFile, stat);
    const std::size_t nameEnd = stat.rfind(')'); // the command name may hold blanks
    timespec now{};
    const long ticksPerSecond = sysconf(_SC_CLK_TCK);
    if (nameEnd != std::string::npos && ticksPerSecond > 0 &&
        clock_gettime(CLOCK_BOOTTIME, &now) == 0) {
        std::istringstream fields(stat.substr(nameEnd + 1));
        std::string field;
        int number = 2; // the name was field 2; the start time is field 22
        while (number < 22 && fields >> field)
            ++number;
        if (number == 22) {
            const double startMs = std::stoll(field) * 1000.0 / ticksPerSecond;
            const double nowMs = now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
            if (nowMs >= startMs)
                return static_cast<long long>(nowMs - startMs + 0.5);
        }
    }
    return sinceMain.elapsed();
}

} // namespace

int main(int argc, char *argv[])
{
    // A command ("tavi calcular ESTUDO.tavi", "tavi --ajuda") runs without windows, before any
    // application object exists: it makes the one it needs.
    if (tavi::cli::isCommandLine(argc, argv))
        return tavi::cli::runCommandLine(argc, argv, commandLineReportPrinter());

    QElapsedTimer sinceMain;
    sinceMain.start();

    QApplication app(argc, argv);
    // QApplication hands the user's locale to the C library. Numbers are shown and read through
    // the program's own number texts, so nothing is lost by keeping the C library's number
    // formatting in the one form that files and libraries expect.
    std::setlocale(LC_NUMERIC, "C");
    installPortugueseQtTexts();
    HelpWindow::installKey(&app);
    AccessibleNames::install(&app);
    QApplication::setFont(Fonts::windowFont());
    Pictures::ensureLoaded();

    // The splash belongs to the application, not to the main window, and is painted before
    // the main window is built.
    TForm1 splash;
    splash.show();
    splash.repaint();
    QCoreApplication::processEvents();

    TF_Principal mainWindow;

    // TAVI_STARTUP_PROBE: print how long the program took to put its main window on the
    // screen, then end. Used by the start-up benchmark.
    if (qEnvironmentVariableIsSet("TAVI_STARTUP_PROBE")) {
        QObject::connect(mainWindow.image(), &StretchedImage::firstPainted, &app, [&sinceMain] {
            // The next turn of the loop comes after the painted frame has been flushed.
            QTimer::singleShot(0, [&sinceMain] {
                std::printf("%lld\n", msSinceProcessStart(sinceMain));
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        });
    }

    // A study named on the command line ("tavi estudo.tavi"), and the offer to restore one a
    // crash left unsaved, come once the splash is gone, so no box opens under it.
    const QStringList arguments = QCoreApplication::arguments();
    const QString studyPath = arguments.size() > 1 ? arguments.at(1) : QString();
    QObject::connect(
        splash.timer(), &QTimer::timeout, &mainWindow,
        [&mainWindow, studyPath] { mainWindow.startStudies(studyPath); }, Qt::SingleShotConnection);

    mainWindow.show();
    // The splash stays above the main window. Its stays-on-top hint is only a request to the
    // window manager; without one, the window shown last would cover it.
    splash.raise();
    return app.exec();
}
