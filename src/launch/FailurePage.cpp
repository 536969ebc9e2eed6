#include "launch/FailurePage.h"

#include "launch/LaunchDlg.h"
#include "platform/SettingsStore.h"
#include "ui/PropertySheet.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

CFailurePage::CFailurePage(CLaunchDlg &launch, QWidget *parent)
    : CPropertyPage(QStringLiteral("Failure"), parent)
    , m_launch(launch)
{
    for (int i = 0; i < kFailureCauses; ++i) {
        m_boxes[i] = new QCheckBox(this);
        m_boxes[i]->setGeometry(8, 4 + 24 * i, 224, 22);
        m_boxes[i]->hide();
    }
    auto *notesLabel = new QLabel(QStringLiteral("Notes:"), this);
    notesLabel->setGeometry(8, 126, 100, 18);
    m_notesField = new QPlainTextEdit(this);
    m_notesField->setGeometry(6, 146, 228, 54);
    m_notesField->setTabChangesFocus(true);
    m_notesField->setAccessibleName(QStringLiteral("Notes:"));
    notesLabel->setBuddy(m_notesField);
    m_done = new QPushButton(QStringLiteral("DONE"), this);
    m_done->setGeometry(70, 206, 100, 32);
    connect(m_done, &QPushButton::clicked, this, &CFailurePage::OnDone);
}

void CFailurePage::onInitDialog()
{
    const QStringList causes =
        failureCauses(m_launch.settings().ReadSetting(QString::fromLatin1(kSettingFailureChecklist)));
    for (int i = 0; i < kFailureCauses; ++i) {
        const QString cause = causes.value(i);
        m_boxes[i]->setText(m_boxes[i]->fontMetrics().elidedText(cause, Qt::ElideRight, 200));
        m_boxes[i]->setToolTip(cause);
        m_boxes[i]->setAccessibleName(cause);
        m_boxes[i]->setProperty("cause", cause);
        m_boxes[i]->setVisible(!cause.isEmpty());
    }
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
