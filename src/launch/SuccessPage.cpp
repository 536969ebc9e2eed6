#include "launch/SuccessPage.h"

#include "launch/GetDataDlg.h"
#include "launch/LaunchDlg.h"
#include "ui/PropertySheet.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

CSuccessPage::CSuccessPage(CLaunchDlg &launch, QWidget *parent)
    : CPropertyPage(QStringLiteral("Success"), parent)
    , m_launch(launch)
    , m_runDataDialog([](CGetDataDlg &dialog) { return dialog.exec(); })
{
    auto *notesLabel = new QLabel(QStringLiteral("Notes:"), this);
    notesLabel->setGeometry(8, 6, 100, 18);
    m_notesField = new QPlainTextEdit(this);
    m_notesField->setGeometry(6, 26, 228, 134);
    m_notesField->setTabChangesFocus(true);
    m_notesField->setAccessibleName(QStringLiteral("Notes:"));
    notesLabel->setBuddy(m_notesField);
    m_altimeter = new QCheckBox(QStringLiteral("Add Altimeter data"), this);
    m_altimeter->setGeometry(8, 168, 220, 24);
    m_done = new QPushButton(QStringLiteral("DONE"), this);
    m_done->setGeometry(70, 204, 100, 32);
    connect(m_done, &QPushButton::clicked, this, &CSuccessPage::OnDone);
}

bool CSuccessPage::onSetActive()
{
    loadValues();
    return CPropertyPage::onSetActive();
}

// What was typed stays when the flyer looks at another page.
bool CSuccessPage::onKillActive()
{
    saveValues();
    return CPropertyPage::onKillActive();
}

void CSuccessPage::loadValues()
{
    m_notesField->setPlainText(m_notes);
    m_altimeter->setChecked(m_addAltimeter);
}

void CSuccessPage::saveValues()
{
    m_notes = m_notesField->toPlainText();
    m_addAltimeter = m_altimeter->isChecked();
}

void CSuccessPage::OnDone()
{
    saveValues();
    m_launch.flight().notes = m_notes;
    m_launch.markPageDone(CLaunchDlg::kNotesDone);
    if (m_addAltimeter) {
        // Run without a parent, as a full screen of its own; cancelling keeps the earlier name.
        CGetDataDlg dialog(m_launch.ui().files);
        if (m_runDataDialog(dialog) == QDialog::Accepted)
            m_launch.flight().altFileName = dialog.fileName();
    }
    sheet()->endCompleted();
}
