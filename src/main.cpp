#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "AppInfo.h"
#include "CRegSettings.h"
#include "FolderReader.h"
#include "SingleInstance.h"
#include "StartSwitches.h"
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

// Loads the station window; null when it cannot be used (its load handler
// has already said why).
static std::unique_ptr<QWidget> ShowShopFloor()
{
    auto window = std::make_unique<frmShopFloor>();
    window->Form_Load();
    window->HelpContextID = HelpContextShopFloor;
    if (window->LoadFailed != 0)
        return nullptr;
    window->show();
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

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

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
    const std::unique_ptr<QWidget> window = switches.properties ? ShowAdminWizard() : ShowShopFloor();
    if (!window)
        return 0;
    instance.SetMainWindow(window.get());
    const int code = app.exec();
    // A read of a share that stopped answering may never return: the program
    // ends now instead of waiting for it in the teardown.
    if (FolderReader::shared().jobsInFlight() > 0) {
        std::fflush(nullptr);
        std::_Exit(code);
    }
    return code;
}
