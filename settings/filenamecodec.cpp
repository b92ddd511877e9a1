#include "settings/filenamecodec.h"

#include <QTextCodec>

namespace settingsfiles {

namespace {

constexpr char kCodecName[] = "UTF-8 with escaped bytes";
constexpr int kCodecMib = -1106; // private: not an IANA number
constexpr int kUtf8Mib = 106;
constexpr ushort kEscapeBase = 0xDC00;

// Length of the valid UTF-8 sequence starting at `at`, 0 when it is not valid (overlong
// forms, encoded surrogates, beyond U+10FFFF), -1 when it is valid so far but cut off.
int sequenceLength(const uchar *bytes, int at, int size, uint *codePoint)
{
    const uchar lead = bytes[at];
    int length = 0;
    uint value = 0;
    uint minimum = 0;
    if (lead < 0x80) {
        *codePoint = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, value = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, value = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, value = lead & 0x07, minimum = 0x10000;
    } else {
        return 0;
    }
    for (int i = 1; i < length; ++i) {
        if (at + i >= size)
            return -1;
        const uchar next = bytes[at + i];
        if ((next & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (next & 0x3F);
        // Reject as early as the second byte shows an overlong, surrogate or too large form.
        if (i == 1) {
            if ((lead == 0xE0 && next < 0xA0) || (lead == 0xED && next >= 0xA0) || (lead == 0xF0 && next < 0x90)
                || (lead == 0xF4 && next >= 0x90))
                return 0;
        }
    }
    if (value < minimum)
        return 0;
    *codePoint = value;
    return length;
}

void appendUtf8(QByteArray &out, uint codePoint)
{
    if (codePoint < 0x80) {
        out += char(codePoint);
    } else if (codePoint < 0x800) {
        out += char(0xC0 | (codePoint >> 6));
        out += char(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += char(0xE0 | (codePoint >> 12));
        out += char(0x80 | ((codePoint >> 6) & 0x3F));
        out += char(0x80 | (codePoint & 0x3F));
    } else {
        out += char(0xF0 | (codePoint >> 18));
        out += char(0x80 | ((codePoint >> 12) & 0x3F));
        out += char(0x80 | ((codePoint >> 6) & 0x3F));
        out += char(0x80 | (codePoint & 0x3F));
    }
}

class EscapingUtf8Codec : public QTextCodec {
public:
    QByteArray name() const override { return QByteArray(kCodecName); }
    int mibEnum() const override { return kCodecMib; }

protected:
    // A sequence cut off at the end of a chunk waits in the state for the next chunk.
    QString convertToUnicode(const char *input, int length, ConverterState *state) const override
    {
        QByteArray data;
        if (state && state->remainingChars > 0) {
            for (int i = 0; i < state->remainingChars && i < 3; ++i)
                data += char(state->state_data[i]);
            state->remainingChars = 0;
        }
        data.append(input, length);
        const auto *bytes = reinterpret_cast<const uchar *>(data.constData());
        const int size = data.size();
        QString out;
        out.reserve(size);
        int at = 0;
        while (at < size) {
            uint codePoint = 0;
            const int used = sequenceLength(bytes, at, size, &codePoint);
            if (used == -1 && state) {
                state->remainingChars = size - at;
                for (int i = 0; at + i < size; ++i)
                    state->state_data[i] = bytes[at + i];
                break;
            }
            if (used <= 0) {
                out += QChar(ushort(kEscapeBase + bytes[at]));
                ++at;
                continue;
            }
            if (codePoint >= 0x10000) {
                out += QChar(QChar::highSurrogate(codePoint));
                out += QChar(QChar::lowSurrogate(codePoint));
            } else {
                out += QChar(ushort(codePoint));
            }
            at += used;
        }
        return out;
    }

    QByteArray convertFromUnicode(const QChar *input, int length, ConverterState *state) const override
    {
        QByteArray out;
        out.reserve(length);
        int at = 0;
        if (state && state->remainingChars > 0 && length > 0) {
            const ushort high = ushort(state->state_data[0]);
            state->remainingChars = 0;
            if (input[0].isLowSurrogate()) {
                appendUtf8(out, QChar::surrogateToUcs4(high, input[0].unicode()));
                at = 1;
            } else {
                out += '?';
            }
        }
        for (; at < length; ++at) {
            const ushort c = input[at].unicode();
            if (QChar::isHighSurrogate(c)) {
                if (at + 1 < length && QChar::isLowSurrogate(input[at + 1].unicode())) {
                    appendUtf8(out, QChar::surrogateToUcs4(c, input[at + 1].unicode()));
                    ++at;
                } else if (at + 1 == length && state) {
                    state->remainingChars = 1;
                    state->state_data[0] = c;
                } else {
                    out += '?';
                }
            } else if (c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF) {
                out += char(c - kEscapeBase); // the byte it stood for
            } else if (QChar::isLowSurrogate(c)) {
                out += '?';
            } else {
                appendUtf8(out, c);
            }
        }
        return out;
    }
};

} // namespace

QTextCodec *fileNameCodec()
{
    if (QTextCodec *existing = QTextCodec::codecForName(kCodecName))
        return existing;
    return new EscapingUtf8Codec; // registers itself; Qt deletes it at exit
}

void installFileNameCodec()
{
    const QTextCodec *current = QTextCodec::codecForLocale();
    if (current && current->mibEnum() == kUtf8Mib)
        QTextCodec::setCodecForLocale(fileNameCodec());
}

} // namespace settingsfiles
