#include "ui/TouchSize.h"

#include "ui/FormFactor.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QScreen>
#include <QToolButton>
#include <QWidget>

namespace {

// The minimum a control had before it was enlarged, kept on the control.
constexpr char kOwnMinimum[] = "tarvelOwnMinimumSize";

bool isTouchControl(const QWidget *widget)
{
    return qobject_cast<const QAbstractButton *>(widget) || qobject_cast<const QLineEdit *>(widget)
        || qobject_cast<const QComboBox *>(widget) || qobject_cast<const QAbstractSpinBox *>(widget);
}

void sizeControls(QWidget *window)
{
    const int touch = minimumTouchSize(window);
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        if (!isTouchControl(widget) || widget->window() != window)
            continue;
        // A combo box's or spin box's own edit is sized by its control.
        if (widget->parentWidget() && isTouchControl(widget->parentWidget()))
            continue;
        QVariant own = widget->property(kOwnMinimum);
        if (!own.isValid()) {
            own = widget->minimumSize();
            widget->setProperty(kOwnMinimum, own);
        }
        QSize minimum = own.toSize();
        minimum.setHeight(std::max(minimum.height(), touch));
        // Arrow buttons have no text to widen them: they are square.
        if (qobject_cast<QToolButton *>(widget))
            minimum.setWidth(std::max(minimum.width(), touch));
        widget->setMinimumSize(minimum);
    }
}

class CTouchSizer : public QObject
{
public:
    explicit CTouchSizer(QWidget *window)
        : QObject(window)
        , m_window(window)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && (event->type() == QEvent::Show || event->type() == QEvent::ScreenChangeInternal))
            sizeControls(m_window);
        return false;
    }

private:
    QWidget *m_window;
};

} // namespace

int minimumTouchSize(const QWidget *window)
{
    const QScreen *screen = window ? window->screen() : nullptr;
    if (!screen || formFactorOf(window) != FormFactor::Compact)
        return 0;
    const QSize size = screen->geometry().size();
    const bool handheld = size.width() <= kCompactWidth && size.height() <= kCompactHeight;
    return handheld ? 0 : kMinimumTouchSize;
}

void applyTouchSizes(QWidget *window)
{
    if (!window)
        return;
    new CTouchSizer(window);
    if (window->isVisible())
        sizeControls(window);
}
