#include "ui/StatusWindow.h"

namespace {
constexpr int kLeft = 45;
constexpr int kTop = 50;
constexpr int kWidth = 150;
constexpr int kHeight = 50;
} // namespace

CStatusWindow::CStatusWindow(QWidget *parent)
    : QLabel(parent)
{
    setObjectName(QStringLiteral("statusWindow"));
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
    setAccessibleName(QStringLiteral("Status"));
    setGeometry(kLeft, kTop, kWidth, kHeight);
    m_text = QStringLiteral("Initializing");
    setText(m_text);
}

void CStatusWindow::moveInto(QWidget *parent)
{
    const bool visible = isVisible();
    if (parentWidget() != parent)
        setParent(parent);
    setGeometry(kLeft, kTop, kWidth, kHeight);
    raise();
    setVisible(visible);
}

void CStatusWindow::paintNow()
{
    m_pending = false;
    // The label lays its text out on every change, so it only sees texts that are drawn.
    if (text() != m_text)
        setText(m_text);
    if (isVisible())
        repaint();
    m_sincePaint.start();
}

void CStatusWindow::showProgress(const QString &text)
{
    m_text = text;
    if (isHidden()) {
        raise();
        show();
        paintNow();
        return;
    }
    m_pending = true;
    if (!m_sincePaint.isValid() || m_sincePaint.elapsed() >= kRepaintIntervalMs)
        paintNow();
}

void CStatusWindow::finishProgress()
{
    if (m_pending)
        paintNow();
}

void CStatusWindow::hideProgress()
{
    if (m_pending)
        setText(m_text);
    m_pending = false;
    hide();
}

void CStatusWindow::paintEvent(QPaintEvent *event)
{
    ++m_paints;
    QLabel::paintEvent(event);
}
