#include "platform/FileMove.h"

#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(FileMove, RenamesWithoutEverOverwriting)
{
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a.txt"));
    const QString b = dir.filePath(QStringLiteral("b.txt"));
    ASSERT_TRUE(writeTestFile(a, "alpha"));

    EXPECT_TRUE(moveFile(a, a)); // onto itself: nothing to do
    EXPECT_TRUE(moveFile(a, b));
    EXPECT_FALSE(QFile::exists(a));

    ASSERT_TRUE(writeTestFile(a, "other"));
    EXPECT_FALSE(moveFile(a, b)); // b exists
    EXPECT_EQ(readTestFile(b), QByteArray("alpha"));

    EXPECT_FALSE(moveFile(dir.filePath(QStringLiteral("missing")), dir.filePath(QStringLiteral("c"))));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    EXPECT_FALSE(moveFile(dir.filePath(QStringLiteral("folder")), dir.filePath(QStringLiteral("moved"))));
    EXPECT_FALSE(moveFile(a, dir.filePath(QStringLiteral("no/such/folder/a.txt"))));
    EXPECT_TRUE(QFile::exists(a));
}

} // namespace
