#include "rockets/RocketImage.h"

#include "db/RecordStore.h"
#include "platform/SettingsStore.h"
#include "rockets/RocketEdit1Dlg.h"
#include "rockets/RocketEditSheet.h"
#include "rockets/RocketImageChoice.h"
#include "rockets/ScreenDriver.h"
#include "support/TestFiles.h"
#include "support/TestLogbook.h"
#include "ui/ScriptedFileChooser.h"
#include "ui/ScriptedPrompter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

TEST(RocketImage, FitFollowsTheBoxArithmetic)
{
    const CImageFit large = fitRocketImage(206, 430);
    EXPECT_EQ(large.x, 1);
    EXPECT_EQ(large.y, 1);
    EXPECT_EQ(large.width, 103);
    EXPECT_EQ(large.height, 215);

    const CImageFit small = fitRocketImage(50, 50);
    EXPECT_EQ(small.width, 103);
    EXPECT_EQ(small.height, 103);
    EXPECT_EQ(small.x, 1);
    EXPECT_EQ(small.y, 56);

    const CImageFit wide = fitRocketImage(400, 100);
    EXPECT_EQ(wide.width, 103);
    EXPECT_EQ(wide.height, 25);
    EXPECT_EQ(wide.y, 94); // from the untruncated height 25.75

    const CImageFit none = fitRocketImage(0, 10);
    EXPECT_EQ(none.width, 0);
}

TEST(RocketImage, MissingOrBrokenFilesShowThePlaceholder)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString storage = dir.path() + QLatin1Char('/');
    const QImage placeholder = defaultRocketPicture();
    EXPECT_EQ(placeholder.size(), QSize(60, 65));
    EXPECT_EQ(rocketPicture(storage, QString()), placeholder);
    EXPECT_EQ(rocketPicture(storage, QStringLiteral("missing.bmp")), placeholder);
    QFile broken(storage + QStringLiteral("broken.jpg"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a picture at all");
    broken.close();
    EXPECT_EQ(rocketPicture(storage, QStringLiteral("broken.jpg")), placeholder);

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

TEST(RocketImage, ChoosingCopiesIntoStorageAndAsksBeforeReplacing)
{
    QTemporaryDir source;
    QTemporaryDir storageDir;
    ASSERT_TRUE(source.isValid() && storageDir.isValid());
    const QString storage = storageDir.path() + QLatin1Char('/');
    const QString picked = source.filePath(QStringLiteral("dart.png"));
    QImage image(10, 10, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(image.save(picked));
    CScriptedPrompter prompter;
    CScriptedFileChooser files;
    CUiServices ui {prompter, files};

    files.script({QString()});
    EXPECT_TRUE(chooseRocketImage(ui, nullptr, storage, {QStringLiteral("dart.png")}).isNull());

    files.script({picked});
    EXPECT_EQ(chooseRocketImage(ui, nullptr, storage, {QStringLiteral("dart.png")}), QStringLiteral("dart.png"));
    EXPECT_TRUE(QFile::exists(storage + QStringLiteral("dart.png")));
    EXPECT_TRUE(prompter.shown().isEmpty());

    // Already there: the question comes, and No changes nothing.
    files.script({picked});
    prompter.script({PromptAnswer::No});
    EXPECT_TRUE(chooseRocketImage(ui, nullptr, storage, {QStringLiteral("dart.png")}).isNull());
    ASSERT_EQ(prompter.shown().size(), 1);
    EXPECT_EQ(prompter.shown().first().text, QStringLiteral("File Exists\ndart.png\nOverwrite?"));

    // The file already in the storage directory is kept as it is and named.
    files.script({storage + QStringLiteral("dart.png")});
    prompter.script({PromptAnswer::Yes});
    EXPECT_EQ(chooseRocketImage(ui, nullptr, storage, {QStringLiteral("dart.png")}), QStringLiteral("dart.png"));
    EXPECT_EQ(QImage(storage + QStringLiteral("dart.png")).pixelColor(0, 0), QColor(Qt::blue));
}

TEST(RocketImage, FailedCopyIsReportedAndNamesNothing)
{
    QTemporaryDir source;
    ASSERT_TRUE(source.isValid());
    const QString picked = source.filePath(QStringLiteral("dart.png"));
    QImage image(10, 10, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(image.save(picked));
    // A storage "directory" that is a plain file: nothing can be copied into it,
    // whoever runs the test.
    const QString blocked = source.filePath(QStringLiteral("not-a-folder"));
    QFile file(blocked);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    CScriptedPrompter prompter;
    CScriptedFileChooser files;
    files.script({picked});
    EXPECT_TRUE(chooseRocketImage({prompter, files}, nullptr, blocked + QLatin1Char('/'), {}).isNull());
    ASSERT_EQ(prompter.shown().size(), 1);
    EXPECT_EQ(prompter.shown().first().caption, QStringLiteral("Error"));
}

TEST(RocketImage, PictureNeverReplacesTheLogbookOrAnotherFile)
{
    CTestLogbook logbook;
    QTemporaryDir source;
    ASSERT_TRUE(logbook.isValid() && source.isValid());
    ASSERT_TRUE(logbook.exec({"INSERT INTO Rockets (ID,Name,Image) VALUES (1,'Alpha','dart.png')"}));
    const QString storage = logbook.directory();
    ASSERT_TRUE(writeTestFile(storage + QStringLiteral("dart.png"), "old picture"));
    ASSERT_TRUE(writeTestFile(storage + QStringLiteral("Launch.wav"), "a sound"));
    for (const char *name : {"TarvelDB.CDB", "Launch.wav", "dart.png"})
        ASSERT_TRUE(writeTestFile(source.filePath(QLatin1String(name)), "new picture"));
    const QByteArray logbookBytes = readTestFile(logbook.databaseFile());

    CRecordStore store;
    ASSERT_TRUE(store.Open(storage));
    CSettingsStore settings(storage + QStringLiteral("settings.ini"));
    CScriptedPrompter prompter;
    CScriptedFileChooser files;
    CRocketEditSheet sheet({store, settings, {prompter, files}, storage}, QStringLiteral("1"));
    sheet.show();
    QAbstractButton *browse = driver::find<QAbstractButton>(sheet.mainPage(), QStringLiteral("..."));
    QLineEdit *image = driver::find<QLineEdit>(sheet.mainPage(), QStringLiteral("Image file"));

    // The logbook and a sound are refused, and Yes is never asked for.
    prompter.setFallback(PromptAnswer::Yes);
    for (const char *name : {"TarvelDB.CDB", "Launch.wav"}) {
        prompter.clear();
        files.script({source.filePath(QLatin1String(name))});
        driver::tap(browse);
        ASSERT_EQ(prompter.shown().size(), 1) << name;
        EXPECT_EQ(prompter.shown().first().caption, QStringLiteral("Error"));
        EXPECT_TRUE(prompter.shown().first().text.contains(QLatin1String(name)));
        EXPECT_EQ(image->text(), QStringLiteral("dart.png"));
    }
    EXPECT_EQ(readTestFile(logbook.databaseFile()), logbookBytes);
    EXPECT_EQ(readTestFile(storage + QStringLiteral("Launch.wav")), QByteArray("a sound"));

    // The rocket's own picture may be replaced, after a question that names it.
    prompter.clear();
    files.script({source.filePath(QStringLiteral("dart.png"))});
    driver::tap(browse);
    ASSERT_EQ(prompter.shown().size(), 1);
    EXPECT_EQ(prompter.shown().first().text, QStringLiteral("File Exists\ndart.png\nOverwrite?"));
    EXPECT_EQ(readTestFile(storage + QStringLiteral("dart.png")), QByteArray("new picture"));
    EXPECT_TRUE(QDir(storage).entryList({QStringLiteral("*.part")}).isEmpty());
}

TEST(RocketImage, APictureDroppedOnTheMainPageIsTakenAsIfChosen)
{
    CTestLogbook logbook;
    QTemporaryDir source;
    ASSERT_TRUE(logbook.isValid() && source.isValid());
    ASSERT_TRUE(logbook.exec({"INSERT INTO Rockets (ID,Name) VALUES (1,'Alpha')"}));
    const QString storage = logbook.directory();
    const QString picture = source.filePath(QStringLiteral("dart.png"));
    QImage image(10, 10, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(image.save(picture));
    ASSERT_TRUE(writeTestFile(source.filePath(QStringLiteral("TarvelDB.CDB")), "not a logbook"));
    const QByteArray logbookBytes = readTestFile(logbook.databaseFile());

    CRecordStore store;
    ASSERT_TRUE(store.Open(storage));
    CSettingsStore settings(storage + QStringLiteral("settings.ini"));
    CScriptedPrompter prompter;
    CScriptedFileChooser files;
    CRocketEditSheet sheet({store, settings, {prompter, files}, storage}, QStringLiteral("1"));
    sheet.show();
    QWidget *page = sheet.mainPage();
    QLineEdit *imageField = driver::find<QLineEdit>(page, QStringLiteral("Image file"));
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

    EXPECT_FALSE(drop({QUrl(QStringLiteral("https://example.org/dart.png"))}));
    EXPECT_FALSE(drop({QUrl::fromLocalFile(picture), QUrl::fromLocalFile(picture)}));
    // The logbook's name is refused as the chooser refuses it.
    prompter.setFallback(PromptAnswer::Yes);
    EXPECT_TRUE(drop({QUrl::fromLocalFile(source.filePath(QStringLiteral("TarvelDB.CDB")))}));
    ASSERT_EQ(prompter.shown().size(), 1);
    EXPECT_EQ(prompter.shown().first().caption, QStringLiteral("Error"));
    EXPECT_EQ(readTestFile(logbook.databaseFile()), logbookBytes);
    EXPECT_TRUE(imageField->text().isEmpty());

    EXPECT_TRUE(drop({QUrl::fromLocalFile(picture)}));
    EXPECT_EQ(imageField->text(), QStringLiteral("dart.png"));
    EXPECT_EQ(QImage(storage + QStringLiteral("dart.png")).pixelColor(0, 0), QColor(Qt::blue));
    ASSERT_TRUE(sheet.confirm());
    EXPECT_EQ(logbook.rows(QStringLiteral("SELECT Image FROM Rockets")), QStringList({QStringLiteral("dart.png")}));
}
