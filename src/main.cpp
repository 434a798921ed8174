#include <QApplication>
#include <QLocale>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "AppInfo.h"
#include "CRegSettings.h"
#include "FolderReader.h"
#include "SingleInstance.h"
#include "StartSwitches.h"
#include "StationStartup.h"
#include "Translation.h"
#include "frmAdminWizard.h"
#include "frmShopFloor.h"

// How long a folder may keep the windows waiting before it is shown as not
// answering: Settings/FolderTimeout in seconds (1-600), 3 by default.
static FolderReader::Timing FolderTiming()
{
    FolderReader::Timing timing;
    const QVariant stored =
        CRegSettings().GetUserSetting(QStringLiteral("Settings"), QStringLiteral("FolderTimeout"));
    bool ok = false;
    const int seconds = stored.toInt(&ok);
    if (ok && seconds >= 1 && seconds <= 600)
        timing.boundMs = seconds * 1000;
    return timing;
}

// The operator's language: Settings/Language ("de", "es", "zh_CN", "en") when
// set, else the user's UI language.
static QString StationLanguage()
{
    const QVariant forced =
        CRegSettings().GetUserSetting(QStringLiteral("Settings"), QStringLiteral("Language"));
    return PickLanguage(forced.toString(), QLocale::system().uiLanguages());
}

// Starts loading the station window: it is shown when the load succeeds; the
// program ends when it fails (the load handler has already said why).
static std::unique_ptr<QWidget> ShowShopFloor(SingleInstance &instance)
{
    auto window = std::make_unique<frmShopFloor>();
    frmShopFloor *station = window.get();
    station->setHelpContextID(HelpContextShopFloor);
    // The load's messages are the only windows until then; closing one must
    // not end the program before the next is shown.
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(station, &frmShopFloor::loadFinished, station, [station, &instance] {
        if (station->loadFailed()) {
            QCoreApplication::exit(0);
            return;
        }
        QApplication::setQuitOnLastWindowClosed(true);
        station->show();
        instance.SetMainWindow(station);
    });
    station->Form_Load();
    return window;
}

static std::unique_ptr<QWidget> ShowAdminWizard()
{
    auto window = std::make_unique<frmAdminWizard>();
    window->HelpContextID = HelpContextAdminWizard;
    window->Form_Load();
    // However the wizard closes, the program ends with it (a help window
    // left open must not keep it running).
    QObject::connect(window.get(), &frmAdminWizard::unloaded, qApp, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    window->show();
    return window;
}

// A read of a share, or a start on a database, that stopped answering may
// never return: the program ends now instead of waiting for it in the
// teardown.
static int EndNow(int code)
{
    if (FolderReader::shared().jobsInFlight() > 0 || StationStartup::workersInFlight() > 0) {
        std::fflush(nullptr);
        std::_Exit(code);
    }
    return code;
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    InstallTranslation(StationLanguage());

    // Before anything else: a second start only fetches the first one's
    // window and goes, whatever its switches.
    SingleInstance instance;
    if (!instance.Claim()) {
        instance.HandOverToPrevInstance();
        return 0;
    }

    const StartSwitches switches = ParseStartSwitches(ArgumentString(app.arguments()));
    gbUserMode = switches.userMode;
    FolderReader::setSharedTiming(FolderTiming());
    if (switches.properties) {
        const std::unique_ptr<QWidget> wizard = ShowAdminWizard();
        instance.SetMainWindow(wizard.get());
        return EndNow(app.exec());
    }
    const std::unique_ptr<QWidget> station = ShowShopFloor(instance);
    return EndNow(app.exec());
}
