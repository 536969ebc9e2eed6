#include "db/RecordStore.h"
#include "db/StoreTransaction.h"
#include "motors/DefaultMotorsDlg.h"
#include "motors/MotorCurveStore.h"
#include "motors/MotorFilterDlg.h"
#include "motors/MotorTable.h"
#include "reflists/DefaultsDlg.h"
#include "reflists/ReferenceList.h"
#include "shots/ShotContext.h"
#include "ui/StatusWindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>

#include <cstdio>

namespace {
// A catalogue of a few dozen motors, so the list scrolls as a real one does;
// false when the logbook refused it.
bool addCatalogue(CRecordStore &store)
{
    const char *makers[] = {"Estes", "AeroTech", "CTI", "Loki", "Quest"};
    const char *types[] = {"A8", "B6", "C6", "D12", "E9", "F40", "G64", "H128"};
    const char *delays[] = {"3", "4", "5", "0-3-5", "4-7-10", "6-10-14"};
    const char *sizes[] = {"18x70", "24x70", "29x124", "38x250"};
    CStoreTransaction transaction(store);
    for (int i = 0; i < 36; ++i) {
        if (!addMotor(store,
                      {QLatin1String(types[i % 8]), QLatin1String(delays[i % 6]), QLatin1String(makers[i % 5]),
                       QLatin1String(sizes[(i / 2) % 4])}))
            return false;
        // Most motors came from thrust-curve files: a quick rise, a sustain and a tail-off.
        if (i % 3 == 2)
            continue;
        // 6.6 N·s at scale 1: 0.3 makes the A8 an A, and each next type's letter doubles it.
        const double scale = 0.3 * (1 << (i % 8));
        const std::vector<CThrustPoint> points = {
            {0.05, 12 * scale}, {0.15, 9 * scale}, {0.6, 7 * scale}, {0.9, 3 * scale}, {1.0, 0}};
        if (!storeMotorCurve(store, store.lastInsertRowId(), points, {0.01 * scale, 0.03 * scale}))
            return false;
    }
    return transaction.commit();
}

void typeInto(QWidget &dialog, const char *label, const QString &text)
{
    for (QLabel *candidate : dialog.findChildren<QLabel *>()) {
        if (candidate->text() == QLatin1String(label)) {
            if (auto *edit = qobject_cast<QLineEdit *>(candidate->buddy()))
                edit->setText(text);
        }
    }
}
} // namespace

void shootMotorScreens(CShotContext &context)
{
    CRecordStore store;
    if (!store.Open(context.storageDirectory()))
        return;
    if (!addCatalogue(store))
        std::fprintf(stderr, "tarvel-shots: the sample motors could not be stored: %s\n",
                     qPrintable(store.lastError()));

    QWidget owner;
    owner.resize(240, 320);
    CStatusWindow status(&owner);
    status.hideProgress();

    for (ReferenceListKind kind : {ReferenceListKind::Status, ReferenceListKind::Mfgs, ReferenceListKind::Types}) {
        const CReferenceListInfo &info = referenceListInfo(kind);
        context.writeSetting(QLatin1String(info.settingName), QLatin1String(info.builtInDefault));
    }
    {
        const auto motors = [&](QWidget *parent) {
            CDefaultMotorsDlg screen(store, status, context.ui(), context.storageDirectory(), parent);
            screen.exec();
        };
        CDefaultsDlg defaults(status, context.settings(), context.ui(), motors);
        context.save(defaults, QStringLiteral("defaults"));
    }
    {
        CDefaultMotorsDlg motors(store, status, context.ui(), context.storageDirectory());
        context.save(motors, QStringLiteral("default-motors"));
        status.showProgress(QStringLiteral("Loading Motor\n12 of 36"));
        status.paintNow();
        context.save(motors, QStringLiteral("default-motors-status"));
        status.hideProgress();
        auto *list = motors.findChild<QTreeView *>();
        list->setCurrentIndex(list->model()->index(0, 0));
        context.save(motors, QStringLiteral("default-motors-curve"));

        CMotorFilterDlg filter(store, context.ui(), &motors);
        typeInto(filter, "MFG", QStringLiteral("Estes"));
        typeInto(filter, "Size", QStringLiteral("18"));
        filter.onTestQuery();
        context.save(filter, QStringLiteral("motor-filter"));
    }
}
