#include "launch/FailurePage.h"

#include "launch/LaunchDlg.h"
#include "platform/SettingsStore.h"
#include "ui/PropertySheet.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QVBoxLayout>

CFailurePage::CFailurePage(CLaunchDlg &launch, QWidget *parent)
    : CPropertyPage(QStringLiteral("Failure"), parent)
    , m_launch(launch)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->setSpacing(2);
    for (int i = 0; i < kFailureCauses; ++i) {
        m_boxes[i] = new QCheckBox(this);
        // A long cause is cut to the page's width, not the page widened to it.
        m_boxes[i]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        m_boxes[i]->hide();
        layout->addWidget(m_boxes[i]);
    }
    auto *notesLabel = new QLabel(QStringLiteral("Notes:"), this);
    m_notesField = new QPlainTextEdit(this);
    m_notesField->setTabChangesFocus(true);
    m_notesField->setAccessibleName(QStringLiteral("Notes:"));
    notesLabel->setBuddy(m_notesField);
    m_done = new QPushButton(QStringLiteral("DONE"), this);
    m_done->setMinimumWidth(100);
    layout->addSpacing(4);
    layout->addWidget(notesLabel);
    layout->addWidget(m_notesField, 1);
    layout->addWidget(m_done, 0, Qt::AlignHCenter);
    connect(m_done, &QPushButton::clicked, this, &CFailurePage::OnDone);
}

void CFailurePage::onInitDialog()
{
    const QStringList causes =
        failureCauses(m_launch.settings().ReadSetting(QString::fromLatin1(kSettingFailureChecklist)));
    for (int i = 0; i < kFailureCauses; ++i) {
        const QString cause = causes.value(i);
        m_boxes[i]->setToolTip(cause);
        m_boxes[i]->setAccessibleName(cause);
        m_boxes[i]->setProperty("cause", cause);
        m_boxes[i]->setVisible(!cause.isEmpty());
    }
    showCauses();
    // Starts from the notes carried over from the last flight.
    m_notes = m_launch.flight().notes;
    loadValues();
}

bool CFailurePage::onSetActive()
{
    loadValues();
    return CPropertyPage::onSetActive();
}

// What was typed stays when the flyer looks at another page, and is the
// flight's however the sheet is then confirmed.
bool CFailurePage::onKillActive()
{
    saveValues();
    m_launch.flight().notes = flightNotes();
    return CPropertyPage::onKillActive();
}

QString CFailurePage::flightNotes() const
{
    QStringList causes;
    for (QCheckBox *box : m_boxes)
        causes << box->property("cause").toString();
    return buildFailureNotes(causes, m_ticked, m_notes);
}

void CFailurePage::loadValues()
{
    for (int i = 0; i < kFailureCauses; ++i)
        m_boxes[i]->setChecked(m_ticked[i]);
    m_notesField->setPlainText(m_notes);
}

void CFailurePage::saveValues()
{
    for (int i = 0; i < kFailureCauses; ++i)
        m_ticked[i] = m_boxes[i]->isChecked();
    m_notes = m_notesField->toPlainText();
}

void CFailurePage::OnDone()
{
    saveValues();
    m_launch.flight().notes = flightNotes();
    m_launch.markPageDone(CLaunchDlg::kNotesDone);
    sheet()->endCompleted();
}

void CFailurePage::showCauses()
{
    // The room beside the tick mark; the whole cause stays in the tooltip.
    const int room = std::max(40, width() - 36);
    for (QCheckBox *box : m_boxes)
        box->setText(box->fontMetrics().elidedText(box->property("cause").toString(), Qt::ElideRight, room));
}

void CFailurePage::resizeEvent(QResizeEvent *event)
{
    CPropertyPage::resizeEvent(event);
    showCauses();
}
