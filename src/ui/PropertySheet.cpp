#include "ui/PropertySheet.h"

#include "ui/CommandBar.h"
#include "ui/FormFactor.h"
#include "ui/PropertyPage.h"
#include "ui/TouchSize.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QScroller>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

#include <algorithm>

CPropertySheet::CPropertySheet(const QString &title, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(title);
    m_tabs = new QTabBar(this);
    m_tabs->setExpanding(false);
    // Tabs that do not fit the width (the seven steps of a wizard on a narrow
    // screen) scroll in a strip of their own rather than spill past the
    // window's edge or under OK; the current tab is always brought into view.
    m_tabs->setUsesScrollButtons(false);
    m_tabs->setElideMode(Qt::ElideNone);
    m_tabs->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 3px 5px; }"));
    m_tabs->setDrawBase(true);
    m_tabs->setAccessibleName(QStringLiteral("Pages"));
    m_tabStrip = new QScrollArea(this);
    m_tabStrip->setFrameShape(QFrame::NoFrame);
    m_tabStrip->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_tabStrip->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_tabStrip->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_tabStrip->setWidget(m_tabs);
    QScroller::grabGesture(m_tabStrip->viewport(), QScroller::TouchGesture);
    m_stack = new QStackedWidget(this);
    m_confirm = new QPushButton(QStringLiteral("OK"), this);
    m_confirm->setAutoDefault(false);
    fitConfirmWidth();

    // The confirm button stands at the end of the tab row, like the OK of a
    // handheld caption, so that the bottom row belongs to the page's commands.
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *top = new QHBoxLayout;
    top->setContentsMargins(0, 0, 1, 0);
    top->setSpacing(2);
    top->addWidget(m_tabStrip, 1, Qt::AlignBottom);
    top->addWidget(m_confirm);
    layout->addLayout(top);
    layout->addWidget(m_stack, 1);
    m_bottom = new QHBoxLayout;
    m_bottom->setContentsMargins(0, 0, 0, 0);
    m_bottom->setSpacing(0);
    layout->addLayout(m_bottom);
    applyFormFactor(this);
    applyTouchSizes(this);

    connect(m_tabs, &QTabBar::currentChanged, this, &CPropertySheet::onTabChanged);
    connect(m_confirm, &QPushButton::clicked, this, &CPropertySheet::confirm);
}

CPropertySheet::~CPropertySheet() = default;

void CPropertySheet::addPage(CPropertyPage *page)
{
    page->attach(this);
    m_pages.append(page);
    m_stack->addWidget(page);
    if (CCommandBar *bar = page->commandBar()) {
        bar->hide();
        m_bottom->addWidget(bar);
        bar->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }
    m_switching = true;
    m_tabs->addTab(page->title());
    m_switching = false;
    // A hidden tab bar does not tell the layout that it grew; the sheet may
    // have been measured already, before it had any tab.
    m_tabs->updateGeometry();
    fitTabStrip();
}

CPropertyPage *CPropertySheet::page(int index) const
{
    return index >= 0 && index < m_pages.size() ? m_pages.at(index) : nullptr;
}

void CPropertySheet::setConfirmText(const QString &text)
{
    m_confirm->setText(text);
    fitConfirmWidth();
}

QSize CPropertySheet::sizeHint() const
{
    // Wide enough for every tab beside OK: on a desktop none scrolls out of sight.
    const QSize tabs = m_tabs->sizeHint();
    return QDialog::sizeHint().expandedTo(QSize(tabs.width() + m_confirm->width() + 4, 0));
}

void CPropertySheet::fitTabStrip()
{
    m_tabs->resize(m_tabs->sizeHint());
    // Room for the scroll bar is kept, so the pages do not jump when it comes and goes.
    m_tabStrip->setFixedHeight(m_tabs->height() + m_tabStrip->horizontalScrollBar()->sizeHint().height());
}

void CPropertySheet::fitConfirmWidth()
{
    // No wider than its text needs: the command bar beside it needs the room.
    m_confirm->setFixedWidth(std::max(40, m_confirm->fontMetrics().horizontalAdvance(m_confirm->text()) + 18));
}

bool CPropertySheet::activate(int index)
{
    CPropertyPage *next = page(index);
    if (!next)
        return false;
    // A page's command bar is made in its initialisation; place it on first show.
    next->initialiseOnce();
    if (CCommandBar *bar = next->commandBar(); bar && m_bottom->indexOf(bar) < 0) {
        bar->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        m_bottom->addWidget(bar);
    }
    if (!next->onSetActive())
        return false;
    m_active = index;
    m_stack->setCurrentWidget(next);
    m_switching = true;
    m_tabs->setCurrentIndex(index);
    m_switching = false;
    m_tabStrip->ensureVisible(m_tabs->tabRect(index).center().x(), 0, m_tabs->tabRect(index).width() / 2 + 1, 0);
    return true;
}

bool CPropertySheet::setActivePage(int index)
{
    if (!page(index))
        return false;
    if (index == m_active)
        return true;
    const int previous = m_active;
    if (CPropertyPage *current = activePage(); current && !current->onKillActive())
        return false;
    if (activate(index))
        return true;
    // The new page refused: the one that was left becomes active again.
    if (previous >= 0)
        activate(previous);
    return false;
}

void CPropertySheet::onTabChanged(int index)
{
    if (m_switching)
        return;
    if (!setActivePage(index)) {
        m_switching = true;
        m_tabs->setCurrentIndex(m_active);
        m_switching = false;
    }
}

void CPropertySheet::activateFirstPage()
{
    if (m_active < 0 && !m_pages.isEmpty())
        activate(0);
}

void CPropertySheet::showEvent(QShowEvent *event)
{
    // On a phone the tabs and their scroll arrows are fingertip-sized.
    const int touch = minimumTouchSize(this);
    QString style = QStringLiteral("QTabBar::tab { padding: 3px 5px; }");
    if (touch > 0)
        style = QStringLiteral("QTabBar::tab { padding: 3px 8px; min-height: %1px; }"
                               " QTabBar::scroller { width: %2px; }")
                    .arg(touch - 6)
                    .arg(2 * touch);
    if (m_tabs->styleSheet() != style) {
        m_tabs->setStyleSheet(style);
        fitTabStrip();
    }
    activateFirstPage();
    QDialog::showEvent(event);
}

int CPropertySheet::exec()
{
    activateFirstPage();
    return QDialog::exec();
}

bool CPropertySheet::finish(int result)
{
    if (CPropertyPage *current = activePage(); current && !current->onKillActive())
        return false;
    for (CPropertyPage *shown : m_pages) {
        if (shown->isInitialised())
            shown->onConfirm();
    }
    m_active = -1;
    done(result);
    return true;
}

bool CPropertySheet::confirm()
{
    return finish(QDialog::Accepted);
}

bool CPropertySheet::endCompleted()
{
    return finish(kCompleted);
}

void CPropertySheet::reject()
{
    if (m_closingCancels) {
        m_active = -1;
        QDialog::reject();
        return;
    }
    // There is no cancel on the handheld: closing an editing sheet confirms it.
    confirm();
}
