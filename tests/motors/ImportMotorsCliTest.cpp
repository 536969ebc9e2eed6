// tarvel-cli import-motors on the storage directory's logbook, file by file.
#include "support/TestFiles.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
struct CRun
{
    int exitCode;
    QString out;
    QString err;
};

CRun runCli(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(TARVEL_CLI), arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}
} // namespace

TEST(ImportMotorsCli, ImportsEachFileInTurn)
{
    QTemporaryDir folder;
    const QString eng = folder.filePath(QStringLiteral("two.eng"));
    const QString empty = folder.filePath(QStringLiteral("empty.eng"));
    ASSERT_TRUE(writeTestFile(eng, "; c\nC6 18 70 5 0 0 Estes\n1 1\n; c\nD12 24 70 5 0 0 Estes\n1 1\n"));
    ASSERT_TRUE(writeTestFile(empty, QByteArray()));

    const CRun run = runCli({QStringLiteral("import-motors"), eng, empty, folder.filePath(QStringLiteral("gone.eng"))});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, eng + QStringLiteral(": Motors Extracted =2\n"));
    EXPECT_TRUE(run.err.contains(empty + QStringLiteral(": Nothing loaded from file"))) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("gone.eng"))) << run.err.toStdString();

    EXPECT_EQ(runCli({QStringLiteral("import-motors"), eng}).exitCode, 0);
    const CRun info = runCli({QStringLiteral("info")});
    EXPECT_TRUE(info.out.contains(QStringLiteral("Motors: 4"))) << info.out.toStdString();

    EXPECT_EQ(runCli({QStringLiteral("import-motors")}).exitCode, 2);
}
