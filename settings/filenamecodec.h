#pragma once
// File names are bytes: on a UTF-8 system a name written in another encoding is not valid
// UTF-8, Qt's own codec turns those bytes into U+FFFD and the file can no longer be
// opened by the name it was listed under. This codec decodes UTF-8 like Qt's and each
// byte that is not part of valid UTF-8 as the lone surrogate U+DC80..U+DCFF, and encodes
// such a surrogate back to its byte, so every name the system lists can be opened again.

class QTextCodec;

namespace settingsfiles {

// The codec (created once; Qt owns it).
QTextCodec *fileNameCodec();

// Makes it the locale codec when the locale's codec is UTF-8 (valid UTF-8 then reads and
// writes exactly as before); otherwise leaves the locale codec alone, as an 8-bit codec
// already maps every byte. Call after the application object exists.
void installFileNameCodec();

} // namespace settingsfiles
