#include "cli/CliCommand.h"
#include "cli/CliContext.h"
#include "cli/CliReporter.h"
#include "db/RecordStore.h"
#include "motors/MotorImport.h"
#include "ui/ProgressReport.h"

#include <QElapsedTimer>

#include <unistd.h>

namespace {
// Progress on one terminal line, redrawn at most every 50 ms; nothing when the
// stream is not a terminal, so that scripts get only the results.
class CTerminalProgress : public CProgressReport {
public:
    explicit CTerminalProgress(FILE *stream)
        : m_stream(stream)
        , m_terminal(isatty(fileno(stream)) != 0)
    {
    }

    void showProgress(const QString &text) override
    {
        m_text = text;
        m_pending = true;
        if (!m_timer.isValid() || m_timer.elapsed() >= 50)
            draw();
    }
    void finishProgress() override
    {
        if (m_pending)
            draw();
    }
    void hideProgress() override
    {
        if (m_terminal && m_drawn)
            std::fputs("\r\033[K", m_stream);
        m_drawn = false;
        m_pending = false;
    }

private:
    void draw()
    {
        m_pending = false;
        m_timer.start();
        if (!m_terminal)
            return;
        QString line = m_text;
        line.replace(QLatin1Char('\n'), QLatin1Char(' '));
        std::fprintf(m_stream, "\r\033[K%s", line.toUtf8().constData());
        std::fflush(m_stream);
        m_drawn = true;
    }

    FILE *m_stream;
    bool m_terminal;
    bool m_drawn = false;
    bool m_pending = false;
    QString m_text;
    QElapsedTimer m_timer;
};
} // namespace

int runImportMotors(const QStringList &arguments, FILE *out, FILE *err)
{
    if (arguments.isEmpty()) {
        printLine(err, QStringLiteral("usage: tarvel-cli import-motors FILE..."));
        return 2;
    }
    CCliContext context;
    if (!context.prepare(err))
        return 1;
    CCliReporter reporter(err);
    CRecordStore store(&reporter);
    if (!store.Open(context.storageDirectory()))
        return 1;

    int status = 0;
    for (const QString &path : arguments) {
        CTerminalProgress progress(err);
        const CMotorImportResult result = importMotorFile(store, path, progress);
        progress.hideProgress();
        switch (result.outcome) {
        case CMotorImportResult::Outcome::Unreadable:
            printLine(err, QStringLiteral("tarvel-cli: cannot read %1").arg(path));
            status = 1;
            break;
        case CMotorImportResult::Outcome::NothingLoaded:
            printLine(err, path + QStringLiteral(": ") + result.message());
            status = 1;
            break;
        case CMotorImportResult::Outcome::Imported:
            printLine(out, path + QStringLiteral(": ") + result.message());
            break;
        }
    }
    return status;
}
