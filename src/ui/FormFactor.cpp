#include "ui/FormFactor.h"

#include "ui/WindowMemory.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLayout>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStringList>
#include <QStyle>
#include <QTableView>
#include <QTreeView>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace {

// Rows a list opens with at most: the rest scroll, however tall the screen.
constexpr int kMostRowsShown = 30;

// What the content of a scroll area that asks to be sized to it needs, whole:
// every column of a list and up to kMostRowsShown rows, or the whole widget of
// a scroll area. Qt stops such an area at 36 by 24 lines of text; a desktop
// window may be larger. Null for an area that does not ask.
QSize wholeContentSize(const QAbstractScrollArea *area)
{
    if (area->sizeAdjustPolicy() == QAbstractScrollArea::AdjustIgnored)
        return {};
    QSize content;
    int rows = 0;
    if (const auto *scroll = qobject_cast<const QScrollArea *>(area); scroll && scroll->widget()) {
        content = scroll->widgetResizable() ? scroll->widget()->sizeHint() : scroll->widget()->size();
    } else if (const auto *table = qobject_cast<const QTableView *>(area)) {
        const QHeaderView *columns = table->horizontalHeader();
        const QHeaderView *lines = table->verticalHeader();
        rows = table->model() ? table->model()->rowCount() : 0;
        const int row = lines->defaultSectionSize();
        content = QSize(columns->length() + (lines->isHidden() ? 0 : lines->width()),
                        (columns->isHidden() ? 0 : columns->height()) + std::min(rows, kMostRowsShown) * row);
    } else if (const auto *tree = qobject_cast<const QTreeView *>(area)) {
        rows = tree->model() ? tree->model()->rowCount(tree->rootIndex()) : 0;
        const int row = std::max(tree->sizeHintForRow(0), tree->fontMetrics().height());
        const QHeaderView *header = tree->header();
        content = QSize(header->length(),
                        (header->isHidden() ? 0 : header->sizeHint().height()) + std::min(rows, kMostRowsShown) * row);
    } else {
        return {};
    }
    const int frame = 2 * area->frameWidth();
    const int bar = rows > kMostRowsShown ? area->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, area) : 0;
    return content + QSize(frame + bar, frame);
}

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
        // The frame the window manager adds must fit on the screen too.
        const QWindow *handle = m_window->windowHandle();
        const QRect available = screen->availableGeometry() - (handle ? handle->frameMargins() : QMargins());
        const FormFactor form = formFactorForWidth(screen->geometry().width());
        CWindowMemory *memory = CWindowMemory::of(m_window);
        const QSize kept = memory ? memory->restore(form) : QSize();
        if (form == FormFactor::Compact) {
            m_window->setMinimumSize(0, 0);
            m_window->setGeometry(screen->geometry());
            m_window->setWindowState(m_window->windowState() | Qt::WindowFullScreen);
        } else {
            m_window->setWindowState(m_window->windowState() & ~Qt::WindowFullScreen);
            const QSize compact = QSize(kCompactWidth, kCompactHeight).boundedTo(available.size());
            m_window->setMinimumSize(m_window->minimumSizeHint().expandedTo(compact).boundedTo(available.size()));
            m_window->setGeometry(desktopGeometry(available, kept));
        }
        if (memory)
            memory->placedAt(m_window->size());
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && event->type() == QEvent::Show)
            place();
        else if (watched == m_window && event->type() == QEvent::Hide)
            if (CWindowMemory *memory = CWindowMemory::of(m_window))
                memory->save();
        return false;
    }

private:
    // kept: the size the window had when it was last closed on a desktop, if
    // it remembers one; it is clamped to the screen, which may have shrunk since.
    QRect desktopGeometry(const QRect &available, QSize kept) const
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
        const QSize content = kept.isValid() ? kept.expandedTo(m_window->minimumSize()) : desktopContentSize(m_window);
        return desktopPlacement(content, available, over);
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

QSize desktopContentSize(QWidget *window)
{
    const QList<QAbstractScrollArea *> areas = window->findChildren<QAbstractScrollArea *>();
    // A size taken at "first show", or kept by the layout, may have been
    // taken before the content came.
    for (QAbstractScrollArea *area : areas) {
        if (area->sizeAdjustPolicy() == QAbstractScrollArea::AdjustToContentsOnFirstShow) {
            area->setSizeAdjustPolicy(QAbstractScrollArea::AdjustIgnored);
            area->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContentsOnFirstShow);
        }
        area->updateGeometry();
    }
    // Nested layouts keep the sizes they measured until told otherwise.
    for (QLayout *layout : window->findChildren<QLayout *>())
        layout->invalidate();
    QSize extra(0, 0);
    for (QAbstractScrollArea *area : areas) {
        if (!area->isVisibleTo(window))
            continue;
        const QSize whole = wholeContentSize(area);
        if (whole.isValid()) {
            // Lists beside each other are rare: widths are not added, heights are.
            const QSize asks = area->sizeHint();
            extra.setWidth(std::max(extra.width(), whole.width() - asks.width()));
            extra.setHeight(extra.height() + std::max(0, whole.height() - asks.height()));
        }
    }
    return window->sizeHint() + extra;
}

void growToContent(QWidget *window)
{
    QScreen *screen = window ? window->screen() : nullptr;
    if (!screen || !window->isVisible() || formFactorOf(window) != FormFactor::Desktop)
        return;
    if (QLayout *layout = window->layout())
        layout->activate();
    const QSize wanted = window->size().expandedTo(desktopContentSize(window));
    if (wanted == window->size())
        return;
    const QWindow *handle = window->windowHandle();
    const QRect available = screen->availableGeometry() - (handle ? handle->frameMargins() : QMargins());
    QRect grown = window->geometry();
    grown.setSize(wanted.boundedTo(available.size()));
    // Still wholly on the screen.
    grown.moveRight(std::min(grown.right(), available.right()));
    grown.moveBottom(std::min(grown.bottom(), available.bottom()));
    grown.moveLeft(std::max(grown.left(), available.left()));
    grown.moveTop(std::max(grown.top(), available.top()));
    window->setGeometry(grown);
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

void rememberWindowState(QWidget *window, CSettingsStore *settings, const QList<QHeaderView *> &headers,
                         const QList<QSplitter *> &splitters)
{
    if (!window)
        return;
    if (!window->findChild<QObject *>(QStringLiteral("formFactorPlacer"), Qt::FindDirectChildrenOnly))
        applyFormFactor(window);
    delete CWindowMemory::of(window);
    new CWindowMemory(window, settings, headers, splitters);
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
