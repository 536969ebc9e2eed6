#pragma once

#include "cli/CliCommand.h"
#include "cli/CliReporter.h"
#include "db/RecordStore.h"
#include "platform/SettingsStore.h"

#include <QCommandLineParser>
#include <QString>

#include <cstdio>
#include <memory>
#include <optional>

// Exit statuses every command keeps to.
inline constexpr int kCliSucceeded = 0;
inline constexpr int kCliFailed = 1; // not found, not readable, refused
inline constexpr int kCliUsage = 2; // the command line itself is wrong

// One run of a command: its parsed command line, its output and error
// streams, and, when it asks, the settings and the logbook, loaded as the
// program's start-up loads them. Results go to out a line at a time; errors go
// to err as "tarvel-cli: ..." lines.
class CCliRun
{
public:
    CCliRun(const CCliCommand &command, FILE *out, FILE *err);

    // Parses the arguments after the command's name. An empty result to go
    // on; else the status to end with, having printed the help (--help) or
    // what is wrong with the command line and its usage line.
    std::optional<int> parse(const QStringList &arguments);
    // The command's help: usage line, summary, options and arguments.
    QString helpText() const;

    QStringList arguments() const { return m_parser.positionalArguments(); }
    QString value(const QString &option) const { return m_parser.value(option); }
    bool isSet(const QString &option) const { return m_parser.isSet(option); }
    // The value of an option that takes one of `choices`; empty, after a
    // usage error, when it is another.
    std::optional<QString> choice(const QString &option, const QStringList &choices);

    // Prints the reason and the usage line; kCliUsage.
    int usageError(const QString &reason = QString());
    // Prints "tarvel-cli: " and the reason; kCliFailed.
    int fail(const QString &reason);
    // A note on err that does not end the command.
    void note(const QString &text);
    void print(const QString &line);
    // Text as it is, for JSON documents.
    void write(const QByteArray &bytes);

    // The settings, loaded (and at the first start written) as start-up does,
    // and the logbook created when it is missing; false after saying why.
    [[nodiscard]] bool prepare();
    // Prepares, then opens the logbook with the store's reports going to err;
    // null after saying why it cannot be used.
    CRecordStore *openStore();

    const CMainSettings &settings() const { return m_main; }
    // The settings file, for the settings beyond the main ones.
    const CSettingsStore &settingsStore() const { return m_settings; }
    QString storageDirectory() const { return m_main.storageDirectory; }
    FILE *out() const { return m_out; }
    FILE *err() const { return m_err; }

private:
    const CCliCommand &m_command;
    FILE *m_out;
    FILE *m_err;
    QCommandLineParser m_parser;
    CSettingsStore m_settings;
    CMainSettings m_main;
    bool m_prepared = false;
    CCliReporter m_reporter;
    std::unique_ptr<CRecordStore> m_store;
};

// Writes text as UTF-8 followed by a line end.
void printLine(FILE *stream, const QString &text);
