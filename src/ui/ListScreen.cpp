#include "ui/ListScreen.h"

#include "ui/CommandBar.h"
#include "ui/FormFactor.h"
#include "ui/TouchSize.h"

#include <QVBoxLayout>

CListScreen::CListScreen(const QString &title, const QString &objectName, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(title);
    setObjectName(objectName);
}

CCommandBar *CListScreen::addCommandBar()
{
    if (!m_commandBar)
        m_commandBar = new CCommandBar(this);
    return m_commandBar;
}

void CListScreen::setContent(QLayout *content)
{
    // The command bar runs from edge to edge; the content keeps clear of the
    // window's edges, and closer to the bar than to the window's foot.
    content->setContentsMargins(4, 4, 4, m_commandBar ? 2 : 4);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(content, 1);
    if (m_commandBar)
        layout->addWidget(m_commandBar);
    applyFormFactor(this);
    applyTouchSizes(this);
}
