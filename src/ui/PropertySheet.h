#pragma once

#include <QDialog>
#include <QList>

class CPropertyPage;
class QHBoxLayout;
class QPushButton;
class QScrollArea;
class QStackedWidget;
class QTabBar;

// A modal dialog of tabbed pages with a confirm button, fitted to the handheld
// window. The active page's command bar stands along the bottom. Leaving a
// page, by a tab, by setActivePage or by confirming, goes through the page's
// onKillActive, which may refuse. Tabs that do not fit scroll in their strip,
// so every page stays reachable on the narrowest screen.
class CPropertySheet : public QDialog
{
    Q_OBJECT

public:
    // Result code of a sheet ended through endCompleted.
    static constexpr int kCompleted = 2;

    explicit CPropertySheet(const QString &title, QWidget *parent = nullptr);
    ~CPropertySheet() override;

    // The sheet takes the page; pages are shown in the order they are added.
    void addPage(CPropertyPage *page);
    int pageCount() const { return int(m_pages.size()); }
    CPropertyPage *page(int index) const;
    int activeIndex() const { return m_active; }
    CPropertyPage *activePage() const { return page(m_active); }

    // Moves to the page at index; false when the current page refuses to be left
    // or the new page refuses to become active (the current page then stays).
    bool setActivePage(int index);
    void setConfirmText(const QString &text);
    // By default closing the sheet (Escape, the window's close button)
    // confirms it, as editing sheets write back every visited page. A sheet
    // whose confirmation stores a record sets this: closing then ends it as
    // rejected, leaving no page and confirming none.
    void setClosingCancels(bool cancels) { m_closingCancels = cancels; }
    QPushButton *confirmButton() const { return m_confirm; }
    // Shows the first page (when none is active yet) without running a loop,
    // for screens driven by tests and the screenshot tool.
    void activateFirstPage();

    // Leaves the active page and ends the sheet with kCompleted; false when the
    // page refuses to be left.
    bool endCompleted();
    // Leaves the active page, lets every shown page confirm, and accepts.
    bool confirm();

    int exec() override;

    QSize sizeHint() const override;

protected:
    void showEvent(QShowEvent *event) override;
    void reject() override;

private:
    bool finish(int result);
    void fitConfirmWidth();
    void fitTabStrip();
    void onTabChanged(int index);
    bool activate(int index);

    QList<CPropertyPage *> m_pages;
    QTabBar *m_tabs = nullptr;
    QScrollArea *m_tabStrip = nullptr;
    QStackedWidget *m_stack = nullptr;
    QHBoxLayout *m_bottom = nullptr;
    QPushButton *m_confirm = nullptr;
    int m_active = -1;
    bool m_switching = false;
    bool m_closingCancels = false;
};
