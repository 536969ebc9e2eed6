#pragma once

#include <QWidget>

class CRecordStore;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

// The rockets of the catalogue by name, with the chosen rocket's summary (its
// kind, sizes, recovery, flights and recommended motors) beside them, for the
// desktop home. EDIT asks for the Rockets screens, where rockets are changed.
class CRocketListPane : public QWidget
{
    Q_OBJECT

public:
    explicit CRocketListPane(QWidget *parent = nullptr);

    // Lists the rockets of the store again, keeping the chosen one where it is
    // still there; a closed store lists none.
    void fill(CRecordStore &store);

    // The number of the chosen rocket; empty when none is chosen.
    QString currentRocketId() const;

    QListWidget *list() const { return m_list; }
    QPlainTextEdit *summary() const { return m_summary; }
    QPushButton *editButton() const { return m_edit; }

signals:
    void editRequested();

private:
    void showSummary(int row);

    CRecordStore *m_store = nullptr;
    QListWidget *m_list = nullptr;
    QPlainTextEdit *m_summary = nullptr;
    QPushButton *m_edit = nullptr;
};
