#include "ui/StatusWindow.h"

#include <QEvent>

#include <algorithm>

namespace {
// The handheld's box: 150x50 pixels, 50 below the top of a 240-wide window.
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
    setWordWrap(true);
    m_text = QStringLiteral("Initializing");
    setText(m_text);
    followOwner();
}

void CStatusWindow::moveInto(QWidget *parent)
{
    const bool visible = isVisible();
    if (parentWidget() != parent)
        setParent(parent);
    followOwner();
    raise();
    setVisible(visible);
}

void CStatusWindow::followOwner()
{
    if (m_owner == parentWidget())
        return;
    if (m_owner)
        m_owner->removeEventFilter(this);
    m_owner = parentWidget();
    if (m_owner)
        m_owner->installEventFilter(this);
    place();
}

void CStatusWindow::place()
{
    QWidget *owner = parentWidget();
    if (!owner)
        return;
    // At least the handheld's box, wider for a longer text, never wider than the owner.
    const int natural = fontMetrics().boundingRect(QRect(), Qt::AlignCenter, text()).width() + 2 * frameWidth()
        + 2 * margin() + fontMetrics().averageCharWidth();
    const int width = std::min(std::max(kWidth, natural), owner->width());
    const int height = std::max(kHeight, heightForWidth(width));
    setGeometry((owner->width() - width) / 2, kTop, width, height);
}

bool CStatusWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_owner && event->type() == QEvent::Resize)
        place();
    return QLabel::eventFilter(watched, event);
}

void CStatusWindow::paintNow()
{
    m_pending = false;
    // The label lays its text out on every change, so it only sees texts that are drawn.
    if (text() != m_text) {
        setText(m_text);
        place();
    }
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
