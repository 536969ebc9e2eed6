#include "flights/FlightLogLoader.h"

#include "db/RecordStore.h"
#include "logbook/FlightFilter.h"
#include "logbook/FlightLog.h"

#include <QThread>

#include <atomic>
#include <iterator>
#include <limits>

struct CFlightLogLoader::CJob
{
    std::atomic<bool> stopped {false};
    CFlightLogRead result;
    CFlightLogLoader::Done done;
    CFlightLogLoader::Done newest;
    std::size_t newestCount = 0;
};

namespace {

// The whole read, on the reading thread; false when it was stopped. With
// newestCount, the newest flights go to `newest` first.
bool readLog(const QString &path, const std::atomic<bool> &stopped, CFlightLogRead &read, std::size_t newestCount,
             const std::function<void(CFlightLogRead)> &newest)
{
    CRecordStore store;
    if (!store.openFile(path)) {
        read.error = store.lastError();
        return !stopped;
    }
    CFlightLog log(store);
    if (newestCount > 0) {
        CFlightLogRead first;
        first.flights = log.loadNewest(newestCount, &first.total);
        first.error = log.lastError();
        if (!first.error.isEmpty()) {
            read.error = first.error;
            return !stopped;
        }
        first.choices = flightChoices(log.rockets(), first.flights);
        first.rocketsError = log.lastError();
        if (stopped)
            return false;
        newest(std::move(first));
    }
    qint64 after = std::numeric_limits<qint64>::min();
    for (;;) {
        if (stopped)
            return false;
        std::vector<CFlightEntry> slice = log.loadSlice(after, CFlightLogLoader::kSliceRows);
        if (!log.lastError().isEmpty()) {
            // A list cut short would look whole.
            read.error = log.lastError();
            read.flights.clear();
            return !stopped;
        }
        if (slice.empty())
            break;
        after = slice.back().rowId;
        read.flights.insert(read.flights.end(), std::make_move_iterator(slice.begin()),
                            std::make_move_iterator(slice.end()));
    }
    const std::vector<std::pair<QString, QString>> rockets = log.rockets();
    read.rocketsError = log.lastError();
    sortNewestFirst(read.flights);
    read.choices = flightChoices(rockets, read.flights);
    read.totals = computeFlightTotals(read.flights);
    read.total = read.flights.size();
    return !stopped;
}

} // namespace

CFlightLogLoader::CFlightLogLoader(QObject *parent)
    : QObject(parent)
{ }

CFlightLogLoader::~CFlightLogLoader()
{
    stop();
}

void CFlightLogLoader::start(const QString &logbookPath, Done done, Done newest, std::size_t newestCount)
{
    stop();
    auto job = std::make_shared<CJob>();
    job->done = std::move(done);
    job->newest = std::move(newest);
    job->newestCount = job->newest ? newestCount : 0;
    m_job = job;
    const std::function<void()> beforeRead = m_beforeRead;
    m_thread.reset(QThread::create([this, job, logbookPath, beforeRead] {
        if (beforeRead)
            beforeRead();
        const auto handOver = [this, job](CFlightLogRead first) {
            QMetaObject::invokeMethod(
                this, [this, job, first = std::move(first)]() mutable { deliverNewest(job, std::move(first)); },
                Qt::QueuedConnection);
        };
        if (!readLog(logbookPath, job->stopped, job->result, job->newestCount, handOver))
            return;
        // The loader outlives the thread (its destructor waits for it), and a
        // call queued to a loader that is gone by then is dropped.
        QMetaObject::invokeMethod(
            this, [this, job] { deliver(job); }, Qt::QueuedConnection);
    }));
    m_thread->setObjectName(QStringLiteral("flight log reader"));
    m_thread->start();
}

void CFlightLogLoader::stop()
{
    if (m_job)
        m_job->stopped = true;
    join();
    m_job.reset();
}

void CFlightLogLoader::finishNow()
{
    if (m_job)
        deliver(m_job); // a copy: deliver lets go of m_job
}

void CFlightLogLoader::join()
{
    if (m_thread) {
        m_thread->wait();
        m_thread.reset();
    }
}

void CFlightLogLoader::deliverNewest(const std::shared_ptr<CJob> &job, CFlightLogRead newest)
{
    // The whole log, handed over by finishNow, has made the newest needless.
    if (job == m_job && !job->stopped && job->newest)
        job->newest(std::move(newest));
}

void CFlightLogLoader::deliver(std::shared_ptr<CJob> job)
{
    // A read replaced or stopped since, or handed over by finishNow, is done with.
    if (job != m_job)
        return;
    join();
    m_job.reset();
    if (!job->stopped && job->done)
        job->done(std::move(job->result));
}
