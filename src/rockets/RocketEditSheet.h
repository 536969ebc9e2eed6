#pragma once

#include "rockets/RocketEditContext.h"
#include "ui/PropertySheet.h"

class CRocketEdit1Dlg;
class CRocketEdit2Dlg;
class CChecklistSetup;
class CRecMotorsDlg;

// The four pages that edit one rocket: Main, Misc, Checklist and Motors. Each
// page reads and writes the rocket's row itself through the shared store.
class CRocketEditSheet : public CPropertySheet
{
    Q_OBJECT

public:
    CRocketEditSheet(const CRocketEditContext &context, const QString &rocketId, QWidget *parent = nullptr);

    CRocketEdit1Dlg *mainPage() const { return m_main; }
    CRocketEdit2Dlg *miscPage() const { return m_misc; }
    CChecklistSetup *checklistPage() const { return m_checklist; }
    CRecMotorsDlg *motorsPage() const { return m_motors; }

private:
    CRocketEdit1Dlg *m_main = nullptr;
    CRocketEdit2Dlg *m_misc = nullptr;
    CChecklistSetup *m_checklist = nullptr;
    CRecMotorsDlg *m_motors = nullptr;
};
