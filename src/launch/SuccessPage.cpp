#include "launch/SuccessPage.h"

#include "launch/GetDataDlg.h"
#include "launch/LaunchDlg.h"
#include "platform/SettingsStore.h"
#include "ui/PropertySheet.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

CSuccessPage::CSuccessPage(CLaunchDlg &launch, QWidget *parent)
    : CPropertyPage(QStringLiteral("Success"), parent)
    , m_launch(launch)
    , m_runDataDialog([](CGetDataDlg &dialog) { return dialog.exec(); })
{
    auto *notesLabel = new QLabel(QStringLiteral("Notes:"), this);
    m_notesField = new QPlainTextEdit(this);
    m_notesField->setTabChangesFocus(true);
    m_notesField->setAccessibleName(QStringLiteral("Notes:"));
    notesLabel->setBuddy(m_notesField);
    m_altimeter = new QCheckBox(QStringLiteral("Add Altimeter data"), this);
    auto *fileLabel = new QLabel(QStringLiteral("Altimeter data file"), this);
    m_altimeterFile = new QLineEdit(this);
    m_altimeterFile->setReadOnly(true);
    m_altimeterFile->setAccessibleName(QStringLiteral("Altimeter data file"));
    fileLabel->setBuddy(m_altimeterFile);
    m_done = new QPushButton(QStringLiteral("DONE"), this);
    m_done->setMinimumWidth(100);

    // The notes take whatever room the screen has.
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(notesLabel);
    layout->addWidget(m_notesField, 1);
    layout->addWidget(m_altimeter);
    layout->addWidget(fileLabel);
    layout->addWidget(m_altimeterFile);
    layout->addWidget(m_done, 0, Qt::AlignHCenter);
    connect(m_done, &QPushButton::clicked, this, &CSuccessPage::OnDone);
}

void CSuccessPage::onInitDialog()
{
    m_notes = m_launch.flight().notes;
}

bool CSuccessPage::onSetActive()
{
    loadValues();
    return CPropertyPage::onSetActive();
}

// What was typed stays when the flyer looks at another page, and is the
// flight's however the sheet is then confirmed.
bool CSuccessPage::onKillActive()
{
    saveValues();
    m_launch.flight().notes = m_notes;
    return CPropertyPage::onKillActive();
}

void CSuccessPage::loadValues()
{
    m_notesField->setPlainText(m_notes);
    m_altimeter->setChecked(m_addAltimeter);
    m_altimeterFile->setText(m_launch.flight().altFileName);
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
        const EHeightUnit unit =
            heightUnitFromSetting(m_launch.settings().ReadSetting(QLatin1String(kSettingAltitudeUnit)));
        CGetDataDlg dialog(m_launch.ui().files, unit, nullptr, m_launch.ui().windowSettings);
        bool typed = false;
        const double expected = m_launch.expectedAltitude().trimmed().toDouble(&typed);
        if (typed && expected > 0)
            dialog.setExpectedAltitude(expected);
        if (m_runDataDialog(dialog) == QDialog::Accepted)
            m_launch.takeAltimeterFile(dialog.fileName());
        m_altimeterFile->setText(m_launch.flight().altFileName);
    }
    sheet()->endCompleted();
}
