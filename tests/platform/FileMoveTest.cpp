#include "platform/FileMove.h"

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
    QFile file(a);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("alpha");
    file.close();

    EXPECT_TRUE(moveFile(a, a)); // onto itself: nothing to do
    EXPECT_TRUE(moveFile(a, b));
    EXPECT_FALSE(QFile::exists(a));

    QFile other(a);
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("other");
    other.close();
    EXPECT_FALSE(moveFile(a, b)); // b exists
    QFile kept(b);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("alpha"));

    EXPECT_FALSE(moveFile(dir.filePath(QStringLiteral("missing")), dir.filePath(QStringLiteral("c"))));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    EXPECT_FALSE(moveFile(dir.filePath(QStringLiteral("folder")), dir.filePath(QStringLiteral("moved"))));
    EXPECT_FALSE(moveFile(a, dir.filePath(QStringLiteral("no/such/folder/a.txt"))));
    EXPECT_TRUE(QFile::exists(a));
}

} // namespace
