#include "cli/CliReporter.h"

#include "cli/CliRun.h"

void CCliReporter::fatalError(const QString &text)
{
    printLine(m_err, QStringLiteral("tarvel-cli: ") + text);
}

void CCliReporter::problem(const QString &caption, const QString &text)
{
    printLine(
        m_err,
        QStringLiteral("tarvel-cli: %1: %2").arg(caption, QString(text).replace(QLatin1Char('\n'), QLatin1Char(' '))));
}
