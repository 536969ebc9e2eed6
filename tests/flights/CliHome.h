#pragma once

#include "platform/SettingsStore.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <utility>

// tarvel-cli with its own settings and data folders under a temporary home.
class CCliHome
{
public:
    bool isValid() const { return m_home.isValid(); }
    // The storage directory the command line uses until told otherwise.
    QString storageDirectory() const { return m_home.path() + QStringLiteral("/data/Zendrak/Tarvel/"); }

    // Points the command line at the logbook in directory, after a first run
    // has written every setting.
    void useStorageDirectory(const QString &directory)
    {
        EXPECT_EQ(run({QStringLiteral("info")}).status, 0);
        EXPECT_TRUE(CSettingsStore(m_home.path() + QStringLiteral("/config/Zendrak/Tarvel.ini"))
                        .WriteSetting(QStringLiteral("Default Directory"), directory));
    }

    struct CResult
    {
        int status;
        QByteArray out;
        QString err;
    };
    CResult run(const QStringList &arguments) const
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.path() + QStringLiteral("/config"));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), m_home.path() + QStringLiteral("/data"));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(TARVEL_CLI), arguments);
        EXPECT_TRUE(process.waitForFinished(30000));
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput(),
                QString::fromUtf8(process.readAllStandardError())};
    }

private:
    QTemporaryDir m_home;
};
