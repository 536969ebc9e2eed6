#pragma once

#include "platform/SettingsStore.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// tarvel-cli with settings and data folders of its own under a temporary home,
// so that no two tests share a logbook, whichever run in one process.
class CCliHome
{
public:
    bool isValid() const { return m_home.isValid(); }
    QString path() const { return m_home.path(); }
    // The storage directory the command line uses until told otherwise.
    QString storageDirectory() const { return m_home.path() + QStringLiteral("/data/Zendrak/Tarvel/"); }
    QString settingsFile() const { return m_home.path() + QStringLiteral("/config/Zendrak/Tarvel.ini"); }

    // Points the command line at the logbook in directory, after a first run
    // has written every setting.
    void useStorageDirectory(const QString &directory)
    {
        EXPECT_EQ(run({QStringLiteral("info")}).status, 0);
        EXPECT_TRUE(CSettingsStore(settingsFile()).WriteSetting(QLatin1String(kSettingDefaultDirectory), directory));
    }

    struct CResult
    {
        int status; // -1 when the command crashed or never ended
        QByteArray out;
        QString err;
    };
    // Starts the command without waiting for it, for a test that reads its
    // output while it runs or runs several at once.
    void start(QProcess &process, const QStringList &arguments) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.path() + QStringLiteral("/config"));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), m_home.path() + QStringLiteral("/data"));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(TARVEL_CLI), arguments);
    }
    CResult run(const QStringList &arguments) const
    {
        QProcess process;
        start(process, arguments);
        const bool ended = process.waitForFinished(60000);
        if (!ended)
            process.kill();
        EXPECT_TRUE(ended) << "tarvel-cli " << arguments.join(QLatin1Char(' ')).toStdString() << " never ended";
        return {ended && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                process.readAllStandardOutput(), QString::fromUtf8(process.readAllStandardError())};
    }

private:
    QTemporaryDir m_home;
};
