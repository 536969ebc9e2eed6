#include "checklists/ChecklistPage.h"

#include "checklists/ChecklistText.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
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
        // A check box cannot wrap its text, so the step stands in a label beside it.
        m_boxes[i] = new QCheckBox(this);
        m_boxes[i]->hide();
        m_labels[i] = new QLabel(this);
        m_labels[i]->setWordWrap(true);
        m_labels[i]->setBuddy(m_boxes[i]);
        m_labels[i]->hide();
        m_labels[i]->installEventFilter(this);
        auto *row = new QHBoxLayout;
        row->setSpacing(4);
        row->addWidget(m_boxes[i], 0, Qt::AlignTop);
        row->addWidget(m_labels[i], 1);
        layout->addLayout(row);
    }
    layout->addStretch(1);
}

bool CChecklistPage::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        for (int i = 0; i < kBoxes; ++i) {
            if (watched == m_labels[i] && m_boxes[i]->isEnabled()) {
                m_boxes[i]->toggle();
                return true;
            }
        }
    }
    return CPropertyPage::eventFilter(watched, event);
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
    if (m_source != m_shown) {
        // Another rocket's steps: what was ticked belonged to the old ones.
        m_ticked.fill(false);
        m_shown = m_source;
    }
    m_items = m_source.isEmpty() ? QStringList(kBoxes, QString()) : ParseChecklist(m_source, kBoxes);
    for (int i = 0; i < kBoxes; ++i) {
        const QString &item = m_items.at(i);
        m_labels[i]->setText(item);
        m_boxes[i]->setAccessibleName(item);
        m_boxes[i]->setVisible(!item.isEmpty());
        m_labels[i]->setVisible(!item.isEmpty());
    }
}

void CChecklistPage::clearTicks()
{
    m_ticked.fill(false);
    loadValues();
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
        if (!m_ticked[i] && !m_items.value(i).isEmpty())
            return;
    }
    emit allTicked();
}
