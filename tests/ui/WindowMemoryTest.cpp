// A window keeps the size, column widths and splitter positions the flyer gave
// it, one settings value per window and form, and opens with them again.
#include "ui/WindowMemory.h"

#include "platform/SettingsStore.h"
#include "support/LayoutAudit.h"

#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QSplitter>
#include <QSplitterHandle>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

// A list beside a note, as the list screens build them.
class CRememberingScreen : public QDialog
{
public:
    explicit CRememberingScreen(CSettingsStore *settings)
    {
        setObjectName(QStringLiteral("sample"));
        m_splitter = new QSplitter(Qt::Horizontal, this);
        m_table = new QTableWidget(3, 3, m_splitter);
        m_table->setHorizontalHeaderLabels({QStringLiteral("Date"), QStringLiteral("Rocket"), QStringLiteral("Notes")});
        m_splitter->addWidget(m_table);
        m_splitter->addWidget(new QLabel(QStringLiteral("The flight's page"), m_splitter));
        auto *layout = new QVBoxLayout(this);
        layout->addWidget(m_splitter);
        rememberWindowState(this, settings, {m_table->horizontalHeader()}, {m_splitter});
    }

    QTableWidget *m_table;
    QSplitter *m_splitter;
};

// A column's right edge dragged by the mouse, as a flyer widens it.
void dragColumnEdge(QHeaderView *header, int section, int by)
{
    const int edge = header->sectionViewportPosition(section) + header->sectionSize(section) - 1;
    const QPoint from(edge, header->height() / 2);
    QTest::mousePress(header->viewport(), Qt::LeftButton, {}, from);
    QTest::mouseMove(header->viewport(), from + QPoint(by, 0));
    QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, from + QPoint(by, 0));
}

void dragSplitter(QSplitter *splitter, int by)
{
    QSplitterHandle *handle = splitter->handle(1);
    const QPoint centre = handle->rect().center();
    QTest::mousePress(handle, Qt::LeftButton, {}, centre);
    QTest::mouseMove(handle, centre + QPoint(by, 0));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, centre + QPoint(by, 0));
}

bool screensAvailable()
{
    return referenceScreen(ReferenceScreen::Desktop) && referenceScreen(ReferenceScreen::Phone);
}

} // namespace

TEST(WindowState, ValueReadsBackAndStaysWithinTheSettingsLimit)
{
    const CWindowState state {QSize(960, 600), {{120, 80, 0, 210}, {}, {300, 420}}};
    EXPECT_EQ(windowStateText(state), QStringLiteral("960,600;120,80,0,210;;300,420"));
    EXPECT_EQ(windowStateFromText(QStringLiteral("960,600;120,80,0,210;;300,420")), state);
    // A size never kept, and the parts after it.
    EXPECT_EQ(windowStateText({QSize(), {{40, 50}}}), QStringLiteral(";40,50"));

    // Hand-edited or damaged values keep what is still whole.
    const CWindowState damaged = windowStateFromText(QStringLiteral("960,x;1,2;3,-4;5"));
    EXPECT_FALSE(damaged.size.isValid());
    EXPECT_EQ(damaged.parts, (QList<QList<int>> {{1, 2}, {}, {5}}));
    EXPECT_FALSE(windowStateFromText(QStringLiteral("0,600")).size.isValid());
    EXPECT_FALSE(windowStateFromText(QStringLiteral("960")).size.isValid());
    EXPECT_TRUE(windowStateFromText(QString()).parts.isEmpty());

    // Thirty-eight columns of 1000 px take 38 * 4 + 37 = 189 characters, 198
    // after "1200,700;": the splitter's ";500,500" would make it 206.
    CWindowState wide {QSize(1200, 700), {QList<int>(38, 1000), {500, 500}}};
    const QString text = windowStateText(wide);
    EXPECT_EQ(text.size(), 198);
    EXPECT_TRUE(text.startsWith(QStringLiteral("1200,700;1000,")));
    wide.parts.first() = QList<int>(60, 1000); // 300 characters: nothing but the size
    EXPECT_EQ(windowStateText(wide), QStringLiteral("1200,700"));

    EXPECT_EQ(windowStateKey(QStringLiteral("flightsDialog"), FormFactor::Desktop),
              QStringLiteral("Window flightsDialog Desktop"));
    EXPECT_EQ(windowStateKey(QStringLiteral("flightsDialog"), FormFactor::Compact),
              QStringLiteral("Window flightsDialog Phone"));
}

TEST(WindowMemory, ReopensAtTheSizeColumnsAndSplitterTheFlyerLeft)
{
    if (!screensAvailable())
        GTEST_SKIP() << "the offscreen reference screens are not available";
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    CSettingsStore settings(home.filePath(QStringLiteral("Tarvel.ini")));

    QSize left;
    int notesWidth = 0;
    QList<int> panes;
    {
        CRememberingScreen screen(&settings);
        ASSERT_TRUE(showOnReferenceScreen(&screen, ReferenceScreen::Desktop));
        const QSize opened = screen.size();
        // Opened and closed untouched: nothing worth keeping.
        screen.close();
        EXPECT_TRUE(settings.ReadSetting(QStringLiteral("Window sample Desktop")).isEmpty());

        ASSERT_TRUE(showOnReferenceScreen(&screen, ReferenceScreen::Desktop));
        EXPECT_EQ(screen.size(), opened);
        screen.resize(opened + QSize(200, 150));
        ASSERT_TRUE(QTest::qWaitFor([&] { return screen.size() == opened + QSize(200, 150); }));
        const int before = screen.m_table->columnWidth(2);
        dragColumnEdge(screen.m_table->horizontalHeader(), 2, 60);
        ASSERT_EQ(screen.m_table->columnWidth(2), before + 60);
        const QList<int> panesBefore = screen.m_splitter->sizes();
        dragSplitter(screen.m_splitter, -40);
        ASSERT_EQ(screen.m_splitter->sizes().first(), panesBefore.first() - 40);
        left = screen.size();
        notesWidth = screen.m_table->columnWidth(2);
        panes = screen.m_splitter->sizes();
        screen.close();

        const QHeaderView *header = screen.m_table->horizontalHeader();
        EXPECT_EQ(settings.ReadSetting(QStringLiteral("Window sample Desktop")),
                  QStringLiteral("%1,%2;%3,%4,%5;%6,%7")
                      .arg(left.width())
                      .arg(left.height())
                      .arg(header->sectionSize(0))
                      .arg(header->sectionSize(1))
                      .arg(notesWidth)
                      .arg(panes.at(0))
                      .arg(panes.at(1)));
    }

    CRememberingScreen again(&settings);
    ASSERT_TRUE(showOnReferenceScreen(&again, ReferenceScreen::Desktop));
    EXPECT_EQ(again.size(), left);
    EXPECT_EQ(again.m_table->columnWidth(2), notesWidth);
    EXPECT_EQ(again.m_splitter->sizes(), panes);

    // The phone keeps its own: the desktop's columns are not carried over,
    // and what is changed there leaves the desktop's value alone.
    const QString desktopValue = settings.ReadSetting(QStringLiteral("Window sample Desktop"));
    CRememberingScreen phone(&settings);
    ASSERT_TRUE(showOnReferenceScreen(&phone, ReferenceScreen::Phone));
    EXPECT_NE(phone.m_table->columnWidth(2), notesWidth);
    dragColumnEdge(phone.m_table->horizontalHeader(), 0, 30);
    const int phoneDate = phone.m_table->columnWidth(0);
    phone.close();
    EXPECT_EQ(settings.ReadSetting(QStringLiteral("Window sample Desktop")), desktopValue);
    EXPECT_TRUE(
        settings.ReadSetting(QStringLiteral("Window sample Phone")).startsWith(QStringLiteral(";%1,").arg(phoneDate)));
}

TEST(WindowMemory, ASizeTooBigForTheScreenIsClampedAndAWrongColumnCountIgnored)
{
    if (!screensAvailable())
        GTEST_SKIP() << "the offscreen reference screens are not available";
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    CSettingsStore settings(home.filePath(QStringLiteral("Tarvel.ini")));
    // Kept on a larger monitor, and when the list had two columns.
    ASSERT_TRUE(settings.WriteSetting(QStringLiteral("Window sample Desktop"), QStringLiteral("2500,1600;300,300")));

    CRememberingScreen screen(&settings);
    const int dateWidth = screen.m_table->columnWidth(0);
    ASSERT_TRUE(showOnReferenceScreen(&screen, ReferenceScreen::Desktop));
    const QRect available = referenceScreen(ReferenceScreen::Desktop)->availableGeometry();
    // The frame the platform draws round the window included.
    EXPECT_TRUE(available.contains(screen.frameGeometry()));
    EXPECT_GE(screen.frameGeometry().width(), available.width() - 1);
    EXPECT_EQ(screen.m_table->columnWidth(0), dateWidth);
}
