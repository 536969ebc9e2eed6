#pragma once

#include "ui/ListScreen.h"
#include "ui/UiServices.h"

class CRecordStore;
class CSortListCtrl;
class QComboBox;
class QLabel;

// "QUERY": runs one saved query at a time and shows its result with one column
// per field. QUERIES opens the builder on the same store; EXPORT writes the
// chosen query's result to a ".csv" or ".htm" file. The store is borrowed.
class CQueryDlg : public CListScreen
{
    Q_OBJECT

public:
    CQueryDlg(CRecordStore &store, CUiServices ui, QWidget *parent = nullptr);

    int selectedIndex() const { return m_selected; }
    QComboBox *queryBox() const { return m_queryBox; }
    QLabel *queryLabel() const { return m_queryLabel; }
    CSortListCtrl *resultList() const { return m_list; }
    // The line under the list that says why the chosen query gave no result.
    QLabel *errorLine() const { return m_errorLine; }

    // Refills the query box and, when the chosen position holds a query, shows its result.
    void refresh();
    // What choosing a line of the query box does; -1 chooses nothing.
    void selectQuery(int index);

public slots:
    void onQueries();
    void onExport();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void showError(const QString &text);
    void showResult(const QString &name, const QString &sql);

    CRecordStore &m_store;
    CUiServices m_ui;
    QComboBox *m_queryBox = nullptr;
    QLabel *m_queryLabel = nullptr;
    CSortListCtrl *m_list = nullptr;
    QLabel *m_errorLine = nullptr;
    int m_selected = -1;
};
