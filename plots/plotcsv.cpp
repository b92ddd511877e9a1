#include "plots/plotcsv.h"

#include "plots/plotmodel.h"
#include "settings/filewriting.h"
#include "common/presentation/effectlist.h"

#include <QCoreApplication>
#include <QDir>

#include <cmath>

namespace plots {
namespace {

// A number with fixed decimals; an empty cell when unknown. Always a point, never a comma,
// whatever the locale, so the file reads the same everywhere.
QByteArray cell(float value, int decimals)
{
    return std::isnan(value) ? QByteArray() : QByteArray::number(double(value), 'f', decimals);
}

QByteArray effectNames(std::uint32_t playing)
{
    QByteArray names;
    for (int type = 0; type < kEffectTypeCount; ++type) {
        if (!(playing & (1u << type)))
            continue;
        if (!names.isEmpty())
            names += ' ';
        names += presentation::effectTypeName(type);
    }
    return names;
}

} // namespace

QByteArray csvBytes(const PlotModel &model)
{
    // Column names stay English: the file is for spreadsheets and scripts.
    QByteArray out = "time (s),wheel angle (deg),wheel speed (deg/s),brake (%),throttle (%),clutch (%),"
                     "playing effects\n";
    const qint64 start = model.empty() ? 0 : model.at(0).timeMs;
    for (std::size_t i = 0; i < model.size(); ++i) {
        const PlotSample &sample = model.at(i);
        out += QByteArray::number(double(sample.timeMs - start) / 1000.0, 'f', 3);
        out += ',' + cell(sample.angle, 2) + ',' + cell(sample.speed, 1);
        for (const float pedal : sample.pedals)
            out += ',' + cell(pedal, 1);
        out += ',' + effectNames(sample.effectsPlaying) + '\n';
    }
    return out;
}

bool saveCsv(const PlotModel &model, const QString &path, QString &error)
{
    QString reason;
    if (settingsfiles::writeFileVerified(path, csvBytes(model), &reason))
        return true;
    error = QCoreApplication::translate("plots", "Could not write %1: %2").arg(QDir::toNativeSeparators(path), reason);
    return false;
}

} // namespace plots
