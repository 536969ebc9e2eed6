// The launch screen reads every contact and calendar file when it opens, so a
// big address book must not make the flyer wait in the field.
#include "BenchRatios.h"
#include "launch/LaunchSites.h"
#include "platform/VCardReader.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {
constexpr int kContacts = 2000;
constexpr int kEvents = 500;

QByteArray addressBook()
{
    QByteArray data;
    for (int i = 0; i < kContacts; ++i) {
        data += "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Member " + QByteArray::number(i) + "\r\nN:Member;"
            + QByteArray::number(i) + ";;;\r\nORG:Rocketry Club\\, Section " + QByteArray::number(i % 7)
            + "\r\nTEL;TYPE=CELL:555-0100\r\nEMAIL:member@example.org\r\nNOTE:A long note that folds over\r\n  "
              "two lines\\, as exporters do.\r\nCATEGORIES:"
            + (i % 10 == 0 ? "Launch Sites" : "Friends,Club") + "\r\nEND:VCARD\r\n";
    }
    return data;
}

QByteArray calendarFile()
{
    QByteArray data("BEGIN:VCALENDAR\r\nVERSION:2.0\r\n");
    for (int i = 0; i < kEvents; ++i) {
        data += "BEGIN:VEVENT\r\nUID:" + QByteArray::number(i) + "\r\nSUMMARY:" + (i % 5 == 0 ? "Launch" : "Meeting")
            + "\r\nDTSTART:2025" + QByteArray::number(10 + i % 3) + "01T100000Z\r\nRRULE:FREQ=WEEKLY;BYDAY=SA\r\n"
            + "LOCATION:Field " + QByteArray::number(i) + "\r\nEND:VEVENT\r\n";
    }
    return data + "END:VCALENDAR\r\n";
}

// What the reader gives of a card, in plain bytes.
struct CPlainContact
{
    std::string familyName;
    std::string givenName;
    std::string organisation;
    std::vector<std::string> categories;
};

// Splits a value at unescaped separators, each part unescaped ("\\," to ",").
void splitValue(std::string_view value, char separator, std::vector<std::string> &parts)
{
    parts.clear();
    parts.emplace_back();
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size())
            parts.back() += value[++i];
        else if (value[i] == separator)
            parts.emplace_back();
        else
            parts.back() += value[i];
    }
}

// The floor: the same work done plainly on the bytes, the fastest way a
// reader written for this file alone could: each line found with memchr,
// folded lines joined, the card's name, organisation and categories split
// and unescaped into byte strings, one contact kept per card.
void BM_SitesFloorPlainParse(benchmark::State &state)
{
    const QByteArray data = addressBook();
    for (auto _ : state) {
        std::vector<CPlainContact> contacts;
        CPlainContact card;
        std::vector<std::string> parts;
        std::string line;
        const char *at = data.constData();
        const char *const end = at + data.size();
        while (at < end) {
            // One content line: a physical line and those that continue it.
            line.clear();
            do {
                const char *lineEnd = static_cast<const char *>(std::memchr(at, '\n', std::size_t(end - at)));
                if (!lineEnd)
                    lineEnd = end;
                const char *textEnd = lineEnd > at && lineEnd[-1] == '\r' ? lineEnd - 1 : lineEnd;
                line.append(line.empty() ? at : at + 1, std::size_t(textEnd - at) - (line.empty() ? 0 : 1));
                at = lineEnd + 1;
            } while (at < end && (*at == ' ' || *at == '\t'));
            const std::size_t colon = line.find(':');
            if (colon == std::string::npos)
                continue;
            const std::string_view name(line.data(), std::min(colon, line.find(';')));
            const std::string_view value(line.data() + colon + 1, line.size() - colon - 1);
            if (name.size() == 3 && qstrnicmp(name.data(), "END", 3) == 0) {
                contacts.push_back(std::move(card));
                card = {};
            } else if (name.size() == 1 && (name[0] == 'N' || name[0] == 'n')) {
                splitValue(value, ';', parts);
                card.familyName = parts[0];
                card.givenName = parts.size() > 1 ? parts[1] : std::string();
            } else if (name.size() == 3 && qstrnicmp(name.data(), "ORG", 3) == 0) {
                splitValue(value, ';', parts);
                card.organisation = parts[0];
            } else if (name.size() == 10 && qstrnicmp(name.data(), "CATEGORIES", 10) == 0) {
                splitValue(value, ',', parts);
                card.categories.insert(card.categories.end(), parts.begin(), parts.end());
            }
        }
        if (contacts.size() != std::size_t(kContacts)
            || contacts.front().categories != std::vector<std::string> {"Launch Sites"})
            state.SkipWithError("the plain reading missed cards");
        benchmark::DoNotOptimize(contacts);
    }
}
BENCHMARK(BM_SitesFloorPlainParse)->Unit(benchmark::kMillisecond);

void BM_SitesReadVCards(benchmark::State &state)
{
    const QByteArray data = addressBook();
    for (auto _ : state)
        benchmark::DoNotOptimize(readVCards(data));
}
BENCHMARK(BM_SitesReadVCards)->Unit(benchmark::kMillisecond);

// Opening the launch screen on a 2000-contact address book and a calendar of
// 500 weekly series.
void BM_SitesLoadLaunchSites(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    QFile contacts(folder + QStringLiteral("contacts.vcf"));
    QFile calendar(folder + QStringLiteral("calendar.ics"));
    if (!contacts.open(QIODevice::WriteOnly) || !calendar.open(QIODevice::WriteOnly)) {
        state.SkipWithError("cannot write the sample files");
        return;
    }
    contacts.write(addressBook());
    calendar.write(calendarFile());
    contacts.close();
    calendar.close();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            LoadLaunchSites(folder, QStringLiteral("Launch Sites"), QDate(2026, 3, 12), QTimeZone::utc()));
}
BENCHMARK(BM_SitesLoadLaunchSites)->Unit(benchmark::kMillisecond);

const bool kRatios = registerRatio({"BM_SitesReadVCards", "BM_SitesFloorPlainParse", 10.0})
    && registerRatio({"BM_SitesLoadLaunchSites", "BM_SitesFloorPlainParse", 40.0, 0.25});
} // namespace
