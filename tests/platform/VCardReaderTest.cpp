#include "platform/VCardReader.h"

#include "platform/VCardProperty.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {
QByteArray crlf(const char *text)
{
    return QByteArray(text).replace("\n", "\r\n");
}
} // namespace

TEST(VCardProperty, SplitsGroupNameParametersAndValue)
{
    CVCardProperty property;
    ASSERT_TRUE(parseVCardProperty("item1.org;TYPE=work;X-URL=\"http://a;b\":North Field;Range", property));
    EXPECT_EQ(property.group, "item1");
    EXPECT_EQ(property.name, "ORG");
    EXPECT_EQ(property.parameter("X-URL"), "http://a;b");
    EXPECT_TRUE(property.hasParameterValue("WORK"));
    EXPECT_EQ(property.rawValue, "North Field;Range");

    EXPECT_FALSE(parseVCardProperty("no colon here", property));
    EXPECT_FALSE(parseVCardProperty(":value without a name", property));
}

TEST(VCardProperty, UndoesEscapesAndEncodings)
{
    EXPECT_EQ(splitVCardValue(QStringLiteral("Doe;John\\;Jr;;"), QLatin1Char(';')),
              QStringList({"Doe", "John;Jr", "", ""}));
    EXPECT_EQ(splitVCardValue(QStringLiteral("a\\,b,c\\\\,d\\n"), QLatin1Char(',')),
              QStringList({"a,b", "c\\", "d\n"}));
    EXPECT_EQ(unescapeVCardText(QStringLiteral("trailing\\")), QStringLiteral("trailing\\"));

    EXPECT_EQ(decodeQuotedPrintable("=C3=91=20x=\r\ny"), QByteArray("\xC3\x91 xy"));
    EXPECT_EQ(decodeQuotedPrintable("50=ZZ%=4"), QByteArray("50=ZZ%=4"));
    EXPECT_EQ(decodeQuotedPrintable("soft break at the end="), QByteArray("soft break at the end"));

    CVCardProperty property;
    ASSERT_TRUE(parseVCardProperty("N;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:M=FCller", property));
    EXPECT_EQ(property.decodedValue(), QString::fromUtf8("Müller"));
    ASSERT_TRUE(parseVCardProperty("N;QUOTED-PRINTABLE:=C3=A9t=C3=A9", property));
    EXPECT_EQ(property.decodedValue(), QString::fromUtf8("été"));
    // No charset and not UTF-8: read as the Windows code page.
    ASSERT_TRUE(parseVCardProperty("ORG:Caf\xE9 \x80", property));
    EXPECT_EQ(property.decodedValue(), QString::fromUtf8("Café €"));
    ASSERT_TRUE(parseVCardProperty("ORG;ENCODING=b:Tm9ydGggRmllbGQ=", property));
    EXPECT_EQ(property.decodedValue(), QStringLiteral("North Field"));
}

TEST(VCardReader, ReadsNamesOrganisationAndCategories)
{
    const QList<CVCardContact> contacts = readVCards(crlf("BEGIN:VCARD\n"
                                                          "VERSION:3.0\n"
                                                          "N:Field;North;;;\n"
                                                          "item1.ORG:Club\\, Inc.;Range\n"
                                                          "CATEGORIES:Launch Sites, VIP,Friends\\, Family\n"
                                                          "CATEGORIES:Extra\n"
                                                          "END:VCARD\n"));
    ASSERT_EQ(contacts.size(), 1);
    EXPECT_EQ(contacts[0].familyName, QStringLiteral("Field"));
    EXPECT_EQ(contacts[0].givenName, QStringLiteral("North"));
    EXPECT_EQ(contacts[0].organisation, QStringLiteral("Club, Inc."));
    EXPECT_EQ(contacts[0].categories, QStringList({"Launch Sites", "VIP", "Friends, Family", "Extra"}));
}

TEST(VCardReader, UnfoldsLinesByVersion)
{
    // 3.0 and 4.0 drop the folding blank; 2.1 keeps it; tabs fold too.
    const QList<CVCardContact> contacts = readVCards(crlf("BEGIN:VCARD\nVERSION:4.0\nORG:Desert\n  Range\n"
                                                          "CATEGORIES:Laun\n\tch Sites\nEND:VCARD\n"
                                                          "BEGIN:VCARD\nVERSION:2.1\nORG:Desert\n Range\nEND:VCARD\n"));
    ASSERT_EQ(contacts.size(), 2);
    EXPECT_EQ(contacts[0].organisation, QStringLiteral("Desert Range"));
    EXPECT_EQ(contacts[0].categories, QStringList({"Launch Sites"}));
    EXPECT_EQ(contacts[1].organisation, QStringLiteral("Desert Range"));
}

TEST(VCardReader, ReadsVersion21QuotedPrintableWithSoftBreaks)
{
    const QList<CVCardContact> contacts =
        readVCards(crlf("BEGIN:VCARD\n"
                        "VERSION:2.1\n"
                        "N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:Pe=C3=B1a;Jos=C3=\n"
                        "=A9;;;\n"
                        "ORG;ENCODING=QUOTED-PRINTABLE:Mesa=\n"
                        "\n"
                        "CATEGORIES:Launch Sites;Work\n"
                        "END:VCARD\n"));
    ASSERT_EQ(contacts.size(), 1);
    EXPECT_EQ(contacts[0].familyName, QString::fromUtf8("Peña"));
    EXPECT_EQ(contacts[0].givenName, QString::fromUtf8("José"));
    EXPECT_EQ(contacts[0].organisation, QStringLiteral("Mesa"));
    EXPECT_EQ(contacts[0].categories, QStringList({"Launch Sites", "Work"}));
}

TEST(VCardReader, BadCardsDoNotHideTheirNeighbours)
{
    const QByteArray data = crlf("BEGIN:VCARD\nVERSION:3.0\nORG:First\nEND:VCARD\n"
                                 // never ended: dropped at the next BEGIN
                                 "BEGIN:VCARD\nVERSION:3.0\nORG:Broken\n"
                                 "BEGIN:VCARD\nVERSION:3.0\ngarbage without colon\n;;;\n"
                                 "ORG;ENCODING=QUOTED-PRINTABLE:Second=\n"
                                 "END:VCARD\n"
                                 "stray line\nEND:VCARD\n"
                                 "BEGIN:VCARD\nVERSION:2.1\nORG:Third\nAGENT:\n"
                                 "BEGIN:VCARD\nVERSION:2.1\nORG:Agent\nEND:VCARD\n"
                                 "END:VCARD\n"
                                 "BEGIN:VCARD\nORG:Truncated");
    const QList<CVCardContact> contacts = readVCards(data);
    QStringList organisations;
    for (const CVCardContact &contact : contacts)
        organisations.append(contact.organisation);
    EXPECT_EQ(organisations, QStringList({"First", "Second", "Third"}));
}

TEST(VCardReader, ReadsByteOrderMarksAndBareLineFeeds)
{
    const QByteArray card("BEGIN:VCARD\nVERSION:3.0\nORG:Marsh\nEND:VCARD\n");
    EXPECT_EQ(readVCards("\xEF\xBB\xBF" + card).value(0).organisation, QStringLiteral("Marsh"));

    const QString text = QString::fromLatin1(card);
    QByteArray utf16("\xFF\xFE");
    utf16.append(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    EXPECT_EQ(readVCards(utf16).value(0).organisation, QStringLiteral("Marsh"));

    EXPECT_TRUE(readVCards(QByteArray("\0\xFF\xFE\x01:", 5)).isEmpty());
}

TEST(VCardReader, ReadsRealWorldExports)
{
    const QDir folder(QStringLiteral(TARVEL_SHARED_TESTDATA "/vcard"));
    if (!folder.exists())
        GTEST_SKIP() << "shared test data not found at " << folder.path().toStdString();
    const QStringList names = folder.entryList({QStringLiteral("*.vcf")}, QDir::Files, QDir::Name);
    ASSERT_GE(names.size(), 18);
    QMap<QString, QList<CVCardContact>> byFile;
    for (const QString &name : names) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray data = file.readAll();
        byFile[name] = readVCards(data);
        // None of these files nests cards, so every card comes out.
        EXPECT_EQ(byFile[name].size(), data.toUpper().count("BEGIN:VCARD")) << name.toStdString();
    }

    const CVCardContact &thunderbird =
        byFile.value(QStringLiteral("thunderbird-MoreFunctionsForAddressBook-extension.vcf")).at(0);
    EXPECT_EQ(thunderbird.familyName, QStringLiteral("Doe"));
    EXPECT_EQ(thunderbird.categories, QStringList({"category1, category2, category3"}));
    EXPECT_EQ(byFile.value(QStringLiteral("John_Doe_EVOLUTION.vcf")).at(0).categories, QStringList({"VIP"}));
    const CVCardContact &full = byFile.value(QStringLiteral("fullcontact.vcf")).at(0);
    EXPECT_EQ(full.givenName + QLatin1Char(' ') + full.organisation, QStringLiteral("FirstName Organization1"));
    EXPECT_EQ(byFile.value(QStringLiteral("outlook-2003.vcf")).at(0).organisation, QStringLiteral("Company, The"));

    const QList<CVCardContact> android = byFile.value(QStringLiteral("John_Doe_ANDROID.vcf"));
    ASSERT_GE(android.size(), 5);
    EXPECT_EQ(android[3].categories, QStringList({"My Contacts"}));
    EXPECT_TRUE(android[4].categories.isEmpty());
    // A quoted-printable name broken over two lines by a soft line break.
    EXPECT_EQ(android[3].familyName, QString::fromUtf8("Ñ Ñ Ñ Ñ Ñ Ñ Ñ Ñ Ñ Ñ Ñ"));
    EXPECT_EQ(android[4].organisation, QString::fromUtf8("ÑÑÑÑÑÑÑÑÑÑÑÑ"));
}

TEST(VCardReader, LongContinuedLinesStayLinear)
{
    // Half a million lines after a header that never reaches its colon: were
    // the line rescanned for each of them, the test would run into its time-out.
    const QByteArray headless = "BEGIN:VCARD\nORG;QUOTED-PRINTABLE" + QByteArray("x=\n").repeated(500000)
        + "END:VCARD\nBEGIN:VCARD\nORG:After\nEND:VCARD\n";
    const QList<CVCardContact> contacts = readVCards(headless);
    ASSERT_EQ(contacts.size(), 2);
    EXPECT_EQ(contacts[1].organisation, QStringLiteral("After"));

    const QByteArray soft =
        "BEGIN:VCARD\nORG;QUOTED-PRINTABLE:" + QByteArray("=\n").repeated(500000) + "X\nEND:VCARD\n";
    EXPECT_EQ(readVCards(soft).value(0).organisation, QStringLiteral("X"));
}
