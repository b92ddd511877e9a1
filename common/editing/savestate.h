#pragma once
// The save button's look and the line beside it: whether the base runs settings that
// its flash does not hold yet, and the note shown while applying would be unsafe.

#include <QString>

namespace editing {

// Steady dark border, or the orange one of a blink.
QString saveButtonBorderStyle(bool lit);

struct SaveStateView {
    QString border;     // style sheet of `SaveToFlashButton`
    QString text;       // the line beside the button
    QString colour;     // colour variable of that line
};

// `unsaved` is status bit 0. While it is set the border and the text blink with `lit`.
SaveStateView saveStateView(bool unsaved, bool lit);

// What the window knows beyond status bit 0: the base writing or reloading its flash (its
// status is not read meanwhile, so bit 0 is stale), or an edit held back as unsafe.
enum class SaveActivity { None, Saving, Reloading, EditWaiting };
SaveStateView saveStateView(bool unsaved, bool lit, SaveActivity activity);

QString unsafeSettingsNoteText();
// The note while an edit is held back: what to do about it.
QString unsafeSettingsAdvice();
// The note's style sheet (the theme's dark red, written out).
QString unsafeSettingsNoteStyle();

} // namespace editing
