#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// What the logbook needs of one contact.
struct CVCardContact
{
    QString familyName; // first component of N
    QString givenName; // second component of N
    QString organisation; // first component of ORG
    QStringList categories; // every CATEGORIES value, unescaped and trimmed
};

// Every complete card of a ".vcf" file (vCard 2.1, 3.0 or 4.0), in file order.
// A card without its END line, or one that cannot be read, is left out; the
// cards around it still come out. Accepts any bytes.
QList<CVCardContact> readVCards(const QByteArray &data);
