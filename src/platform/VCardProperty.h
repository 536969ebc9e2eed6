#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// One content line of a vCard, after unfolding: "group.NAME;PARAM=v:value".
// The value is kept as raw bytes because its encoding and character set are
// only known from the parameters.
struct CVCardProperty
{
    QByteArray group; // empty when the line has none
    QByteArray name; // upper case
    QList<QPair<QByteArray, QByteArray>> parameters; // names upper case; vCard 2.1's bare "WORK" has an empty name
    QByteArray rawValue;

    // The value of the first parameter of that (upper-case) name, or empty.
    QByteArray parameter(const QByteArray &upperName) const;
    // Bare 2.1 parameters and TYPE values both count, compared without case.
    bool hasParameterValue(const QByteArray &upperValue) const;
    // The value as text: quoted-printable or base64 undone, then decoded with
    // the CHARSET parameter (UTF-8 when absent, Windows-1252 when that fails).
    // Backslash escapes are left in place for the caller's list splitting.
    QString decodedValue() const;
};

// Splits a content line into its parts; false when it has no name or no colon.
bool parseVCardProperty(const QByteArray &line, CVCardProperty &property);

// Splits a value at each separator not escaped by a backslash and undoes the
// escapes \\ \, \; \: and \n (a line break). Empty parts are kept, so that
// "Doe;;" still has its positions.
QStringList splitVCardValue(const QString &value, QChar separator);

// Undoes the escapes of a single text value.
QString unescapeVCardText(const QString &value);

// Quoted-printable bytes decoded; "=" followed by a line end is a soft break,
// and a malformed "=" sequence is kept as it stands.
QByteArray decodeQuotedPrintable(const QByteArray &encoded);
