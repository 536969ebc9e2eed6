// The launch screen reads every contact and calendar file when it opens, so a
// big address book must not make the flyer wait in the field.
#include "BenchRatios.h"
#include "launch/LaunchSites.h"
#include "platform/VCardReader.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstring>

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

// The least any reader must do: look at every line once, a bare byte scan
// from line end to line end that notes the cards' first lines.
void BM_SitesFloorLineScan(benchmark::State &state)
{
    const QByteArray data = addressBook();
    for (auto _ : state) {
        qsizetype cards = 0;
        const char *at = data.constData();
        const char *const end = at + data.size();
        while (at < end) {
            const char *lineEnd = static_cast<const char *>(std::memchr(at, '\n', std::size_t(end - at)));
            if (!lineEnd)
                lineEnd = end;
            cards += lineEnd - at >= 5 && qstrnicmp(at, "BEGIN", 5) == 0 ? 1 : 0;
            at = lineEnd + 1;
        }
        benchmark::DoNotOptimize(cards);
    }
}
BENCHMARK(BM_SitesFloorLineScan)->Unit(benchmark::kMillisecond);

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

const bool kRatios = registerRatio({"BM_SitesReadVCards", "BM_SitesFloorLineScan", 10.0})
    && registerRatio({"BM_SitesLoadLaunchSites", "BM_SitesFloorLineScan", 40.0, 0.25});
} // namespace
