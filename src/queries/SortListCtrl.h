#pragma once

#include "queries/TextWidthMeter.h"

#include <QList>
#include <QStringList>
#include <QTreeView>

#include <optional>

class CSortListModel;

// A report-style list that keeps its own copy of every cell's text and orders
// its rows by one column when its heading is clicked (again: the other way).
// Columns grow to fit their heading and contents, never below the width they
// were inserted with.
class CSortListCtrl : public QTreeView
{
    Q_OBJECT

public:
    explicit CSortListCtrl(QWidget *parent = nullptr);
    ~CSortListCtrl() override;

    // position -1 (or past the end) appends; width -1 fits the heading. Returns
    // the column's position.
    int insertColumn(int position, const QString &heading, Qt::Alignment alignment = Qt::AlignLeft, int width = -1);
    bool deleteColumn(int position);
    int columnCount() const;
    int minimumColumnWidth(int column) const;

    // A row with text in column 0; position -1 appends, or, while a sort column
    // is set, puts the row where the sort would. Returns the row's index, -1 on failure.
    int insertItem(int position, const QString &text);
    bool setItemText(int row, int column, const QString &text);
    QString itemText(int row, int column) const;
    int itemCount() const;
    void deleteAllItems();

    // The first request on a column sorts ascending, the next one on the same
    // column descending; -1 is ignored.
    void sortOnColumn(int column);
    int sortColumn() const { return m_sortColumn; }
    bool isSortAscending() const { return m_ascending; }

    // Fills many rows at once: the view is told once, at the end, rows
    // inserted while a sort column is set are put in order then, and the
    // columns are fitted to the longest text of each and to the top rows.
    void beginFill();
    void endFill();

protected:
    void changeEvent(QEvent *event) override;

private:
    // A sort column that the current columns have.
    bool sortIsSet() const { return m_sortColumn >= 0 && m_sortColumn < columnCount(); }
    int textWidth(const QString &text);
    void showSortIndicator();
    int headingWidth(const QString &heading) const;
    void fitText(int column, const QString &text);
    void fitSampledRows();
    void fitColumn(int column, int textWidth);
    void applyWidths();

    CSortListModel *m_model = nullptr;
    std::optional<CTextWidthMeter> m_meter;
    QList<int> m_minimumWidths;
    QList<int> m_widths;
    // The longest text (in characters) of each column set during a fill.
    QStringList m_longestTexts;
    int m_sortColumn = -1;
    bool m_ascending = true;
    bool m_filling = false;
};
