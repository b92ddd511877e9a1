#pragma once
// Profile names as text: the record's 32 bytes hold UTF-8 everywhere (base, display,
// files); these are the only conversions between the bytes and QString.

#include "settings/datastoredefs.h"

#include <QString>

// The name's bytes up to the first NUL, decoded as UTF-8.
QString profileName(const profDataNew &profile);

// True when the text's UTF-8 form leaves room for the terminating NUL. A NUL inside the
// text ends the name there.
bool profileNameFits(const QString &text);

// Stores the text when it fits; otherwise returns false and the old name stays.
bool setProfileName(profDataNew &profile, const QString &text);
