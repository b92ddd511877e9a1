#pragma once
// Window texts pass through the translation system under the main window's context,
// so a translation file made for the window covers the presentation too.

#include <QCoreApplication>
#include <QString>

namespace presentation {

inline QString windowText(const char *sourceText)
{
    return QCoreApplication::translate("MW2", sourceText);
}

} // namespace presentation
