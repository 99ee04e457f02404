// Linked into every test program: the program's settings (the folder last saved to, the
// recent studies) and data (recovery copies) go to a folder of the test run's own, so no test
// reads the user's settings or writes its own into the real home.

#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>

namespace
{

void keepSettingsPrivate()
{
    static QTemporaryDir folder;
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        for (const QSettings::Scope scope : {QSettings::UserScope, QSettings::SystemScope})
            QSettings::setPath(format, scope, folder.path());
    // A child process started by a test inherits the folder, so it finds what its parent
    // left there.
    if (!qEnvironmentVariableIsSet("TAVI_TEST_DATA_HOME"))
        qputenv("TAVI_TEST_DATA_HOME", folder.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", qgetenv("TAVI_TEST_DATA_HOME") + "/data");
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(keepSettingsPrivate)
