#include "checklists/ChecklistPage.h"

#include "checklists/ChecklistText.h"

#include <QCheckBox>
#include <QPushButton>
#include <QVBoxLayout>

CChecklistPage::CChecklistPage(const QString &source, QWidget *parent)
    : CPropertyPage(QStringLiteral("Checklist"), parent)
    , m_source(source)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    for (int i = 0; i < kBoxes; ++i) {
        m_boxes[i] = new QCheckBox(this);
        m_boxes[i]->hide();
        layout->addWidget(m_boxes[i]);
    }
    layout->addStretch(1);
}

bool CChecklistPage::onSetActive()
{
    fillBoxes();
    loadValues();
    return CPropertyPage::onSetActive();
}

bool CChecklistPage::onKillActive()
{
    // The ticks stay for the next visit.
    saveValues();
    return CPropertyPage::onKillActive();
}

void CChecklistPage::fillBoxes()
{
    const QStringList items = m_source.isEmpty() ? QStringList(kBoxes, QString()) : ParseChecklist(m_source, kBoxes);
    for (int i = 0; i < kBoxes; ++i) {
        // Long steps are shortened with an ellipsis; the whole text stays readable as the tool tip.
        const QString item = items.at(i);
        m_boxes[i]->setText(m_boxes[i]->fontMetrics().elidedText(item, Qt::ElideRight, 200));
        m_boxes[i]->setToolTip(item);
        m_boxes[i]->setAccessibleName(item);
        m_boxes[i]->setVisible(!item.isEmpty());
    }
}

void CChecklistPage::loadValues()
{
    for (int i = 0; i < kBoxes; ++i)
        m_boxes[i]->setChecked(m_ticked[i]);
}

void CChecklistPage::saveValues()
{
    for (int i = 0; i < kBoxes; ++i)
        m_ticked[i] = m_boxes[i]->isChecked();
}

QPushButton *CChecklistPage::addNextButton()
{
    if (m_next)
        return m_next;
    m_next = new QPushButton(QStringLiteral("NEXT"), this);
    layout()->addWidget(m_next);
    connect(m_next, &QPushButton::clicked, this, &CChecklistPage::OnNext);
    return m_next;
}

void CChecklistPage::OnNext()
{
    saveValues();
    for (int i = 0; i < kBoxes; ++i) {
        if (!m_ticked[i] && !m_boxes[i]->text().isEmpty())
            return;
    }
    emit allTicked();
}
