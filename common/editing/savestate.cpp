#include "common/editing/savestate.h"

#include "common/presentation/colours.h"
#include "common/presentation/operatingmode.h"
#include "common/presentation/presentationtext.h"

#include <QObject>

namespace editing {

using presentation::windowText;

// The save button blinks like the torque button, so both share one border.
QString saveButtonBorderStyle(bool lit) { return presentation::torqueButtonBorderStyle(lit); }

SaveStateView saveStateView(bool unsaved, bool lit)
{
    if (!unsaved)
        return {saveButtonBorderStyle(false), windowText(QT_TRANSLATE_NOOP("MW2", "Settings up to date in permanent memory")),
                QLatin1String(presentation::kColourNormal)};
    return {saveButtonBorderStyle(lit),
            lit ? windowText(QT_TRANSLATE_NOOP("MW2", "Settings applied automatically - save to make them permanent")) : QString(),
            QLatin1String(presentation::kColourAttention)};
}

SaveStateView saveStateView(bool unsaved, bool lit, SaveActivity activity)
{
    const QString attention = QLatin1String(presentation::kColourAttention);
    switch (activity) {
    case SaveActivity::Saving:
        return {saveButtonBorderStyle(false), QObject::tr("Saving to permanent memory - please wait"), attention};
    case SaveActivity::Reloading:
        return {saveButtonBorderStyle(false), QObject::tr("Reloading settings from permanent memory - please wait"),
                attention};
    case SaveActivity::EditWaiting:
        return {saveButtonBorderStyle(false), QObject::tr("Edit waiting - not applied to the base yet"), attention};
    case SaveActivity::None:
        break;
    }
    return saveStateView(unsaved, lit);
}

QString unsafeSettingsAdvice() { return QObject::tr("Turn the wheel towards the centre to apply it."); }

QString unsafeSettingsNoteText()
{
    return windowText(QT_TRANSLATE_NOOP("MW2", "Unsafe to apply or save settings - would cause immediate torque!"));
}

QString unsafeSettingsNoteStyle() { return QStringLiteral("QLabel { color:#af1d1f;}"); }

} // namespace editing
