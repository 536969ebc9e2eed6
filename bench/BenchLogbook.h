#pragma once

#include <QString>
#include <QTemporaryDir>

struct sqlite3;

// The one logbook every benchmark reads, made once per run through bare
// SQLite, so that each area is measured on the same data as the floor it is
// compared with:
// - 2,000 rockets, numbered in the reverse of their names' order (so that a
//   renumbering changes every number), every third clustered and staged;
// - 10,000 recommended motors, five a rocket in two stages of groups;
// - 100,000 flights, fifty a rocket, over 27 years, at 37 sites, half their
//   motors as the launch wizard stores them ("Estes C6-5") and half as typed;
// - 100,000 catalogue motors, each with its curve's figures;
// - the saved query "Flights": SELECT * FROM Launches.
class CBenchLogbook
{
public:
    static constexpr int kRockets = 2000;
    static constexpr int kRecMotors = 10000;
    static constexpr int kFlights = 100000;
    static constexpr int kMotors = 100000;

    static const CBenchLogbook &instance();

    bool isValid() const { return m_valid; }
    // The storage directory, ending with "/".
    QString directory() const { return m_dir.path() + QStringLiteral("/logbook/"); }
    QString file() const;
    // A fresh copy of the logbook in a storage directory of its own, for a
    // benchmark that changes it; empty when it cannot be made.
    QString copy() const;
    // A bare connection for the floors (read-only unless asked); null when
    // it cannot be opened. The caller closes it.
    sqlite3 *openBare(bool writable = false) const;
    // Scratch files beside the logbook.
    QString scratch(const QString &name) const { return m_dir.filePath(name); }

private:
    CBenchLogbook();

    QTemporaryDir m_dir;
    bool m_valid = false;
};

// The fastest plain read of a query: its statement stepped to its end, every
// column read as the UTF-8 text SQLite holds; the bytes read, -1 when it
// cannot run.
qint64 stepAsText(sqlite3 *db, const char *sql);
