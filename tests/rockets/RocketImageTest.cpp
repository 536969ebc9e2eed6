#include "rockets/RocketImage.h"

#include "db/RecordStore.h"
#include "platform/SettingsStore.h"
#include "rockets/RocketEdit1Dlg.h"
#include "rockets/RocketEditSheet.h"
#include "rockets/RocketImageChoice.h"
#include "support/ScreenDriver.h"
#include "support/TestFiles.h"
#include "support/TestLogbook.h"
#include "ui/ScriptedFileChooser.h"
#include "ui/ScriptedPrompter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A 10 x 10 blue picture at path.
bool saveBluePicture(const QString &path)
{
    QImage image(10, 10, QImage::Format_RGB32);
    image.fill(Qt::blue);
    return image.save(path);
}

// The edit sheet of rocket 1, whose main page chooses and takes pictures, and a
// folder outside the storage directory to pick them from.
class RocketPictureTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_logbook.isValid() && m_source.isValid());
        ASSERT_TRUE(m_store.Open(m_logbook.directory()));
    }

    void openSheet()
    {
        m_logbookBytes = readTestFile(m_logbook.databaseFile());
        m_sheet = std::make_unique<CRocketEditSheet>(
            CRocketEditContext {m_store, m_settings, {m_prompter, m_files}, m_logbook.directory()},
            QStringLiteral("1"));
        m_sheet->show();
    }
    QLineEdit *imageField() { return driver::find<QLineEdit>(m_sheet->mainPage(), QStringLiteral("Image file")); }
    QString source(const char *name) { return m_source.filePath(QLatin1String(name)); }
    QString stored(const char *name) { return m_logbook.directory() + QLatin1String(name); }

    CTestLogbook m_logbook;
    QTemporaryDir m_source;
    QByteArray m_logbookBytes;
    CRecordStore m_store;
    CSettingsStore m_settings {m_logbook.directory() + QStringLiteral("settings.ini")};
    CScriptedPrompter m_prompter;
    CScriptedFileChooser m_files;
    std::unique_ptr<CRocketEditSheet> m_sheet;
};

} // namespace

TEST(RocketImage, FitFollowsTheBoxArithmetic)
{
    const auto fit = [](int width, int height) {
        const CImageFit f = fitRocketImage(width, height);
        return QList<int>({f.x, f.y, f.width, f.height});
    };
    EXPECT_EQ(fit(206, 430), QList<int>({1, 1, 103, 215}));
    EXPECT_EQ(fit(50, 50), QList<int>({1, 56, 103, 103}));
    EXPECT_EQ(fit(400, 100), QList<int>({1, 94, 103, 25})); // y from the untruncated height 25.75
    EXPECT_EQ(fit(0, 10), QList<int>({0, 0, 0, 0}));
}

TEST(RocketImage, MissingOrBrokenFilesShowThePlaceholder)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString storage = dir.path() + QLatin1Char('/');
    const QImage placeholder = defaultRocketPicture();
    ASSERT_TRUE(writeTestFile(storage + QStringLiteral("broken.jpg"), "not a picture at all"));
    for (const char *name : {"", "missing.bmp", "broken.jpg"})
        EXPECT_EQ(rocketPicture(storage, QLatin1String(name)), placeholder) << name;

    QImage red(50, 50, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(storage + QStringLiteral("red.bmp")));
    const QImage shown = rocketPicture(storage, QStringLiteral("red.bmp"));
    EXPECT_EQ(shown.size(), QSize(kPictureAreaWidth, kPictureAreaHeight));
    // Drawn from (1, 56) to (103, 158): red inside, background outside.
    EXPECT_EQ(shown.pixelColor(50, 100), QColor(Qt::red));
    EXPECT_NE(shown.pixelColor(50, 40), QColor(Qt::red));
    EXPECT_NE(shown.pixelColor(50, 170), QColor(Qt::red));
}

TEST_F(RocketPictureTest, ChoosingCopiesIntoStorageAndAsksBeforeReplacing)
{
    const QString storage = m_logbook.directory();
    CUiServices ui {m_prompter, m_files};
    ASSERT_TRUE(saveBluePicture(source("dart.png")));
    m_files.script({QString()});
    EXPECT_TRUE(chooseRocketImage(ui, nullptr, storage, {QStringLiteral("dart.png")}).isNull());

    m_files.script({source("dart.png")});
    EXPECT_EQ(chooseRocketImage(ui, nullptr, storage, {QStringLiteral("dart.png")}), QStringLiteral("dart.png"));
    EXPECT_TRUE(QFile::exists(stored("dart.png")));
    EXPECT_TRUE(m_prompter.shown().isEmpty());

    // Already there: No to the question names nothing.
    ASSERT_TRUE(writeTestFile(source("dart.png"), "newer"));
    m_files.script({source("dart.png")});
    m_prompter.script({PromptAnswer::No});
    EXPECT_TRUE(chooseRocketImage(ui, nullptr, storage, {QStringLiteral("dart.png")}).isNull());
    EXPECT_EQ(m_prompter.shown().size(), 1);
    EXPECT_EQ(QImage(stored("dart.png")).pixelColor(0, 0), QColor(Qt::blue));

    // The file already in the storage directory is kept as it is and named.
    m_files.script({stored("dart.png")});
    m_prompter.script({PromptAnswer::Yes});
    EXPECT_EQ(chooseRocketImage(ui, nullptr, storage, {QStringLiteral("dart.png")}), QStringLiteral("dart.png"));
    EXPECT_EQ(QImage(stored("dart.png")).pixelColor(0, 0), QColor(Qt::blue));

    // A storage "directory" that is a plain file: nothing can be copied into it,
    // whoever runs the test; the failure is told and names nothing.
    ASSERT_TRUE(writeTestFile(source("not-a-folder"), ""));
    m_prompter.clear();
    m_files.script({source("dart.png")});
    EXPECT_TRUE(chooseRocketImage(ui, nullptr, source("not-a-folder/"), {}).isNull());
    ASSERT_EQ(m_prompter.shown().size(), 1);
    EXPECT_EQ(m_prompter.shown().first().caption, QStringLiteral("Error"));
}

TEST_F(RocketPictureTest, PictureNeverReplacesTheLogbookOrAnotherFile)
{
    ASSERT_TRUE(m_logbook.exec({"INSERT INTO Rockets (ID,Name,Image) VALUES (1,'Alpha','dart.png')"}));
    ASSERT_TRUE(writeTestFile(stored("dart.png"), "old picture"));
    ASSERT_TRUE(writeTestFile(stored("Launch.wav"), "a sound"));
    for (const char *name : {"TarvelDB.CDB", "Launch.wav", "dart.png"})
        ASSERT_TRUE(writeTestFile(source(name), "new picture"));
    openSheet();
    QAbstractButton *browse = driver::find<QAbstractButton>(m_sheet->mainPage(), QStringLiteral("..."));

    // The logbook and a sound are refused, and Yes is never asked for.
    m_prompter.setFallback(PromptAnswer::Yes);
    for (const char *name : {"TarvelDB.CDB", "Launch.wav"}) {
        m_prompter.clear();
        m_files.script({source(name)});
        driver::tap(browse);
        ASSERT_EQ(m_prompter.shown().size(), 1) << name;
        EXPECT_EQ(m_prompter.shown().first().caption, QStringLiteral("Error"));
        EXPECT_TRUE(m_prompter.shown().first().text.contains(QLatin1String(name)));
        EXPECT_EQ(imageField()->text(), QStringLiteral("dart.png"));
    }
    EXPECT_EQ(readTestFile(m_logbook.databaseFile()), m_logbookBytes);
    EXPECT_EQ(readTestFile(stored("Launch.wav")), QByteArray("a sound"));

    // The rocket's own picture may be replaced, after a question that names it.
    m_prompter.clear();
    m_files.script({source("dart.png")});
    driver::tap(browse);
    ASSERT_EQ(m_prompter.shown().size(), 1);
    EXPECT_EQ(m_prompter.shown().first().text, QStringLiteral("File Exists\ndart.png\nOverwrite?"));
    EXPECT_EQ(readTestFile(stored("dart.png")), QByteArray("new picture"));
    EXPECT_TRUE(QDir(m_logbook.directory()).entryList({QStringLiteral("*.part")}).isEmpty());
}

// Dropped pictures go through the chooser's own checks, which the test above walks.
TEST_F(RocketPictureTest, APictureDroppedOnTheMainPageIsTakenAsIfChosen)
{
    ASSERT_TRUE(m_logbook.exec({"INSERT INTO Rockets (ID,Name) VALUES (1,'Alpha')"}));
    ASSERT_TRUE(saveBluePicture(source("dart.png")));
    openSheet();
    QWidget *page = m_sheet->mainPage();
    // Returns whether the page took the drag, then drops.
    const auto drop = [page](const QList<QUrl> &urls) {
        QMimeData data;
        data.setUrls(urls);
        const QPoint at = page->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(page, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(page, &dropped);
        return dropped.isAccepted();
    };
    const QUrl picture = QUrl::fromLocalFile(source("dart.png"));
    EXPECT_FALSE(drop({QUrl(QStringLiteral("https://example.org/dart.png"))}));
    EXPECT_FALSE(drop({picture, picture}));
    EXPECT_TRUE(imageField()->text().isEmpty());

    EXPECT_TRUE(drop({picture}));
    EXPECT_EQ(imageField()->text(), QStringLiteral("dart.png"));
    EXPECT_EQ(QImage(stored("dart.png")).pixelColor(0, 0), QColor(Qt::blue));
    ASSERT_TRUE(m_sheet->confirm());
    EXPECT_EQ(m_logbook.rows(QStringLiteral("SELECT Image FROM Rockets")), QStringList({QStringLiteral("dart.png")}));
}
