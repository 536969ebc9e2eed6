#include "cli/TerminalProgress.h"

#include <unistd.h>

CTerminalProgress::CTerminalProgress(FILE *stream)
    : m_stream(stream)
    , m_terminal(isatty(fileno(stream)) != 0)
{ }

void CTerminalProgress::showProgress(const QString &text)
{
    m_text = text;
    m_pending = true;
    if (!m_timer.isValid() || m_timer.elapsed() >= 50)
        draw();
}

void CTerminalProgress::finishProgress()
{
    if (m_pending)
        draw();
}

void CTerminalProgress::hideProgress()
{
    if (m_terminal && m_drawn)
        std::fputs("\r\033[K", m_stream);
    m_drawn = false;
    m_pending = false;
}

void CTerminalProgress::draw()
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
