#include "checklists/ChecklistSetup.h"

#include "db/RecordStore.h"
#include "platform/SettingsStore.h"
#include "ui/CommandBar.h"
#include "ui/Prompter.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace {
constexpr int kChecklistColumn = 5;
}

CChecklistSetup::CChecklistSetup(CRecordStore &store, CSettingsStore &settings, CUiServices ui,
                                 const QString &rocketQuery, QWidget *parent)
    : CPropertyPage(QStringLiteral("Checklist"), parent)
    , m_store(store)
    , m_settings(settings)
    , m_ui(ui)
    , m_rocketQuery(rocketQuery)
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setVerticalSpacing(4);
    grid->addWidget(new QLabel(QStringLiteral("Enable"), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Label (no commas)"), this), 0, 1);
    for (int i = 0; i < kRocketChecklistSteps; ++i) {
        const QString step = QStringLiteral("Step %1").arg(i + 1);
        m_enabled[i] = new QCheckBox(this);
        m_enabled[i]->setAccessibleName(QStringLiteral("Enable ") + step);
        m_labels[i] = new QLineEdit(this);
        m_labels[i]->setAccessibleName(QStringLiteral("Label ") + step);
        grid->addWidget(m_enabled[i], i + 1, 0, Qt::AlignHCenter);
        grid->addWidget(m_labels[i], i + 1, 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(kRocketChecklistSteps + 1, 1);
}

void CChecklistSetup::onInitDialog()
{
    CCommandBar *bar = createCommandBar();
    connect(bar->addCommand(QStringLiteral("Set To Defaults")), &QAction::triggered, this,
            &CChecklistSetup::setToDefaults);
    connect(bar->addCommand(QStringLiteral("Set As Defaults")), &QAction::triggered, this,
            &CChecklistSetup::setAsDefaults);
    applyChecklist();
}

bool CChecklistSetup::onSetActive()
{
    if (!m_store.RunSql(m_rocketQuery))
        return false;
    CPropertyPage::onSetActive();
    m_store.MoveFirst();
    if (!(m_store.IsBOF() && m_store.IsEOF()))
        m_checklist = m_store.GetFieldText(kChecklistColumn);
    applyChecklist();
    return true;
}

bool CChecklistSetup::onKillActive()
{
    CPropertyPage::onKillActive();
    saveValues();
    for (CChecklistRow &row : m_rows)
        row.label = StripCommas(row.label);
    m_checklist = BuildChecklist(m_rows);
    loadValues();
    // The row is found again: another page may have run its own query meanwhile.
    // A refused write keeps the page, and what was typed, in front of the flyer.
    if (!m_store.RunSql(m_rocketQuery) || (m_store.MoveTo(0) && !m_store.SetFieldText(m_checklist, kChecklistColumn))) {
        m_ui.prompter.error(this, QStringLiteral("The checklist could not be saved: ") + m_store.lastError());
        return false;
    }
    return true;
}

void CChecklistSetup::applyChecklist()
{
    if (m_checklist.isEmpty())
        return;
    m_rows = checklistRows(m_checklist);
    loadValues();
}

void CChecklistSetup::loadValues()
{
    for (int i = 0; i < kRocketChecklistSteps; ++i) {
        m_enabled[i]->setChecked(m_rows[i].enabled);
        m_labels[i]->setText(m_rows[i].label);
    }
}

void CChecklistSetup::saveValues()
{
    for (int i = 0; i < kRocketChecklistSteps; ++i) {
        m_rows[i].enabled = m_enabled[i]->isChecked();
        m_rows[i].label = m_labels[i]->text();
    }
}

void CChecklistSetup::setToDefaults()
{
    m_checklist = m_settings.ReadSetting(QLatin1String(kSettingDefaultChecklist));
    applyChecklist();
}

void CChecklistSetup::setAsDefaults()
{
    saveValues();
    const QString text = BuildChecklist(m_rows);
    if (m_settings.WriteSetting(QLatin1String(kSettingDefaultChecklist), text)) {
        m_checklist = text;
        return;
    }
    if (text.size() > CSettingsStore::kMaxValueLength)
        m_ui.prompter.error(this,
                            QStringLiteral("The default checklist could not be saved: it is longer than "
                                           "199 characters."));
    else
        m_ui.prompter.error(this,
                            QStringLiteral("The default checklist could not be saved: the settings file %1 "
                                           "cannot be written.")
                                .arg(m_settings.fileName()));
}
