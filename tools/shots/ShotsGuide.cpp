#include "db/RecordStore.h"
#include "prediction/MotorGuideModel.h"
#include "rockets/MotorGuideDlg.h"
#include "rockets/RecMotorsDlg.h"
#include "rockets/RocketEditSheet.h"
#include "shots/ShotContext.h"

#include <QEventLoop>
#include <QTableView>

#include <cstdio>

// The motor guide for the 29 mm O'Brien's Dart over the motor screens'
// catalogue (shot before it), and the Motors page predicting one of them.
void shootGuideScreens(CShotContext &context)
{
    CRecordStore store;
    if (!store.Open(context.storageDirectory())) {
        std::fprintf(stderr, "tarvel-shots: cannot open the logbook for the motor guide\n");
        return;
    }
    const CRocketEditContext rocket {store, context.settings(), context.ui(), context.storageDirectory()};
    {
        CMotorGuideDlg guide(rocket, QStringLiteral("4"));
        if (const CMotorGuideModel *model = guide.model(); model && !model->isFinished()) {
            QEventLoop filling;
            QObject::connect(model, &CMotorGuideModel::finished, &filling, &QEventLoop::quit);
            filling.exec();
        }
        guide.table()->selectRow(0);
        context.save(guide, QStringLiteral("motor-guide"));
    }
    {
        CRocketEditSheet sheet(rocket, QStringLiteral("4"));
        sheet.activateFirstPage();
        sheet.setActivePage(3);
        // The first catalogue motor with a curve, in Type order: an A8.
        sheet.motorsPage()->onMotorChosen(1);
        context.save(sheet, QStringLiteral("rocket-edit-motors-predicted"));
    }
}
