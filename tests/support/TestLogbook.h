#pragma once

#include <QString>
#include <QTemporaryDir>

class CRecordStore;

// A storage directory in a temporary folder holding a new, empty logbook.
class CTestLogbook
{
public:
    CTestLogbook();

    bool isValid() const { return m_valid; }
    // Ends with "/", like every storage directory.
    QString directory() const { return m_dir.path() + QLatin1Char('/'); }
    QString databaseFile() const;

    // Runs each statement on the logbook; false at the first that fails.
    bool exec(std::initializer_list<const char *> statements) const;
    // The rows of a query as "a|b|c" lines, for compact expectations.
    QStringList rows(const QString &sql) const;

private:
    QTemporaryDir m_dir;
    bool m_valid = false;
};
