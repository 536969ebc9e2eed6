#include "ui/TouchTargets.h"

#include "ui/FormFactor.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QScreen>
#include <QVariant>
#include <QWidget>

namespace {

// The minimum size a control had before it was raised for a finger.
const char *const kOwnMinimum = "tarvelOwnMinimumSize";

bool isTarget(const QWidget *widget)
{
    return qobject_cast<const QAbstractButton *>(widget) || qobject_cast<const QLineEdit *>(widget)
        || qobject_cast<const QComboBox *>(widget) || qobject_cast<const QAbstractSpinBox *>(widget);
}

void fitTargets(QWidget *window)
{
    const bool touch = isTouchForm(window);
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        // A spin box's or a drop-down's own edit is sized by its control.
        if (!isTarget(widget) || isTarget(widget->parentWidget()))
            continue;
        QVariant own = widget->property(kOwnMinimum);
        if (!own.isValid()) {
            if (!touch)
                continue;
            own = widget->minimumSize();
            widget->setProperty(kOwnMinimum, own);
        }
        QSize minimum = own.toSize();
        if (touch) {
            minimum.setHeight(std::max(minimum.height(), kMinimumTouchSize));
            if (qobject_cast<const QAbstractButton *>(widget))
                minimum.setWidth(std::max(minimum.width(), kMinimumTouchSize));
        }
        widget->setMinimumSize(minimum);
    }
}

// Refits the window's controls each time it is shown: a window may be shown
// on another screen than the last time.
class CTouchTargetKeeper : public QObject
{
public:
    explicit CTouchTargetKeeper(QWidget *window)
        : QObject(window)
        , m_window(window)
    {
        setObjectName(QStringLiteral("touchTargetKeeper"));
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && event->type() == QEvent::Show)
            fitTargets(m_window);
        return false;
    }

private:
    QWidget *m_window;
};

} // namespace

bool isTouchForm(const QWidget *window)
{
    const QScreen *screen = window ? window->screen() : nullptr;
    if (!screen || formFactorOf(window) != FormFactor::Compact)
        return false;
    const QSize size = screen->geometry().size();
    return size.width() > kCompactWidth || size.height() > kCompactHeight;
}

void keepTouchTargets(QWidget *window)
{
    if (!window)
        return;
    new CTouchTargetKeeper(window);
    if (window->isVisible())
        fitTargets(window);
}
