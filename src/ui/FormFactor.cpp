#include "ui/FormFactor.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QStringList>
#include <QWidget>

#include <algorithm>

namespace {

// Places its window whenever it is shown on a screen it was not placed on yet,
// so a window the user resized keeps that size when it is shown again.
class CFormFactorPlacer : public QObject
{
public:
    CFormFactorPlacer(QWidget *window, const QRect &remembered)
        : QObject(window)
        , m_window(window)
        , m_remembered(remembered)
    {
        setObjectName(QStringLiteral("formFactorPlacer"));
        window->installEventFilter(this);
    }

    void place()
    {
        QScreen *screen = m_window->screen();
        if (!screen || screen == m_placedOn)
            return;
        m_placedOn = screen;
        const QRect available = screen->availableGeometry();
        if (formFactorForWidth(screen->geometry().width()) == FormFactor::Compact) {
            m_window->setMinimumSize(0, 0);
            m_window->setGeometry(screen->geometry());
            m_window->setWindowState(m_window->windowState() | Qt::WindowFullScreen);
            return;
        }
        m_window->setWindowState(m_window->windowState() & ~Qt::WindowFullScreen);
        const QSize compact = QSize(kCompactWidth, kCompactHeight).boundedTo(available.size());
        m_window->setMinimumSize(m_window->minimumSizeHint().expandedTo(compact).boundedTo(available.size()));
        m_window->setGeometry(desktopGeometry(available));
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && event->type() == QEvent::Show)
            place();
        return false;
    }

private:
    QRect desktopGeometry(const QRect &available) const
    {
        // The remembered place wins while it lies on a desktop screen, which need
        // not be the one the window was about to open on.
        QScreen *keptOn = m_remembered.isValid() ? QGuiApplication::screenAt(m_remembered.center()) : nullptr;
        if (keptOn && formFactorForWidth(keptOn->geometry().width()) == FormFactor::Desktop) {
            const QRect room = keptOn->availableGeometry();
            QRect kept = m_remembered;
            kept.setSize(kept.size().expandedTo(m_window->minimumSize()).boundedTo(room.size()));
            return desktopPlacement(kept.size(), room, kept);
        }
        QRect over;
        if (QWidget *parent = m_window->parentWidget(); parent && parent->window()->isVisible())
            over = parent->window()->frameGeometry();
        return desktopPlacement(m_window->sizeHint(), available, over);
    }

    QWidget *m_window;
    QRect m_remembered;
    QPointer<QScreen> m_placedOn;
};

} // namespace

FormFactor formFactorForWidth(int logicalWidth)
{
    return logicalWidth < kDesktopMinimumWidth ? FormFactor::Compact : FormFactor::Desktop;
}

FormFactor formFactorOf(const QWidget *window)
{
    const QScreen *screen = window ? window->screen() : QGuiApplication::primaryScreen();
    return screen ? formFactorForWidth(screen->geometry().width()) : FormFactor::Desktop;
}

QRect desktopPlacement(QSize content, const QRect &available, const QRect &over)
{
    const QSize size = content.expandedTo(QSize(kCompactWidth, kCompactHeight)).boundedTo(available.size());
    QRect placed(QPoint(0, 0), size);
    placed.moveCenter(over.isValid() ? over.center() : available.center());
    // Keep the whole window on the screen, its top-left corner above all.
    placed.moveRight(std::min(placed.right(), available.right()));
    placed.moveBottom(std::min(placed.bottom(), available.bottom()));
    placed.moveLeft(std::max(placed.left(), available.left()));
    placed.moveTop(std::max(placed.top(), available.top()));
    return placed;
}

void applyFormFactor(QWidget *window, const QRect &remembered)
{
    if (!window)
        return;
    // A screen that used to fix its size is free to grow.
    window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    window->setMinimumSize(0, 0);
    auto *placer = new CFormFactorPlacer(window, remembered);
    if (window->isVisible())
        placer->place();
    else
        window->resize(window->sizeHint().expandedTo(QSize(kCompactWidth, kCompactHeight)));
}

QString windowGeometryText(const QRect &geometry)
{
    return QStringLiteral("%1,%2,%3,%4")
        .arg(geometry.x())
        .arg(geometry.y())
        .arg(geometry.width())
        .arg(geometry.height());
}

QRect windowGeometryFromText(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return {};
    int values[4] = {};
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        values[i] = parts.at(i).trimmed().toInt(&ok);
        if (!ok)
            return {};
    }
    if (values[2] <= 0 || values[3] <= 0)
        return {};
    return {values[0], values[1], values[2], values[3]};
}
