#include "settings/inireader.h"

#include <QByteArray>
#include <QIODevice>
#include <QStringList>
#include <QTextCodec>

namespace settingsfiles {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineBreak(char c) { return c == '\n' || c == '\r'; }

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// One logical line: quotes and a backslash before a line break carry it over; a ";"
// outside quotes ends it (Qt treats the rest as a comment).
struct LineSpan {
    int start = 0;
    int end = 0;    // exclusive
    int equals = -1; // first "=", or -1
};

class LineReader {
public:
    explicit LineReader(const QByteArray &data) : data_(data) {}

    bool next(LineSpan &line)
    {
        const int size = data_.size();
        for (;;) {
            while (pos_ < size && (isBlank(data_[pos_]) || isLineBreak(data_[pos_])))
                ++pos_;
            if (pos_ >= size)
                return false;
            if (data_[pos_] != ';')
                break;
            while (pos_ < size && !isLineBreak(data_[pos_]))
                ++pos_;
        }
        line = LineSpan();
        line.start = pos_;
        bool inQuotes = false;
        while (pos_ < size) {
            const char c = data_[pos_];
            if (c == '\\') {
                ++pos_;
                if (pos_ < size) {
                    const char escaped = data_[pos_++];
                    if (isLineBreak(escaped) && pos_ < size && isLineBreak(data_[pos_]) && data_[pos_] != escaped)
                        ++pos_;
                }
                continue;
            }
            if (c == '"') {
                inQuotes = !inQuotes;
            } else if (c == '=') {
                if (line.equals < 0)
                    line.equals = pos_;
            } else if (!inQuotes && (isLineBreak(c) || c == ';')) {
                break;
            }
            ++pos_;
        }
        line.end = pos_;
        // A ";" ends the line's content; the rest of the physical line is a comment.
        while (pos_ < size && !isLineBreak(data_[pos_]))
            ++pos_;
        return true;
    }

private:
    const QByteArray &data_;
    int pos_ = 0;
};

// Keys and section names: "%XX" and "%UXXXX" escapes, "\" as the group separator,
// other bytes as Latin-1.
QString unescapedKey(const QByteArray &data, int from, int to)
{
    QString result;
    int i = from;
    while (i < to) {
        const char c = data[i];
        if (c == '\\') {
            result += QLatin1Char('/');
            ++i;
            continue;
        }
        if (c == '%' && i + 1 < to) {
            const int digits = data[i + 1] == 'U' ? 4 : 2;
            const int first = data[i + 1] == 'U' ? i + 2 : i + 1;
            if (first + digits <= to) {
                bool ok = false;
                const uint code = data.mid(first, digits).toUInt(&ok, 16);
                if (ok) {
                    result += QChar(ushort(code));
                    i = first + digits;
                    continue;
                }
            }
        }
        result += QLatin1Char(c);
        ++i;
    }
    return result;
}

QString decoded(const QByteArray &data, int from, int to, QTextCodec *codec)
{
    if (!codec)
        return QString::fromLatin1(data.constData() + from, to - from);
    return codec->toUnicode(data.constData() + from, to - from);
}

void chopTrailingBlanks(QString &text, int limit)
{
    int end = text.size();
    while (end > limit && (text[end - 1] == QLatin1Char(' ') || text[end - 1] == QLatin1Char('\t')))
        --end;
    text.truncate(end);
}

// Values: quotes keep blanks, backslash escapes (\a \b \f \n \r \t \v \" \? \' \\, \x hex,
// octal, escaped line breaks dropped, any other escaped character dropped), unquoted
// commas separate list items, unquoted items lose surrounding blanks.
bool unescapedValue(const QByteArray &data, int from, int to, QTextCodec *codec, QString &text, QStringList &list)
{
    static constexpr char kEscapes[][2] = {{'a', '\a'}, {'b', '\b'}, {'f', '\f'}, {'n', '\n'},
                                           {'r', '\r'}, {'t', '\t'}, {'v', '\v'}, {'"', '"'},
                                           {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
    bool isList = false;
    bool inQuotes = false;
    bool itemQuoted = false;
    int i = from;
    auto skipBlanks = [&] {
        while (i < to && isBlank(data[i]))
            ++i;
    };
    skipBlanks();
    int chopLimit = 0;
    while (i < to) {
        const char c = data[i];
        if (c == '\\') {
            ++i;
            if (i >= to)
                break;
            const char e = data[i++];
            bool simple = false;
            for (const auto &escape : kEscapes) {
                if (e == escape[0]) {
                    text += QLatin1Char(escape[1]);
                    simple = true;
                    break;
                }
            }
            if (!simple) {
                const bool hex = e == 'x' && i < to && hexValue(data[i]) >= 0;
                const bool octal = e >= '0' && e <= '7';
                if (hex || octal) {
                    // Digits run on as far as they go; the code keeps its low 16 bits.
                    uint code = octal ? uint(e - '0') : 0;
                    const int base = hex ? 16 : 8;
                    while (i < to) {
                        const int digit = hexValue(data[i]);
                        if (digit < 0 || digit >= base)
                            break;
                        code = code * uint(base) + uint(digit);
                        ++i;
                    }
                    text += QChar(ushort(code));
                } else if (isLineBreak(e) && i < to && isLineBreak(data[i]) && data[i] != e) {
                    ++i;
                }
            }
            chopLimit = text.size();
            continue;
        }
        if (c == '"') {
            ++i;
            itemQuoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes)
                skipBlanks();
            chopLimit = text.size();
            continue;
        }
        if (c == ',' && !inQuotes) {
            if (!itemQuoted)
                chopTrailingBlanks(text, chopLimit);
            isList = true;
            list.append(text);
            text.clear();
            itemQuoted = false;
            ++i;
            skipBlanks();
            chopLimit = 0;
            continue;
        }
        int j = i + 1;
        while (j < to && data[j] != '\\' && data[j] != '"' && data[j] != ',')
            ++j;
        text += decoded(data, i, j, codec);
        i = j;
    }
    if (!itemQuoted)
        chopTrailingBlanks(text, chopLimit);
    if (isList) {
        list.append(text);
        text.clear();
    }
    return isList;
}

// "@@x" is a leading "@"; Qt's typed forms ("@Variant(...)" and the like) are never decoded.
QVariant valueOf(const QString &text)
{
    if (!text.startsWith(QLatin1Char('@')))
        return text;
    if (text.startsWith(QLatin1String("@@")))
        return text.mid(1);
    if (text.endsWith(QLatin1Char(')'))) {
        if (text.startsWith(QLatin1String("@String(")))
            return text.mid(8, text.size() - 9);
        for (const char *form : {"@ByteArray(", "@Variant(", "@DateTime(", "@Rect(", "@Size(", "@Point(",
                                 "@Invalid("}) {
            if (text.startsWith(QLatin1String(form)))
                return QVariant();
        }
    }
    return text;
}

// Qt looks keys up without empty path parts.
QString normalisedKey(const QString &key)
{
    return key.split(QLatin1Char('/'), Qt::SkipEmptyParts).join(QLatin1Char('/'));
}

} // namespace

QSettings::SettingsMap parseIni(const QByteArray &data, QTextCodec *codec)
{
    QSettings::SettingsMap map;
    QString section;
    LineReader reader(data);
    LineSpan line;
    while (reader.next(line)) {
        if (data[line.start] == '[') {
            const int close = data.indexOf(']', line.start);
            const int end = close >= 0 && close < line.end ? close : line.end;
            const QByteArray name = data.mid(line.start + 1, end - line.start - 1).trimmed();
            if (name.compare("general", Qt::CaseInsensitive) == 0)
                section.clear();
            else if (name.compare("%general", Qt::CaseInsensitive) == 0)
                section = QString::fromLatin1(name.mid(1));
            else
                section = unescapedKey(name, 0, name.size());
            continue;
        }
        if (line.equals < 0 || line.equals >= line.end)
            continue;
        int keyEnd = line.equals;
        while (keyEnd > line.start && isBlank(data[keyEnd - 1]))
            --keyEnd;
        const QString key = normalisedKey(section + QLatin1Char('/') + unescapedKey(data, line.start, keyEnd));
        if (key.isEmpty())
            continue;
        QString text;
        QStringList list;
        if (unescapedValue(data, line.equals + 1, line.end, codec, text, list)) {
            for (QString &item : list) {
                if (item.startsWith(QLatin1String("@@")))
                    item.remove(0, 1);
            }
            map.insert(key, list);
        } else {
            const QVariant value = valueOf(text);
            if (value.isValid())
                map.insert(key, value);
            else
                map.remove(key);
        }
    }
    return map;
}

namespace {

bool readWindows1252(QIODevice &device, QSettings::SettingsMap &map)
{
    map = parseIni(device.readAll(), QTextCodec::codecForName("Windows-1252"));
    return true;
}

bool readLatin1(QIODevice &device, QSettings::SettingsMap &map)
{
    map = parseIni(device.readAll(), nullptr);
    return true;
}

// These formats only read: the importers never write through them.
bool refuseWrite(QIODevice &, const QSettings::SettingsMap &) { return false; }

} // namespace

QSettings::Format windows1252IniFormat()
{
    static const QSettings::Format format = QSettings::registerFormat(QStringLiteral("ini"), readWindows1252,
                                                                       refuseWrite);
    return format;
}

QSettings::Format latin1IniFormat()
{
    static const QSettings::Format format = QSettings::registerFormat(QStringLiteral("ini"), readLatin1, refuseWrite);
    return format;
}

} // namespace settingsfiles
