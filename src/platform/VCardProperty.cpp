#include "platform/VCardProperty.h"

#include <QStringDecoder>

#include <cstring>

namespace {
int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Parameter values may be quoted ("a;b:c"), so the separators are only looked
// for outside quotes.
qsizetype findUnquoted(const QByteArray &line, qsizetype from, const char *separators)
{
    bool quoted = false;
    for (qsizetype i = from; i < line.size(); ++i) {
        const char c = line.at(i);
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && std::strchr(separators, c) != nullptr && c != '\0')
            return i;
    }
    return -1;
}

QByteArray unquote(QByteArray value)
{
    value = value.trimmed();
    if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
        return value.mid(1, value.size() - 2);
    return value;
}

QString decodeWithCharset(const QByteArray &bytes, const QByteArray &charset)
{
    if (!charset.isEmpty()) {
        QStringDecoder named(charset.constData());
        if (named.isValid()) {
            const QString text = named(bytes);
            if (!named.hasError())
                return text;
        }
    }
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    // Older Windows exporters write their code page without saying so.
    QStringDecoder windows("windows-1252");
    if (windows.isValid())
        return windows(bytes);
    return QString::fromLatin1(bytes);
}
} // namespace

QByteArray CVCardProperty::parameter(const QByteArray &upperName) const
{
    for (const auto &parameter : parameters) {
        if (parameter.first == upperName)
            return parameter.second;
    }
    return {};
}

bool CVCardProperty::hasParameterValue(const QByteArray &upperValue) const
{
    for (const auto &parameter : parameters) {
        if (parameter.first.isEmpty() && parameter.second.toUpper() == upperValue)
            return true;
        if (parameter.first == "TYPE") {
            for (const QByteArray &type : parameter.second.split(',')) {
                if (unquote(type).toUpper() == upperValue)
                    return true;
            }
        }
    }
    return false;
}

QString CVCardProperty::decodedValue() const
{
    const QByteArray encoding = parameter("ENCODING").toUpper();
    QByteArray bytes = rawValue;
    if (encoding == "QUOTED-PRINTABLE" || hasParameterValue("QUOTED-PRINTABLE"))
        bytes = decodeQuotedPrintable(bytes);
    else if (encoding == "B" || encoding == "BASE64" || hasParameterValue("BASE64"))
        bytes = QByteArray::fromBase64(bytes);
    return decodeWithCharset(bytes, parameter("CHARSET"));
}

bool parseVCardProperty(const QByteArray &line, CVCardProperty &property)
{
    property = CVCardProperty();
    const qsizetype colon = findUnquoted(line, 0, ":");
    if (colon < 0)
        return false;
    qsizetype nameEnd = findUnquoted(line, 0, ";:");
    QByteArray name = line.left(nameEnd).trimmed();
    const qsizetype dot = name.lastIndexOf('.');
    if (dot >= 0) {
        property.group = name.left(dot);
        name = name.mid(dot + 1);
    }
    if (name.isEmpty())
        return false;
    property.name = name.toUpper();

    qsizetype at = nameEnd;
    while (at < colon) {
        const qsizetype start = at + 1;
        qsizetype end = findUnquoted(line, start, ";:");
        if (end < 0 || end > colon)
            end = colon;
        const QByteArray text = line.mid(start, end - start);
        const qsizetype equals = text.indexOf('=');
        if (equals < 0)
            property.parameters.append({QByteArray(), unquote(text)});
        else
            property.parameters.append({text.left(equals).trimmed().toUpper(), unquote(text.mid(equals + 1))});
        at = end;
    }
    property.rawValue = line.mid(colon + 1);
    return true;
}

namespace {
// Undoes the escapes; when split is set, an unescaped separator ends a part.
QStringList unescapeParts(const QString &value, bool split, QChar separator)
{
    QStringList parts;
    QString current;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == QLatin1Char('\\') && i + 1 < value.size()) {
            const QChar next = value.at(++i);
            current += (next == QLatin1Char('n') || next == QLatin1Char('N')) ? QChar(QLatin1Char('\n')) : next;
        } else if (split && c == separator) {
            parts.append(current);
            current.clear();
        } else {
            current += c;
        }
    }
    parts.append(current);
    return parts;
}
} // namespace

QStringList splitVCardValue(const QString &value, QChar separator)
{
    return unescapeParts(value, true, separator);
}

QString unescapeVCardText(const QString &value)
{
    return unescapeParts(value, false, QChar()).constFirst();
}

QByteArray decodeQuotedPrintable(const QByteArray &encoded)
{
    QByteArray decoded;
    decoded.reserve(encoded.size());
    for (qsizetype i = 0; i < encoded.size(); ++i) {
        const char c = encoded.at(i);
        if (c != '=') {
            decoded += c;
            continue;
        }
        if (i + 1 == encoded.size())
            break; // a soft break with nothing after it
        if (encoded.at(i + 1) == '\n') {
            i += 1;
            continue;
        }
        if (i + 2 < encoded.size() && encoded.at(i + 1) == '\r' && encoded.at(i + 2) == '\n') {
            i += 2;
            continue;
        }
        const int high = i + 1 < encoded.size() ? hexValue(encoded.at(i + 1)) : -1;
        const int low = i + 2 < encoded.size() ? hexValue(encoded.at(i + 2)) : -1;
        if (high < 0 || low < 0) {
            decoded += c;
            continue;
        }
        decoded += char(high * 16 + low);
        i += 2;
    }
    return decoded;
}
