// The status window keeps every text but paints a burst of them only now and then.
#include "ui/StatusWindow.h"

#include <QCoreApplication>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

TEST(StatusWindow, ThrottlesPaintingButShowsTheLastText)
{
    QWidget owner;
    owner.resize(240, 320);
    CStatusWindow status(&owner);
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner)); // so that a repaint paints
    EXPECT_EQ(status.text(), "Initializing");
    EXPECT_EQ(status.geometry(), QRect(45, 50, 150, 50));
    status.hideProgress();

    status.showProgress(QStringLiteral("first"));
    EXPECT_FALSE(status.isHidden());
    EXPECT_EQ(status.text(), "first"); // shown and painted at once
    const int before = status.paintCount();
    EXPECT_GE(before, 1);
    for (int i = 1; i <= 5000; ++i)
        status.showProgress(QStringLiteral("Loading Motor\n%1 of 5000").arg(i));
    EXPECT_EQ(status.progressText(), "Loading Motor\n5000 of 5000");
    EXPECT_LT(status.paintCount() - before, 100);

    status.finishProgress();
    EXPECT_EQ(status.text(), "Loading Motor\n5000 of 5000");
    EXPECT_GT(status.paintCount(), before);

    QThread::msleep(CStatusWindow::kRepaintIntervalMs + 5);
    const int settled = status.paintCount();
    status.showProgress(QStringLiteral("later"));
    EXPECT_EQ(status.text(), "later");
    EXPECT_GT(status.paintCount(), settled);

    status.hideProgress();
    EXPECT_TRUE(status.isHidden());
}

TEST(StatusWindow, FloatsOverEachOwnerAndFitsItsText)
{
    QWidget handheld;
    handheld.resize(240, 320);
    QWidget desktop;
    desktop.resize(900, 600);
    CStatusWindow status(&handheld);
    EXPECT_EQ(status.geometry(), QRect(45, 50, 150, 50)); // the handheld's place

    desktop.show();
    status.moveInto(&desktop);
    EXPECT_EQ(status.parentWidget(), &desktop);
    EXPECT_EQ(status.geometry(), QRect(375, 50, 150, 50)); // centred across the wider owner
    desktop.resize(1000, 600);
    EXPECT_TRUE(QTest::qWaitFor([&] { return status.geometry().center().x() == desktop.rect().center().x(); }))
        << status.geometry().center().x();

    // A long text widens the box as far as the owner allows, then wraps.
    const QString longText = QStringLiteral("Loading Motor file AeroTech_K1100T_Warp9_reload_and_more.eng");
    status.showProgress(longText);
    status.paintNow();
    EXPECT_GE(status.width(), status.fontMetrics().horizontalAdvance(longText));
    status.moveInto(&handheld);
    EXPECT_EQ(status.width(), 240);
    EXPECT_GE(status.height(), status.heightForWidth(240));
}
