#pragma once

#include "db/StoreReporter.h"

#include <functional>

class CPrompter;
class QWidget;

// Shows the store's reports in message boxes. A fatal report ends the program
// with a failure status once the user has read it.
class CPromptStoreReporter : public CStoreReporter
{
public:
    using Exit = std::function<void(int)>;

    CPromptStoreReporter(CPrompter &prompter, QWidget *parent, Exit exit);

    void fatalError(const QString &text) override;
    void problem(const QString &caption, const QString &text) override;

    void setParent(QWidget *parent) { m_parent = parent; }

private:
    CPrompter &m_prompter;
    QWidget *m_parent;
    Exit m_exit;
};
