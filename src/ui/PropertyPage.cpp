#include "ui/PropertyPage.h"

#include "ui/CommandBar.h"

CPropertyPage::CPropertyPage(const QString &title, QWidget *parent)
    : QWidget(parent)
    , m_title(title)
{
    setAccessibleName(title);
}

CPropertyPage::~CPropertyPage()
{
    // The bar lives in the sheet's bottom area, not inside the page.
    delete m_commandBar.data();
}

bool CPropertyPage::onSetActive()
{
    if (m_commandBar)
        m_commandBar->show();
    return true;
}

bool CPropertyPage::onKillActive()
{
    if (m_commandBar)
        m_commandBar->hide();
    return true;
}

CCommandBar *CPropertyPage::createCommandBar()
{
    if (!m_commandBar) {
        m_commandBar = new CCommandBar;
        m_commandBar->hide();
    }
    return m_commandBar;
}

void CPropertyPage::initialiseOnce()
{
    if (m_initialised)
        return;
    m_initialised = true;
    onInitDialog();
}
