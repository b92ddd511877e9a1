#include "common/presentation/effectlist.h"

#include "common/presentation/presentationtext.h"

namespace presentation {
namespace {

const char *const kEffectNames[13] = {
    QT_TRANSLATE_NOOP("MW2", "Constantforce"), QT_TRANSLATE_NOOP("MW2", "PeriodicSineOffset"),
    QT_TRANSLATE_NOOP("MW2", "PeriodicSine"),  QT_TRANSLATE_NOOP("MW2", "Damping"),
    QT_TRANSLATE_NOOP("MW2", "Inertia"),       QT_TRANSLATE_NOOP("MW2", "Friction"),
    QT_TRANSLATE_NOOP("MW2", "Ramp"),          QT_TRANSLATE_NOOP("MW2", "Squarewave"),
    QT_TRANSLATE_NOOP("MW2", "Trianglewave"),  QT_TRANSLATE_NOOP("MW2", "SawtoothDn"),
    QT_TRANSLATE_NOOP("MW2", "SawtoothUp"),    QT_TRANSLATE_NOOP("MW2", "Spring"),
    QT_TRANSLATE_NOOP("MW2", "CustomEffect"),
};

constexpr int kConstantForce = 0;
constexpr int kFriction = 5;

QString marker(std::uint32_t mask, std::uint32_t allocated, std::uint32_t playing)
{
    if (!(allocated & mask))
        return QStringLiteral("-");
    return QString(QChar((playing & mask) ? 0x25CF : 0x25CB));
}

} // namespace

QString effectListText(std::uint32_t effectsAllocated, std::uint32_t effectsPlaying)
{
    QString text = effectsAllocated == 0 ? windowText(QT_TRANSLATE_NOOP("MW2", "(Effect memory is empty)")) : QString();
    for (int bit = 0; bit < 13; ++bit) {
        const std::uint32_t mask = 1u << bit;
        if (!(effectsAllocated & mask))
            continue;
        const bool playing = effectsPlaying & mask;
        if (bit == kConstantForce) {
            text = playing ? QStringLiteral("<b>") + windowText(kEffectNames[bit]) + QStringLiteral("</b>")
                           : windowText(kEffectNames[bit]);
        } else if (bit == kFriction && playing) {
            // Translated as a whole with its opening tag; translations carry it that way.
            text += windowText(QT_TRANSLATE_NOOP("MW2", " <b>Friction")) + QStringLiteral("</b>");
        } else if (playing) {
            text += QStringLiteral(" <b>") + windowText(kEffectNames[bit]) + QStringLiteral("</b>");
        } else {
            text += QLatin1Char(' ') + windowText(kEffectNames[bit]);
        }
    }
    return text;
}

const char *effectTypeName(int type) { return type >= 0 && type < 13 ? kEffectNames[type] : nullptr; }

EffectMarkers effectMarkers(std::uint32_t effectsAllocated, std::uint32_t effectsPlaying)
{
    const auto m = [&](std::uint32_t mask) { return marker(mask, effectsAllocated, effectsPlaying); };
    return {m(1u << 2), m(1u << 3), m(1u << 5), m(1u << 7), m(1u << 8), m((1u << 9) | (1u << 10)),
            m(1u << 11)};
}

} // namespace presentation
