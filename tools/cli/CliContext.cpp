#include "cli/CliContext.h"

#include "db/Schema.h"

bool CCliContext::prepare(FILE *err)
{
    if (!m_store.loadMainSettings(m_main)) {
        printLine(err, QStringLiteral("tarvel-cli: cannot read the settings in %1").arg(m_store.fileName()));
        return false;
    }
    if (m_main.storageDirectory.isEmpty()) {
        printLine(err, QStringLiteral("tarvel-cli: no storage directory is set in %1").arg(m_store.fileName()));
        return false;
    }
    if (!CreateDatabase(m_main.storageDirectory)) {
        printLine(
            err, QStringLiteral("tarvel-cli: cannot create the logbook %1").arg(databasePath(m_main.storageDirectory)));
        return false;
    }
    return true;
}

std::unique_ptr<CRecordStore> CCliContext::openStore(FILE *err)
{
    if (!prepare(err))
        return nullptr;
    m_reporter = std::make_unique<CCliReporter>(err);
    auto store = std::make_unique<CRecordStore>(m_reporter.get());
    if (!store->Open(m_main.storageDirectory))
        return nullptr;
    return store;
}

void printLine(FILE *stream, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    std::fwrite(utf8.constData(), 1, size_t(utf8.size()), stream);
    std::fputc('\n', stream);
}
