#include "rockets/RocketEditSheet.h"

#include "checklists/ChecklistSetup.h"
#include "rockets/RecMotorsDlg.h"
#include "rockets/RocketEdit1Dlg.h"
#include "rockets/RocketEdit2Dlg.h"
#include "rockets/RocketQueries.h"

CRocketEditSheet::CRocketEditSheet(const CRocketEditContext &context, const QString &rocketId, QWidget *parent)
    : CPropertySheet(QString(), parent)
{
    const QString query = rocketQuery(rocketId);
    m_main = new CRocketEdit1Dlg(context, query);
    m_misc = new CRocketEdit2Dlg(context, query);
    m_checklist = new CChecklistSetup(context.store, context.settings, context.ui, query);
    m_motors = new CRecMotorsDlg(context, query);
    addPage(m_main);
    addPage(m_misc);
    addPage(m_checklist);
    addPage(m_motors);
}
