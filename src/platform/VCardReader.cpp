#include "platform/VCardReader.h"

#include "platform/VCardProperty.h"

#include <QStringDecoder>

namespace {
// Files from Windows programs may be UTF-16 or carry a UTF-8 byte-order mark;
// everything below works on ASCII-compatible bytes.
QByteArray asciiCompatible(const QByteArray &data)
{
    if (data.startsWith("\xEF\xBB\xBF"))
        return data.mid(3);
    if (data.startsWith("\xFF\xFE") || data.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(data.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        return QString(decoder(data.mid(2))).toUtf8();
    }
    return data;
}

bool isCardBoundary(const QByteArray &line)
{
    const QByteArray upper = line.trimmed().toUpper();
    return upper == "BEGIN:VCARD" || upper == "END:VCARD";
}

// A content line being put together from its physical lines. Whether its value
// is quoted-printable is settled once its colon arrives, so that long values
// are not scanned again for every line added.
class CLogicalLine
{
public:
    const QByteArray &text() const { return m_text; }

    void start(const QByteArray &line)
    {
        m_text = line;
        m_scanned = 0;
        m_headerKnown = false;
        m_quotedPrintable = false;
        settleHeader();
    }

    void append(QByteArrayView more)
    {
        m_text += more;
        settleHeader();
    }

    // The value ends with a quoted-printable soft line break.
    bool continuesSoftly() const { return m_quotedPrintable && m_text.endsWith('='); }

    void joinSoftly(const QByteArray &line)
    {
        m_text.chop(1);
        m_text += line;
    }

private:
    void settleHeader()
    {
        if (m_headerKnown)
            return;
        const qsizetype colon = m_text.indexOf(':', m_scanned);
        if (colon < 0) {
            m_scanned = m_text.size();
            return;
        }
        m_headerKnown = true;
        m_quotedPrintable = m_text.left(colon).toUpper().contains("QUOTED-PRINTABLE");
    }

    QByteArray m_text;
    qsizetype m_scanned = 0;
    bool m_headerKnown = false;
    bool m_quotedPrintable = false;
};

// A NUL (a raw byte or an encoded one) is no character of a name; it would cut
// the site's text short wherever it is stored.
QString withoutNul(QString text)
{
    return text.remove(QChar(0));
}

QString firstComponent(const CVCardProperty *property, int index)
{
    if (property == nullptr)
        return {};
    return withoutNul(splitVCardValue(property->decodedValue(), QLatin1Char(';')).value(index)).trimmed();
}

// The name of a content line, upper case and without its group, when it can
// be told without parsing the line; empty otherwise.
QByteArray propertyName(const QByteArray &line)
{
    qsizetype end = 0;
    while (end < line.size() && line.at(end) != ':' && line.at(end) != ';' && line.at(end) != '"')
        ++end;
    if (end == line.size() || line.at(end) == '"' || line.indexOf(':', end) < 0)
        return {};
    QByteArrayView name = QByteArrayView(line).first(end).trimmed();
    const qsizetype dot = name.lastIndexOf('.');
    if (dot >= 0)
        name = name.sliced(dot + 1);
    return name.toByteArray().toUpper();
}

const QList<QByteArray> kReadProperties = {"BEGIN", "END", "VERSION", "N", "ORG", "CATEGORIES", "AGENT"};

class CCardCollector
{
public:
    explicit CCardCollector(QList<CVCardContact> &contacts)
        : m_contacts(contacts)
    { }

    bool isVersion21() const { return m_version == "2.1"; }

    void take(const QByteArray &line)
    {
        if (line.trimmed().isEmpty())
            return;
        // Most lines (telephone, mail, notes, photos) matter only by their name;
        // full parsing is kept for the few that are read.
        const QByteArray name = propertyName(line);
        if (!name.isEmpty() && !kReadProperties.contains(name)) {
            m_lastName = name;
            return;
        }
        CVCardProperty property;
        if (!parseVCardProperty(line, property))
            return; // a broken line costs only itself
        const auto isCard = [&property] { return property.rawValue.trimmed().toUpper() == "VCARD"; };
        if (property.name == "BEGIN" && isCard()) {
            // vCard 2.1 can embed an agent's card right after an empty AGENT line.
            if (m_depth > 0 && m_lastName == "AGENT" && m_lastValueEmpty) {
                ++m_depth;
            } else {
                // A BEGIN inside a card means the card before never ended.
                m_depth = 1;
                m_version.clear();
                m_properties.clear();
            }
        } else if (property.name == "END" && isCard()) {
            if (m_depth > 1) {
                --m_depth;
            } else if (m_depth == 1) {
                m_depth = 0;
                finishCard();
            }
        } else if (m_depth == 1) {
            if (property.name == "VERSION")
                m_version = property.rawValue.trimmed();
            else if (property.name == "N" || property.name == "ORG" || property.name == "CATEGORIES")
                m_properties.append(property);
        }
        m_lastName = property.name;
        m_lastValueEmpty = property.rawValue.trimmed().isEmpty();
    }

private:
    void finishCard()
    {
        CVCardContact contact;
        const CVCardProperty *name = nullptr;
        const CVCardProperty *organisation = nullptr;
        for (const CVCardProperty &property : std::as_const(m_properties)) {
            if (property.name == "N" && name == nullptr)
                name = &property;
            else if (property.name == "ORG" && organisation == nullptr)
                organisation = &property;
            else if (property.name == "CATEGORIES")
                appendCategories(property, contact.categories);
        }
        contact.familyName = firstComponent(name, 0);
        contact.givenName = firstComponent(name, 1);
        contact.organisation = firstComponent(organisation, 0);
        m_contacts.append(contact);
        m_properties.clear();
    }

    void appendCategories(const CVCardProperty &property, QStringList &categories) const
    {
        QStringList values = splitVCardValue(property.decodedValue(), QLatin1Char(','));
        // Some 2.1 writers separate categories like compound values.
        if (isVersion21()) {
            QStringList split;
            for (const QString &value : std::as_const(values))
                split += value.split(QLatin1Char(';'));
            values = split;
        }
        for (const QString &value : std::as_const(values)) {
            const QString trimmed = withoutNul(value).trimmed();
            if (!trimmed.isEmpty())
                categories.append(trimmed);
        }
    }

    QList<CVCardContact> &m_contacts;
    QList<CVCardProperty> m_properties;
    QByteArray m_version;
    QByteArray m_lastName;
    bool m_lastValueEmpty = false;
    int m_depth = 0;
};
} // namespace

QList<CVCardContact> readVCards(const QByteArray &data)
{
    QByteArray text = asciiCompatible(data);
    text.replace("\r\n", "\n");
    text.replace('\r', '\n');

    QList<CVCardContact> contacts;
    CCardCollector collector(contacts);
    CLogicalLine logical;
    bool pending = false;
    for (const QByteArray &line : text.split('\n')) {
        if (pending && (line.startsWith(' ') || line.startsWith('\t'))) {
            // 2.1 keeps the folding blank; 3.0 and 4.0 drop it.
            logical.append(collector.isVersion21() ? QByteArrayView(line) : QByteArrayView(line).sliced(1));
            continue;
        }
        if (pending && logical.continuesSoftly() && !isCardBoundary(line)) {
            // A quoted-printable soft line break: the value goes on unindented.
            logical.joinSoftly(line);
            continue;
        }
        if (pending)
            collector.take(logical.text());
        logical.start(line);
        pending = true;
    }
    if (pending)
        collector.take(logical.text());
    return contacts;
}
