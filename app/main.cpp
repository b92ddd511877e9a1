#include "common/identity/appinfo.h"
#include "app/commandline.h"
#include "app/framelesswindow.h"
#include "app/logging.h"
#include "app/quitonsignal.h"
#include "common/identity/runguard.h"
#include "common/identity/showrequestbell.h"
#include "common/widgets/theme.h"
#include "common/language/translations.h"

#include "session/basesession.h"
#include "common/widgets/desktopprompts.h"
#include "device/hid/hidapibackend.h"
#include "device/hid/hidbackend.h"
#include "ui/mw2.h"
#include "service/drivedebugdialog.h"
#include "service/profiledebugdialog.h"
#include "basesim/panel/screenshotrun.h"
#include "basesim/inputmotion.h"
#include "basesim/virtualbase.h"
#include "basesim/panel/virtualbasepanel.h"
#include "doctor/connectiondoctor.h"
#include "games/gametray.h"
#include "settings/filenamecodec.h"

#include <QApplication>
#include <QIcon>
#include <QSettings>
#include <QTranslator>

#include <cstdio>
#include <memory>

namespace {

std::unique_ptr<hid::Backend> makeBackend(const StartupOptions &options)
{
    if (!options.simulatedBase)
        return std::make_unique<hid::HidapiBackend>();
    basesim::BaseConfig config;
    config.model = static_cast<DeviceModel>(options.simulatedModel);
    // So the wireless tab is alive for someone trying the tool.
    config.wirelessReceiver = true;
    config.wirelessWheelsDrift = true;
    auto base = std::make_unique<basesim::VirtualBase>(config);
    if (options.holdSimulatedInputs)
        basesim::holdInputsAtRest(base->state());
    return base;
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // --help, --version and mistakes start nothing, so they need no run guard.
    const StartupOptions options = parseCommandLine(arguments);
    if (options.action == StartupOptions::Action::Print) {
        std::fputs(options.message.toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (options.action == StartupOptions::Action::Fail) {
        std::fputs(options.message.toLocal8Bit().constData(), stderr);
        return 1;
    }

    // Outlives everything below, so the segment is released last.
    RunGuard guard(QString::fromLatin1(appinfo::runGuardKey));
    if (!guard.tryToRun()) {
        std::fputs(refuseSecondCopy(guard).toLocal8Bit().constData(), stderr);
        return 0;
    }

    if (options.logToFile)
        qInstallMessageHandler(logMessageHandler);

    QApplication app(argc, argv);
    // Stopped from outside (logout, kill, Ctrl+C), the tool closes as if its window were closed.
    QuitOnSignal quitOnSignal;
    // Files whose names are not valid UTF-8 open by the names the file dialogs list.
    settingsfiles::installFileNameCodec();
    applyTheme(app, QLatin1String(appinfo::styleSheetResource));

    QTranslator translator;
    // The session talks through this backend for as long as it lives.
    const std::unique_ptr<hid::Backend> backend = makeBackend(options);

    FramelessWindow frame;
    frame.setWindowTitle(QLatin1String(appinfo::titlePrefix) + QLatin1String(appinfo::releaseName));
    frame.setWindowIcon(QIcon(QLatin1String(appinfo::windowIconResource)));

    QSettings languageSettings{QString::fromLatin1(languageSettingsOrganisation),
                               QString::fromLatin1(languageSettingsApplication)};
    loadTranslation(translator, chosenLanguage(languageSettings));
    QApplication::installTranslator(&translator);

    QApplication::setOrganizationName(QLatin1String(appinfo::organisationName));

    // Torn down in reverse order: virtual base panel, main window, session (its profile
    // records first), language settings, frame, backend, application, the run guard last.
    BaseSession session(*backend, SessionOptions{QLatin1String(appinfo::versionNumber), options.launchMode});
    DesktopPrompts prompts;
    const auto window = std::make_unique<MW2>(session, prompts, QLatin1String(appinfo::versionNumber),
                                              QLatin1String(appinfo::releaseName));
    // Only a real USB stack can be diagnosed; the virtual base is always there.
    if (!options.simulatedBase)
        window->setConnectionDoctor([] { return doctor::diagnose(doctor::Environment::system()); });
    frame.setContent(window.get());
    // Started minimised to the tray, the window waits there until the icon is clicked.
    if (!games::startHiddenInTray())
        frame.show();
    // A second copy that was refused asks through the run guard to see this window.
    ShowRequestBell showRequests(guard);
    QObject::connect(&showRequests, &ShowRequestBell::showRequested, &frame, [&frame] {
        frame.showNormal();
        frame.raise();
        frame.activateWindow();
    });

    // Service mode: raw drive and profile parameter windows for the whole run. Declared
    // after the window, so the profile window goes first, then the drive window, then it.
    std::unique_ptr<driveDebugDialog> driveWindow;
    std::unique_ptr<profileDebugDialog> profileWindow;
    if (options.showServiceDialogs) {
        driveWindow = std::make_unique<driveDebugDialog>(session.link());
        profileWindow = std::make_unique<profileDebugDialog>(session);
        driveWindow->show();
        profileWindow->show();
    }

    // The virtual base's controls in a window of their own; declared last, so they go
    // before the main window and long before the backend they drive.
    std::unique_ptr<basesim::VirtualBasePanel> panel;
    std::unique_ptr<basesim::ScreenshotRun> screenshots;
    if (auto *base = dynamic_cast<basesim::VirtualBase *>(backend.get())) {
        panel = std::make_unique<basesim::VirtualBasePanel>(*base);
        if (!options.hideBasePanel)
            panel->showBeside(frame);
        if (!options.screenshotFolder.isEmpty()) {
            // The pictures wait until the window shows the operational mode text.
            screenshots = std::make_unique<basesim::ScreenshotRun>(
                frame, *panel, options.screenshotFolder, QCoreApplication::translate("MW2", "Operational"));
            QObject::connect(screenshots.get(), &basesim::ScreenshotRun::finished, &app,
                             [](bool ok) { QCoreApplication::exit(ok ? 0 : 1); });
            screenshots->start();
        }
    }

    session.start();
    const int exitCode = app.exec();
    // The profile records go first, while the window that points at them still exists.
    session.clearProfiles();
    return exitCode;
}
