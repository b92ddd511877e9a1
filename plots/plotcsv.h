#pragma once
// The shown window of the live plots as CSV: a header line naming each column with its
// unit, then one row per sample, time in seconds from the window's first sample.

#include <QByteArray>
#include <QString>

namespace plots {

class PlotModel;

QByteArray csvBytes(const PlotModel &model);

// Writes the CSV to `path` (whole or not at all). False, with `error` a sentence for the
// user naming the file and the reason, when it could not be written.
bool saveCsv(const PlotModel &model, const QString &path, QString &error);

} // namespace plots
