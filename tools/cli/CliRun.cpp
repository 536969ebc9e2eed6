#include "cli/CliRun.h"

#include "db/Schema.h"

namespace {
QString usageLine(const CCliCommand &command)
{
    const QString syntax = QLatin1String(command.syntax);
    return QStringLiteral("usage: tarvel-cli ") + QLatin1String(command.name)
        + (syntax.isEmpty() ? QString() : QLatin1Char(' ') + syntax);
}
} // namespace

CCliRun::CCliRun(const CCliCommand &command, FILE *out, FILE *err)
    : m_command(command)
    , m_out(out)
    , m_err(err)
    , m_reporter(err)
{
    m_parser.setApplicationDescription(QLatin1String(command.summary));
    m_parser.addOption({{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Shows this help.")});
    command.declare(m_parser);
}

std::optional<int> CCliRun::parse(const QStringList &arguments)
{
    // The parser takes the program's name first, and skips it.
    if (!m_parser.parse(QStringList {QStringLiteral("tarvel-cli")} + arguments))
        return usageError(m_parser.errorText());
    if (m_parser.isSet(QStringLiteral("help"))) {
        print(helpText());
        return kCliSucceeded;
    }
    const qsizetype given = m_parser.positionalArguments().size();
    if (given < m_command.minArguments || (m_command.maxArguments >= 0 && given > m_command.maxArguments))
        return usageError();
    return std::nullopt;
}

QString CCliRun::helpText() const
{
    // The parser's own usage line names the program file without the
    // command; the command's usage line takes its place.
    QString help = m_parser.helpText();
    help.replace(0, help.indexOf(QLatin1Char('\n')), usageLine(m_command));
    return help.trimmed();
}

std::optional<QString> CCliRun::choice(const QString &option, const QStringList &choices)
{
    const QString chosen = m_parser.value(option);
    if (choices.contains(chosen))
        return chosen;
    usageError(QStringLiteral("--%1 takes %2, not \"%3\"").arg(option, choices.join(QLatin1Char('|')), chosen));
    return std::nullopt;
}

int CCliRun::usageError(const QString &reason)
{
    if (!reason.isEmpty())
        note(reason);
    printLine(m_err, usageLine(m_command));
    return kCliUsage;
}

int CCliRun::fail(const QString &reason)
{
    note(reason);
    return kCliFailed;
}

void CCliRun::note(const QString &text)
{
    printLine(m_err, QStringLiteral("tarvel-cli: ") + text);
}

void CCliRun::print(const QString &line)
{
    printLine(m_out, line);
}

void CCliRun::write(const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), m_out);
}

bool CCliRun::prepare()
{
    if (m_prepared)
        return true;
    if (!m_settings.loadMainSettings(m_main)) {
        fail(QStringLiteral("cannot read the settings in %1").arg(m_settings.fileName()));
        return false;
    }
    if (m_main.storageDirectory.isEmpty()) {
        fail(QStringLiteral("no storage directory is set in %1").arg(m_settings.fileName()));
        return false;
    }
    if (!CreateDatabase(m_main.storageDirectory)) {
        fail(QStringLiteral("cannot create the logbook %1").arg(databasePath(m_main.storageDirectory)));
        return false;
    }
    m_prepared = true;
    return true;
}

CRecordStore *CCliRun::openStore()
{
    if (!prepare())
        return nullptr;
    m_store = std::make_unique<CRecordStore>(&m_reporter);
    if (!m_store->Open(m_main.storageDirectory)) {
        m_store.reset();
        return nullptr;
    }
    return m_store.get();
}

void printLine(FILE *stream, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    std::fwrite(utf8.constData(), 1, size_t(utf8.size()), stream);
    std::fputc('\n', stream);
}
