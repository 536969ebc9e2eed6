#pragma once

#include "checklists/ChecklistText.h"
#include "ui/PropertyPage.h"
#include "ui/UiServices.h"

#include <array>

class CRecordStore;
class CSettingsStore;
class QCheckBox;
class QLineEdit;

// The "Checklist" page of the rocket edit sheet: up to eight steps, each with an
// enable box and a label, stored in the rocket's row; the rows can be set from
// or saved as the default checklist.
class CChecklistSetup : public CPropertyPage
{
    Q_OBJECT

public:
    CChecklistSetup(CRecordStore &store, CSettingsStore &settings, CUiServices ui, const QString &rocketQuery,
                    QWidget *parent = nullptr);

    QString checklistText() const { return m_checklist; }

    void onInitDialog() override;
    bool onSetActive() override;
    bool onKillActive() override;
    void loadValues() override;
    void saveValues() override;

    void setToDefaults();
    void setAsDefaults();

private:
    void applyChecklist();

    CRecordStore &m_store;
    CSettingsStore &m_settings;
    CUiServices m_ui;
    QString m_rocketQuery;
    QString m_checklist;
    CChecklistRows m_rows;
    std::array<QCheckBox *, kRocketChecklistSteps> m_enabled {};
    std::array<QLineEdit *, kRocketChecklistSteps> m_labels {};
};
