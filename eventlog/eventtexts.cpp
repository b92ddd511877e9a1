#include "eventlog/eventtexts.h"

#include <array>

namespace eventlog {
namespace {

struct ListedText {
    std::uint16_t code;
    const char *text;
};

// The firmware's own wording, kept letter for letter (its typos and trailing blanks too):
// users quote these lines to support.
constexpr ListedText kListedTexts[] = {
    {1, "Timestamp"},
    {10, "Error in Disable SM Watchdog"},
    {11, "SM Watchdog disabled successfully"},
    {20, "Error in Enable SM Watchdog"},
    {21, "SM Watchdog enabled successfully"},
    {30, "Error initializing SMBus baudrate"},
    {31, "SMBus baudrate initialized successfully"},
    {32, "Error in initializing default SMBus baudrate"},
    {33, "Default SMBusbaudrate initializd successfully"},
    {40, "First-time drive initialization"},
    {41, "Drive initialization error 1"},
    {42, "Drive initialization error 2"},
    {43, "Drive initialization error 3"},
    {44, "Read CPR from Drive"},
    {45, "Could not read parameter from drive"},
    {46, "Read Drive Version ID from drive"},
    {50, "Drive Firmware update"},
    {51, "Error updating drive firmware"},
    {52, "Drive firmware updated successfully"},
    {53, "setting filter parameter failed, parameter"},
    {54, "setting filter parameter failed, value"},
    {61, "Waiting for faults to clear"},
    {62, "Waiting for servo to be ready"},
    {70, "Read MMC value from Drive"},
    {71, "Read Motor Resistance value from Drive"},
    {72, "Error applying DRC data to Drive"},
    {73, "Successfully applied DRC data to Drive"},
    {90, "Drive init stage 1, position"},
    {91, "Drive init stage 2, waiting for faults to clear, position"},
    {92, "Drive init stage 3, position after faults cleared"},
    {93, "Drive init stage 4, phasing, current position"},
    {94, "Drive init stage 5, phasing complete, position"},
    {95, "Drive init complete, offset from startup position is"},
    {100, "Veltrane Boot"},
    {101, "Flash settings data loaded"},
    {102, "Flash settings data was invalid, error code"},
    {103, "Rewriting default read-only profile with new values"},
    {104, "Initial config has not been performed."},
    {105, "Initial config has been previously performed. Initializing Drive."},
    {106, "Converting 0.8 compatible Flash data to 0.11 format"},
    {107, "Veltrane 2 Serial Number"},
    {110, "No settings found on flash"},
    {111, "Too old major version settings on flash"},
    {112, "Too old minor version settings on flash"},
    {113, "Too new major version settings on flash"},
    {114, "Too new minor version settings on flash"},
    {115, "Flash writing failed, code location"},
    {130, "USB stack was reset due to being stuck busy"},
    {131, "USB stack was suspended"},
    {132, "USB stack was resumed"},
    {150, "State: System not configured "},
    {151, "State: Drive initialization was successful"},
    {152, "State: Waiting for index point"},
    {153, "State: Initializing Drive"},
    {154, "State: Before operational - calculating new constant values"},
    {155, "State: Operational"},
    {156, "State: Saving settings to flash"},
    {157, "State: Clearing all settings data"},
    {158, "State: Error saving data to flash"},
    {159, "State: Releasing SM Bus"},
    {160, "State: SM Bus released successfully"},
    {161, "State: Regaining SMBus"},
    {162, "State: Regaining SMBus failed"},
    {163, "State: Drive connection error"},
    {164, "State: Waiting for faults to clear"},
    {165, "State: Uploading Drive firmware"},
    {166, "State: Error uploading Drive firmware"},
    {167, "State: Applying DRC data to Drive"},
    {168, "State: Waiting for Drive to get ready"},
    {169, "State: Going to Veltrane bootloader"},
    {170, "State: Unknown/erroneous state"},
    {171, "State: Reconnect to drive timeout"},
    {172, "State: Paused after successfull drive initialization"},
    {173, "State: Autosetup Commutation Sensors"},
    {174, "State: Test Mode "},
    {175, "Wireless: State change"},
    {176, "Wireless: Task change"},
    {177, "Wireless: Scan response"},
    {178, "Wireless: Connection parameters"},
    {179, "Wireless: Procedure completed"},
    {180, "Wireless: Low RSSI detected"},
    {181, "Wireless: Uptime"},
    {182, "Wireless: Battery Voltage"},
    {183, "Wireless: Configuration Data"},
    {184, "Wireless: Configuration Data incorrect"},
    {185, "Wireless: Task timeout"},
    {189, "Wireless: no response"},
    {190, "Autosetup Commutation not started"},
    {191, "Autosetup Commutation faulted"},
    {192, "Autosetup Commutation finished successfully"},
    {193, "Autosetup Commutation still busy"},
    {200, "Command: Event log download request"},
    {201, "Command: Start event logging"},
    {202, "Command: Stop event logging"},
    {203, "Command: Start IRFFB mode"},
    {204, "Command: Stop IRFFB mode"},
    {205, "Command: Reload settings from flash"},
    {206, "Command: Set settings not changed"},
    {207, "Command: Request profile number"},
    {208, "Command: Request hardware settings"},
    {209, "Command: Request analog input settings"},
    {210, "Command: Request OSKA settings data"},
    {211, "Command: Set hardware settings data"},
    {212, "Command: Set profile settings for profile"},
    {213, "Command: Set analog input settings data"},
    {214, "Command: Set OSKA setting values"},
    {215, "Command: Transferring OSKA settings data, bytes"},
    {216, "Command: Apply OSKA setting values"},
    {217, "Command: Applying OSKA config failed"},
    {218, "Command: Reset all flash data"},
    {219, "Command: Release SMBUS"},
    {220, "Command: Regain SMBUS"},
    {221, "Command: Set raw analog axis mode"},
    {222, "Command: Set calibrated analog axis mode"},
    {223, "Command: Initialize drive"},
    {224, "Command: Restart drive"},
    {225, "Command: Set initial config to done"},
    {226, "Command: Unset initial config done"},
    {227, "Command: Set wheel center here"},
    {228, "Command: Set temporary centering mode"},
    {229, "Command: Unset temporary centering mode"},
    {230, "Command: Activate profile number"},
    {231, "Command: Set number of profiles"},
    {232, "Command: Set default profile to"},
    {233, "Command: Read OSKA config values to current profile"},
    {234, "Command: Start bootloader"},
    {235, "Command: Disable all force generation"},
    {236, "Command: Enable force generation"},
    {237, "Command: Reset FFB state and empty effects"},
    {238, "Command: Set eventlog verbosity to level "},
    {239, "Command: Set Profile data is for 55 byte set index"},
    {240, "Command: Request profile name for profile"},
    {250, "Command: Setup Commutation sensors"},
    {251, "Command: Clear Commutation sensors setup data"},
    {252, "Command: Set buttons configuration data"},
    {253, "Command: Set profile name for profile"},
    {254, "Command: Set profile bytedata for profile"},
    {255, "Command: Set profile bytedata for profile"},
    {256, "Command: Request profile byte data for profile"},
    {258, "Command: Request bytedata for analog profile"},
    {266, "State: Set baudrate"},
    {300, "FFB: Find first free effect slot"},
    {301, "FFB: Found free effect slot ID"},
    {302, "FFB: Stop all effects"},
    {303, "FFB: Start effect ID"},
    {304, "FFB: Stop effect ID"},
    {305, "FFB: Free effect ID"},
    {306, "FFB: Free all effects"},
    {307, "FFB: Created new effect, TYPE"},
    {308, "FFB: Set device gain to"},
    {348, "FFB: Effect memory is full"},
    {349, "FFB: Invalid effect ID"},
};

constexpr std::array<const char *, kEventTextCount> buildTable()
{
    std::array<const char *, kEventTextCount> table{};
    for (const char *&text : table)
        text = "";
    for (const ListedText &listed : kListedTexts)
        table[listed.code] = listed.text;
    return table;
}

constexpr std::array<const char *, kEventTextCount> kEventTexts = buildTable();

} // namespace

QString eventText(int code)
{
    if (code < 0 || code >= int(kEventTextCount))
        return QString();
    return QString::fromLatin1(kEventTexts[std::size_t(code)]);
}

QString eventLine(std::uint16_t code, std::int32_t value)
{
    const QString text = eventText(code);
    if (text.isEmpty())
        return QStringLiteral("event %1 : %2").arg(code).arg(value);
    return text + QStringLiteral(" : ") + QString::number(value);
}

} // namespace eventlog
