#pragma once

#include "flights/FlightChoices.h"
#include "flights/FlightStats.h"
#include "logbook/FlightEntry.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QThread;

// Every flight of a logbook as a screen lists it, with what its filters offer
// and the totals of the whole log.
struct CFlightLogRead
{
    std::vector<CFlightEntry> flights; // newest first
    CFlightChoices choices;
    CFlightStats totals; // computeFlightTotals of the flights
    QString error; // why the log could not be read; no flights then
    QString rocketsError; // why the catalogue's rockets could not be read; the flights' own are offered
    std::size_t total = 0; // how many flights the log holds
};

// Reads a whole logbook on a thread of its own, over a connection of its own,
// so that the screen that waits for it keeps taking the flyer's input. The
// read goes in slices, and a read that is stopped or replaced ends at the next
// slice. What was read is handed to the read's `done`, on the thread the
// loader lives on.
class CFlightLogLoader : public QObject
{
    Q_OBJECT

public:
    explicit CFlightLogLoader(QObject *parent = nullptr);
    // Stops a read under way and waits for its thread.
    ~CFlightLogLoader() override;

    using Done = std::function<void(CFlightLogRead read)>;

    // Starts reading the logbook file at path, in place of a read under way.
    // With `newest`, the read first hands over the newest `newestCount`
    // flights (with the choices they offer and the log's total), then reads
    // the whole log for `done`.
    void start(const QString &logbookPath, Done done, Done newest = {}, std::size_t newestCount = 0);
    // Drops the read under way: its result never comes.
    void stop();
    bool isReading() const { return m_job != nullptr; }
    // Waits for the read under way and hands it to its `done` before returning.
    void finishNow();

    // Runs on the reading thread before each read; tests hold a read back with it.
    void setBeforeRead(std::function<void()> hook) { m_beforeRead = std::move(hook); }

    // Flights per slice: a slice is read in a few tens of milliseconds.
    static constexpr std::size_t kSliceRows = 10000;

private:
    struct CJob;
    void deliver(std::shared_ptr<CJob> job);
    void deliverNewest(const std::shared_ptr<CJob> &job, CFlightLogRead newest);
    void join();

    std::shared_ptr<CJob> m_job;
    std::unique_ptr<QThread> m_thread;
    std::function<void()> m_beforeRead;
};
