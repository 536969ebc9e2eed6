// Each screen fills a small screen, and is a window sized to its content on a desktop.
#include "ui/FormFactor.h"

#include "support/LayoutAudit.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

// A screen as the program builds them: a layout, then the one call.
class CSampleScreen : public QDialog
{
public:
    explicit CSampleScreen(QWidget *parent = nullptr)
        : QDialog(parent)
    {
        auto *layout = new QVBoxLayout(this);
        layout->addWidget(new QLabel(QStringLiteral("A label above a list"), this));
        auto *list = new QListWidget(this);
        list->addItems({QStringLiteral("one"), QStringLiteral("two")});
        layout->addWidget(list);
        applyFormFactor(this);
    }
};

} // namespace

TEST(FormFactor, SmallScreensAreFilledAndDesktopWindowsFitTheirContent)
{
    QScreen *desktop = referenceScreen(ReferenceScreen::Desktop);
    QScreen *phone = referenceScreen(ReferenceScreen::Phone);
    QScreen *compact = referenceScreen(ReferenceScreen::Compact);
    if (!desktop || !phone || !compact)
        GTEST_SKIP() << "the offscreen reference screens are not available";
    EXPECT_EQ(phone->geometry().size(), QSize(360, 720));
    EXPECT_EQ(phone->devicePixelRatio(), 2.0);

    QWidget opener;
    opener.setGeometry(QRect(700, 300, 500, 400)); // off-centre, near the right edge
    ASSERT_TRUE(showOnReferenceScreen(&opener, ReferenceScreen::Desktop));
    CSampleScreen screen(&opener);
    for (QScreen *small : {compact, phone}) {
        ASSERT_TRUE(showOnReferenceScreen(&screen, small == phone ? ReferenceScreen::Phone : ReferenceScreen::Compact));
        EXPECT_EQ(screen.geometry(), small->geometry()) << small->name().toStdString();
        EXPECT_TRUE(screen.windowState() & Qt::WindowFullScreen);
    }

    ASSERT_TRUE(showOnReferenceScreen(&screen, ReferenceScreen::Desktop));
    EXPECT_FALSE(screen.windowState() & Qt::WindowFullScreen);
    const QSize content = screen.sizeHint().expandedTo(QSize(kCompactWidth, kCompactHeight));
    EXPECT_EQ(screen.size(), content);
    EXPECT_LE(std::abs(screen.geometry().center().x() - opener.frameGeometry().center().x()), 1);
    EXPECT_LE(std::abs(screen.geometry().center().y() - opener.frameGeometry().center().y()), 1);
    // A normal window: the flyer can make it larger, not smaller than the compact form.
    EXPECT_EQ(screen.minimumSize().expandedTo(QSize(kCompactWidth, kCompactHeight)), screen.minimumSize());
    screen.resize(900, 700);
    EXPECT_TRUE(QTest::qWaitFor([&] { return screen.size() == QSize(900, 700); })) << screen.width();
}

TEST(FormFactor, DesktopPlacementKeepsTheWindowOnTheScreen)
{
    const QRect available(0, 0, 1280, 770);
    // Small content still gets the compact form; no opener centres it on the screen.
    EXPECT_EQ(desktopPlacement(QSize(100, 50), available, {}), QRect(520, 225, 240, 320));
    // An opener near the bottom-right corner: centred on it as far as the screen allows.
    EXPECT_EQ(desktopPlacement(QSize(400, 340), available, QRect(1100, 700, 200, 100)), QRect(880, 430, 400, 340));
    // Content larger than the screen is cut to the screen.
    EXPECT_EQ(desktopPlacement(QSize(3000, 2000), available, QRect(10, 10, 50, 50)), available);
    EXPECT_EQ(formFactorForWidth(799), FormFactor::Compact);
    EXPECT_EQ(formFactorForWidth(800), FormFactor::Desktop);
}

TEST(FormFactor, RememberedGeometryReadsOnlyWellFormedText)
{
    const QRect kept(-20, 35, 640, 480);
    EXPECT_EQ(windowGeometryFromText(windowGeometryText(kept)), kept);
    for (const char *bad : {"", "1,2,3", "1,2,3,4,5", "a,2,3,4", "10,10,0,300", "10,10,300,-1"})
        EXPECT_TRUE(windowGeometryFromText(QLatin1String(bad)).isNull()) << bad;
}
