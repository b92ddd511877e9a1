#include "session/firmwarepolicy.h"

#include "session/launchmode.h"

#include <QCoreApplication>
#include <QDebug>
#include <QVersionNumber>

FirmwareUpdatePromptAnswer shouldShowFirmwareUpdatePrompt(const FirmwareVersion &device,
                                                          const FirmwareVersion &includedFirmwareVersion,
                                                          int launchMode)
{
    qDebug() << "shouldShowFirmwareUpdatePrompt" << ": device reported " << device.major << "."
             << device.minor << "." << device.patch;
    FirmwareUpdatePromptAnswer answer;
    if (launchMode == LaunchForcedUpdate || launchMode == LaunchForcedDowngrade) {
        qDebug() << "shouldShowFirmwareUpdatePrompt" << "forced fw update";
        answer.showPrompt = true;
        return answer;
    }
    if (includedFirmwareVersion > device) {
        answer.showPrompt = true;
        return answer;
    }
    // The label lives in the main window, so its translation does too.
    answer.firmwareStatus.text = QCoreApplication::translate("MW2", "Correct firmware is installed!");
    answer.firmwareStatus.styleSheet = QStringLiteral("QLabel {color:@colorRival;}");
    return answer;
}

bool firmwareTooNew(const FirmwareVersion &device, const QString &toolVersion)
{
    const QVersionNumber tool = QVersionNumber::fromString(toolVersion);
    const int toolMajor = tool.majorVersion(); // 0 when the number is missing
    const int toolMinor = tool.minorVersion();
    return device.major > toolMajor || (device.minor > toolMinor && device.major >= toolMajor);
}
