#include "ui/editing/savestate.h"

#include "ui/presentation/colours.h"
#include "ui/presentation/operatingmode.h"
#include "ui/presentation/presentationtext.h"

namespace editing {

using presentation::windowText;

// The save button blinks like the torque button, so both share one border.
QString saveButtonBorderStyle(bool lit) { return presentation::torqueButtonBorderStyle(lit); }

SaveStateView saveStateView(bool unsaved, bool lit)
{
    if (!unsaved)
        return {saveButtonBorderStyle(false), windowText("Settings up to date in permanent memory"),
                QLatin1String(presentation::kColourNormal)};
    return {saveButtonBorderStyle(lit),
            lit ? windowText("Settings applied automatically - save to make them permanent") : QString(),
            QLatin1String(presentation::kColourAttention)};
}

QString unsafeSettingsNoteText()
{
    return windowText("Unsafe to apply or save settings - would cause immediate torque!");
}

QString unsafeSettingsNoteStyle() { return QStringLiteral("QLabel { color:#af1d1f;}"); }

} // namespace editing
