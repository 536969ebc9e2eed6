#include "support/LayoutAudit.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QGraphicsTextItem>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionViewItem>
#include <QTabBar>
#include <QTest>
#include <QTextEdit>
#include <QtCharts/QChartView>
#include <QtCharts/QValueAxis>

#include <algorithm>

namespace {

// Rows looked at per list: enough for every row a screen shows at once.
constexpr int kRowsChecked = 200;

QString describe(const QWidget *widget)
{
    QString text;
    if (auto *label = qobject_cast<const QLabel *>(widget))
        text = label->text();
    else if (auto *button = qobject_cast<const QAbstractButton *>(widget))
        text = button->text();
    if (text.isEmpty())
        text = widget->accessibleName();
    if (text.isEmpty())
        text = widget->objectName();
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (text.size() > 40)
        text = text.left(39) + QChar(0x2026);
    return QStringLiteral("%1 \"%2\"").arg(QLatin1String(widget->metaObject()->className()), text);
}

QString describe(const QRect &rect)
{
    return QStringLiteral("%1x%2 at %3,%4").arg(rect.width()).arg(rect.height()).arg(rect.x()).arg(rect.y());
}

QRect rectIn(const QWidget *window, const QWidget *widget)
{
    return {widget->mapTo(window, QPoint(0, 0)), widget->size()};
}

// Content a scroll area moves about: it may lie anywhere, the area shows it.
bool isScrolled(const QWidget *window, const QWidget *widget)
{
    for (const QWidget *parent = widget->parentWidget(); parent && parent != window; parent = parent->parentWidget()) {
        if (auto *area = qobject_cast<const QAbstractScrollArea *>(parent->parentWidget());
            area && area->viewport() == parent)
            return true;
    }
    return false;
}

bool isInteractive(const QWidget *widget)
{
    return qobject_cast<const QAbstractButton *>(widget) || qobject_cast<const QLineEdit *>(widget)
        || qobject_cast<const QAbstractSpinBox *>(widget) || qobject_cast<const QComboBox *>(widget)
        || qobject_cast<const QAbstractItemView *>(widget) || qobject_cast<const QTextEdit *>(widget)
        || qobject_cast<const QPlainTextEdit *>(widget) || qobject_cast<const QAbstractSlider *>(widget)
        || qobject_cast<const QTabBar *>(widget);
}

// Parts of a control (a spin box's edit, a list's scroll bars) are the control's business.
bool insideAnotherControl(const QWidget *window, const QWidget *widget)
{
    for (const QWidget *parent = widget->parentWidget(); parent && parent != window; parent = parent->parentWidget()) {
        if (isInteractive(parent))
            return true;
    }
    return false;
}

void auditLabel(const QLabel *label, QStringList &faults)
{
    if (label->text().isEmpty() || !label->pixmap().isNull())
        return;
    const QRect room = label->contentsRect();
    if (label->wordWrap()) {
        const int needed = label->heightForWidth(label->width());
        if (needed > label->height())
            faults << QStringLiteral("%1 needs %2 px of height, has %3")
                          .arg(describe(label))
                          .arg(needed)
                          .arg(label->height());
        const QStringList words = label->text().split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        for (const QString &word : words) {
            const int width = label->fontMetrics().horizontalAdvance(word);
            if (width > room.width())
                faults << QStringLiteral("%1: the word \"%2\" needs %3 px, has %4")
                              .arg(describe(label), word)
                              .arg(width)
                              .arg(room.width());
        }
        return;
    }
    const QSize needed = label->sizeHint();
    if (needed.width() > label->width() || needed.height() > label->height())
        faults << QStringLiteral("%1 needs %2x%3 px, has %4x%5")
                      .arg(describe(label))
                      .arg(needed.width())
                      .arg(needed.height())
                      .arg(label->width())
                      .arg(label->height());
}

QStyleOptionViewItem cellOption(const QAbstractItemView *view)
{
    QStyleOptionViewItem option;
    option.initFrom(view);
    option.widget = view;
    option.font = view->font();
    option.fontMetrics = view->fontMetrics();
    const int icon = view->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, view);
    option.decorationSize = view->iconSize().isValid() ? view->iconSize() : QSize(icon, icon);
    option.decorationPosition = QStyleOptionViewItem::Left;
    option.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    option.textElideMode = view->textElideMode();
    return option;
}

// Every shown cell is at least as wide as the delegate wants it for its text.
void auditCells(const QAbstractItemView *view, const QString &what, QStringList &faults)
{
    const QAbstractItemModel *model = view->model();
    if (!model)
        return;
    const QStyleOptionViewItem option = cellOption(view);
    const QModelIndex root = view->rootIndex();
    const int rows = std::min(model->rowCount(root), kRowsChecked);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < model->columnCount(root); ++column) {
            const QModelIndex index = model->index(row, column, root);
            const QRect cell = view->visualRect(index);
            if (cell.isEmpty() || model->data(index).toString().isEmpty())
                continue;
            const int needed = view->itemDelegateForIndex(index)->sizeHint(option, index).width();
            if (needed > cell.width()) {
                faults << QStringLiteral("%1: \"%2\" needs %3 px, the cell has %4")
                              .arg(what, model->data(index).toString())
                              .arg(needed)
                              .arg(cell.width());
            }
        }
    }
}

void auditComboBox(QComboBox *combo, QStringList &faults)
{
    if (!combo->isEditable() && !combo->currentText().isEmpty()) {
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = false;
        option.frame = combo->hasFrame();
        option.currentText = combo->currentText();
        const QRect field =
            combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
        const int needed = combo->fontMetrics().horizontalAdvance(combo->currentText());
        if (needed > field.width())
            faults << QStringLiteral("%1 shows \"%2\" in %3 px, it needs %4")
                          .arg(describe(combo), combo->currentText())
                          .arg(field.width())
                          .arg(needed);
    }
    if (combo->count() == 0)
        return;
    // The entries are measured in the drop-down the flyer would see.
    combo->showPopup();
    QWidget *popup = combo->view()->window();
    if (!QTest::qWaitForWindowExposed(popup))
        faults << QStringLiteral("%1: the drop-down does not open").arg(describe(combo));
    auditCells(combo->view(), describe(combo) + QStringLiteral(" drop-down"), faults);
    combo->hidePopup();
    if (!QTest::qWaitFor([popup] { return !popup->isVisible(); }))
        faults << QStringLiteral("%1: the drop-down does not close").arg(describe(combo));
}

// Every column of a list in sight, each at least as wide as its heading.
void auditColumns(const QHeaderView *header, const QString &what, QStringList &faults)
{
    const QAbstractItemModel *model = header->model();
    if (!model)
        return;
    const int room = header->viewport()->width();
    for (int section = 0; section < header->count(); ++section) {
        if (header->isSectionHidden(section))
            continue;
        const QString heading = model->headerData(section, Qt::Horizontal).toString();
        const int left = header->sectionViewportPosition(section);
        const int width = header->sectionSize(section);
        // The heading's text with the style's margins, as the header measures it.
        const int needed = header->fontMetrics().horizontalAdvance(heading)
            + 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
        if (left < 0 || left + width > room)
            faults << QStringLiteral("%1: column \"%2\" (%3 px at %4) is cut by the list's edge at %5 px")
                          .arg(what, heading)
                          .arg(width)
                          .arg(left)
                          .arg(room);
        else if (needed > width)
            faults << QStringLiteral("%1: column \"%2\" needs %3 px for its heading, it has %4")
                          .arg(what, heading)
                          .arg(needed)
                          .arg(width);
    }
}

// Every text a plot draws (titles, tick labels, legend) whole: Qt Charts ends
// a text it has no room for with "...".
void auditPlot(const QChartView *plot, const QString &what, QStringList &faults)
{
    if (!plot->scene())
        return;
    for (const QGraphicsItem *item : plot->scene()->items()) {
        const auto *text = dynamic_cast<const QGraphicsTextItem *>(item);
        if (!text || !text->isVisible())
            continue;
        const QString shown = text->toPlainText();
        if (shown.contains(QStringLiteral("...")) || shown.contains(QChar(0x2026)))
            faults << QStringLiteral("%1: \"%2\" is cut short").arg(what, shown);
    }
}

// A tab of a strip that scrolls lies inside the strip's view, not scrolled away.
void auditScrolledTabs(const QWidget *window, const QTabBar *tabs, QStringList &faults)
{
    const auto *view = tabs->parentWidget();
    const QRect shown = rectIn(window, view);
    for (int i = 0; i < tabs->count(); ++i) {
        const QRect tab = tabs->tabRect(i).translated(rectIn(window, tabs).topLeft());
        if (tabs->isTabVisible(i) && !shown.contains(tab))
            faults << QStringLiteral("tab \"%1\" (%2) is scrolled out of sight (%3)")
                          .arg(tabs->tabText(i), describe(tab), describe(shown));
    }
}

} // namespace

QStringList auditDesktopFit(QWidget *window)
{
    QStringList faults;
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        if (widget->isWindow() || !widget->isVisible() || widget->size().isEmpty())
            continue;
        if (auto *header = qobject_cast<QHeaderView *>(widget); header && header->orientation() == Qt::Horizontal)
            auditColumns(header, describe(header->parentWidget()), faults);
        else if (auto *plot = qobject_cast<QChartView *>(widget))
            auditPlot(plot, describe(plot), faults);
        else if (auto *tabs = qobject_cast<QTabBar *>(widget); tabs && isScrolled(window, tabs))
            auditScrolledTabs(window, tabs, faults);
    }
    return faults;
}

QStringList auditLayout(QWidget *window, bool checkElision)
{
    QStringList faults;
    const QRect inside = window->rect();
    QList<QWidget *> controls;
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        if (widget->isWindow() || !widget->isVisible() || widget->size().isEmpty())
            continue;
        if (isScrolled(window, widget))
            continue;
        const QRect rect = rectIn(window, widget);
        if (!inside.contains(rect))
            faults << QStringLiteral("%1 (%2) lies outside the window (%3x%4)")
                          .arg(describe(widget), describe(rect))
                          .arg(inside.width())
                          .arg(inside.height());
        if (isInteractive(widget) && !insideAnotherControl(window, widget))
            controls.append(widget);

        if (auto *tabs = qobject_cast<QTabBar *>(widget)) {
            for (int i = 0; i < tabs->count(); ++i) {
                const QRect tab = tabs->tabRect(i);
                if (!tabs->isTabVisible(i))
                    continue;
                if (!tabs->rect().contains(tab) || !inside.contains(tab.translated(rect.topLeft())))
                    faults << QStringLiteral("tab \"%1\" (%2) is not wholly inside its bar (%3)")
                                  .arg(tabs->tabText(i), describe(tab.translated(rect.topLeft())), describe(rect));
            }
        }
        if (!checkElision)
            continue;
        if (auto *label = qobject_cast<QLabel *>(widget))
            auditLabel(label, faults);
        else if (auto *combo = qobject_cast<QComboBox *>(widget))
            auditComboBox(combo, faults);
        else if (auto *view = qobject_cast<QAbstractItemView *>(widget))
            auditCells(view, describe(view), faults);
    }
    for (int i = 0; i < controls.size(); ++i) {
        for (int j = i + 1; j < controls.size(); ++j) {
            const QRect a = rectIn(window, controls[i]);
            const QRect b = rectIn(window, controls[j]);
            if (a.intersects(b))
                faults << QStringLiteral("%1 (%2) overlaps %3 (%4)")
                              .arg(describe(controls[i]), describe(a), describe(controls[j]), describe(b));
        }
    }
    return faults;
}

QStringList auditOnReferenceScreens(QWidget *window, QString *skipped)
{
    QStringList faults;
    for (const CReferenceScreenInfo &info : referenceScreens()) {
        if (!showOnReferenceScreen(window, info.screen)) {
            if (skipped)
                *skipped = QStringLiteral("the %1 reference screen is not available").arg(QLatin1String(info.suffix));
            return {};
        }
        const bool roomy = info.screen != ReferenceScreen::Compact;
        QStringList found = auditLayout(window, roomy);
        if (info.screen == ReferenceScreen::Desktop)
            found += auditDesktopFit(window);
        for (const QString &fault : std::as_const(found))
            faults << QLatin1String(info.suffix) + QStringLiteral(": ") + fault;
    }
    window->hide();
    return faults;
}
