#include "settings/profilename.h"

#include <QByteArray>

QString profileName(const profDataNew &profile)
{
    const std::string_view bytes = profile.nameBytes();
    return QString::fromUtf8(bytes.data(), int(bytes.size()));
}

namespace {
// The record holds a C string: a NUL inside the text (possible from files) ends the name.
QByteArray nameUtf8(const QString &text)
{
    const int end = text.indexOf(QChar(0));
    return (end < 0 ? text : text.left(end)).toUtf8();
}
} // namespace

bool profileNameFits(const QString &text)
{
    return profDataNew::nameFits(std::size_t(nameUtf8(text).size()));
}

bool setProfileName(profDataNew &profile, const QString &text)
{
    const QByteArray utf8 = nameUtf8(text);
    if (!profDataNew::nameFits(std::size_t(utf8.size())))
        return false;
    profile.setName(std::string_view(utf8.constData(), std::size_t(utf8.size())));
    return true;
}
