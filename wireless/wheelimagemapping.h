#pragma once
// The user's picture for each wireless wheel, kept in the settings store under
// "wheels/" + the wheel's MAC text. New mappings are stored as absolute paths so a later
// run started from another folder finds them; relative values of older runs still resolve
// against the current folder.

#include <QString>

// The mapped file as an absolute path; empty when the wheel has no mapping.
QString mappedWheelImage(const QString &macText);
// Stores `path` made absolute (against the current folder when relative).
void mapWheelImage(const QString &macText, const QString &path);
void removeWheelImageMapping(const QString &macText);
