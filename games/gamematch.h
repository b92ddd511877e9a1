#pragma once
// Whether a running process is a mapped game: its own name, the file name of its
// program, or for a game run through Wine or Proton the Windows program (".exe") named
// in its command line.

#include "games/processtable.h"

namespace games {

// The last path part, for "/" and "\" alike ("C:\Games\acc.exe" → "acc.exe").
QString baseName(const QString &path);

// The first ".exe" named in the command line, as its file name; empty when none.
QString windowsExecutable(const ProcessInfo &process);

// Case is ignored: Windows names are case-blind, and users type them as they remember.
// The kernel cuts process names to 15 characters, so a longer game name also matches a
// process name that is its first 15 characters.
bool matchesGame(const ProcessInfo &process, const QString &game);

} // namespace games
