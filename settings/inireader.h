#pragma once

// Reads INI files that come from users (imports) into a QSettings map of plain strings.
// Qt's own INI reader turns "@Variant(...)" values into QDataStream input, so a hostile
// file could make it allocate without bound; this reader keeps every value as text.

#include <QSettings>

class QByteArray;
class QTextCodec;

namespace settingsfiles {

// Parses INI text as Qt writes it: [sections] (General is the top level), keys with
// "%XX"/"%UXXXX" escapes and "\" as the group separator, quoted values, backslash escapes,
// comma-separated lists (as QStringList), comment lines starting with ";" and "@@" for a
// leading "@". Other "@...(" forms are left out, as if the key were absent.
QSettings::SettingsMap parseIni(const QByteArray &data, QTextCodec *codec);

// Read-only QSettings formats over parseIni: values decoded as Windows-1252 (profile
// files) or Latin-1 (analog files), matching what their exporters write.
QSettings::Format windows1252IniFormat();
QSettings::Format latin1IniFormat();

} // namespace settingsfiles
