#pragma once

#include "ui/ListScreen.h"
#include "ui/UiServices.h"

class CQueryLineDelegate;
class CRecordStore;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;

// "QUERY BUILDER": the saved queries in name order, and commands to add,
// remove and replace one, or to add the three defaults. The store is borrowed
// from the opener, which keeps it.
class CQueryBuilderDlg : public CListScreen
{
    Q_OBJECT

public:
    CQueryBuilderDlg(CRecordStore &store, CUiServices ui, QWidget *parent = nullptr);

    int selectedIndex() const { return m_selected; }
    QLineEdit *nameEdit() const { return m_nameEdit; }
    QPlainTextEdit *sqlEdit() const { return m_sqlEdit; }
    QListWidget *queryList() const { return m_list; }

public slots:
    void onAdd();
    void onRemove();
    void onUpdate();
    void onDefault();

private:
    void loadList();
    void onSelectionChanged(int row);
    void limitSqlText();
    // The two edits, or nothing after telling the user more is needed.
    bool readFields(QString *name, QString *sql);
    void clearSelection();

    CRecordStore &m_store;
    CUiServices m_ui;
    QLineEdit *m_nameEdit = nullptr;
    QPlainTextEdit *m_sqlEdit = nullptr;
    QListWidget *m_list = nullptr;
    CQueryLineDelegate *m_delegate = nullptr;
    int m_selected = -1;
};
