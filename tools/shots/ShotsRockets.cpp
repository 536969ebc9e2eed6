#include "checklists/ChecklistPage.h"
#include "db/RecordStore.h"
#include "rockets/RecMotorRules.h"
#include "rockets/RecMotorsDlg.h"
#include "rockets/RocketEditSheet.h"
#include "rockets/RocketPage.h"
#include "shots/ShotContext.h"

#include <QImage>
#include <QPainter>

namespace {

// A picture for the first sample rocket, so the browser shows a fitted image.
bool addSamplePicture(CShotContext &context, CRecordStore &store)
{
    QImage picture(120, 300, QImage::Format_RGB32);
    picture.fill(QColor(0x87, 0xb5, 0xe0));
    QPainter painter(&picture);
    painter.setBrush(QColor(0xee, 0xee, 0xee));
    painter.drawRect(45, 60, 30, 200);
    painter.setBrush(QColor(0x20, 0x40, 0xa0));
    painter.drawPolygon(QPolygon({QPoint(45, 60), QPoint(60, 10), QPoint(75, 60)}));
    painter.drawPolygon(QPolygon({QPoint(45, 220), QPoint(25, 270), QPoint(45, 260)}));
    painter.drawPolygon(QPolygon({QPoint(75, 220), QPoint(95, 270), QPoint(75, 260)}));
    painter.end();
    if (!picture.save(context.storageDirectory() + QStringLiteral("alpha.png")))
        return false;
    return store.RunSql(QStringLiteral("Select * FROM Rockets WHERE ID='1'")) && store.MoveTo(0)
        && store.SetFieldText(QStringLiteral("alpha.png"), 4);
}

} // namespace

void shootRocketScreens(CShotContext &context)
{
    CRecordStore store;
    if (!store.Open(context.storageDirectory()) || !addSamplePicture(context, store)) {
        std::fprintf(stderr, "tarvel-shots: cannot prepare the rocket screens\n");
        return;
    }
    // A clustered two-stage recommendation for Comanche-3.
    if (!insertRecMotorGroup(store, QStringLiteral("3"),
                             {{QStringLiteral("D12"), QStringLiteral("0"), QStringLiteral("Estes"), QStringLiteral("1"),
                               QStringLiteral("3")},
                              {QStringLiteral("C6"), QStringLiteral("7"), QStringLiteral("Estes"), QStringLiteral("2"),
                               QStringLiteral("1")}},
                             QStringLiteral("450"))) {
        std::fprintf(stderr, "tarvel-shots: cannot prepare the rocket screens: %s\n", qPrintable(store.lastError()));
        return;
    }

    QString checklist;
    {
        CPropertySheet sheet(QStringLiteral("Rockets"));
        auto *page = new CRocketPage({store, context.settings(), context.ui(), context.storageDirectory(),
                                      CRocketBrowser::Mode::Browse, &checklist});
        sheet.addPage(page);
        sheet.addPage(new CChecklistPage(checklist));
        // Browsing opens on the first rocket.
        sheet.activateFirstPage();
        context.save(sheet, QStringLiteral("rockets-picture"));
        page->toggleImage();
        context.save(sheet, QStringLiteral("rockets-summary"));
        page->stepRocket(1);
        page->stepRocket(1);
        context.save(sheet, QStringLiteral("rockets-staged-summary"));
        page->stepRocket(1);
        page->toggleImage();
        context.save(sheet, QStringLiteral("rockets-default-picture"));
        page->stepRocket(-2);
        sheet.setActivePage(1);
        context.save(sheet, QStringLiteral("rockets-checklist"));
    }
    {
        CRocketEditSheet sheet({store, context.settings(), context.ui(), context.storageDirectory()},
                               QStringLiteral("3"));
        sheet.activateFirstPage();
        const char *names[] = {"rocket-edit-main", "rocket-edit-misc", "rocket-edit-checklist", "rocket-edit-motors"};
        for (int i = 0; i < sheet.pageCount(); ++i) {
            sheet.setActivePage(i);
            context.save(sheet, QLatin1String(names[i]));
        }
        CRecMotorsDlg *motors = sheet.motorsPage();
        motors->onMotorChosen(4);
        motors->onAddToCluster();
        motors->onStageButton();
        motors->onMotorChosen(2);
        motors->onAddToCluster();
        context.save(sheet, QStringLiteral("rocket-edit-motors-pending"));
    }
    {
        CRocketEditSheet sheet({store, context.settings(), context.ui(), context.storageDirectory()},
                               QStringLiteral("2"));
        sheet.activateFirstPage();
        sheet.setActivePage(3);
        context.save(sheet, QStringLiteral("rocket-edit-motors-simple"));
    }
}
