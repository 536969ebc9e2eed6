#pragma once

#include "ui/CommandBar.h"

#include <QPointer>
#include <QWidget>

class CPropertySheet;

// One page of a property sheet. The sheet calls onInitDialog the first time the
// page is shown, onSetActive each time it becomes the active page and
// onKillActive each time it is left (or the sheet is confirmed); either may
// refuse by returning false. Values move between the controls and the page's
// fields only when the page asks: loadValues shows the fields, saveValues reads
// the controls back.
class CPropertyPage : public QWidget
{
    Q_OBJECT

public:
    explicit CPropertyPage(const QString &title, QWidget *parent = nullptr);
    ~CPropertyPage() override;

    QString title() const { return m_title; }
    CPropertySheet *sheet() const { return m_sheet; }
    // The bar along the bottom that belongs to this page; null for pages without one.
    CCommandBar *commandBar() const { return m_commandBar; }
    bool isInitialised() const { return m_initialised; }

    virtual void onInitDialog() { }
    // The base shows the page's command bar; a refusal keeps the previous page.
    virtual bool onSetActive();
    // The base hides the page's command bar; a refusal keeps this page active.
    virtual bool onKillActive();
    // Called on every page that has been shown when the sheet is confirmed,
    // after the active page was left.
    virtual void onConfirm() { }

    virtual void loadValues() { }
    virtual void saveValues() { }

protected:
    // Creates this page's command bar; the sheet places it and shows it only
    // while the page is active.
    CCommandBar *createCommandBar();

private:
    friend class CPropertySheet;
    void attach(CPropertySheet *sheet) { m_sheet = sheet; }
    void initialiseOnce();

    QString m_title;
    CPropertySheet *m_sheet = nullptr;
    // The bar lives in the sheet, which may delete it before the page.
    QPointer<CCommandBar> m_commandBar;
    bool m_initialised = false;
};
