#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

// The cells of the sortable list: every row keeps its own copy of each cell's
// text, so that sorting never asks the record store again.
class CSortListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit CSortListModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Inserts a column before position (appends when it is out of range); returns where it went.
    int insertListColumn(int position, const QString &heading, Qt::Alignment alignment);
    bool removeListColumn(int position);

    // A row holding text in column 0 and empty texts elsewhere, inserted before
    // position (clamped to the ends); returns its index.
    int insertListRow(int position, const QString &text);
    bool setText(int row, int column, const QString &text);
    QString text(int row, int column) const;
    void removeAllRows();

    // Where a row with this first text would go among rows sorted that way (after its equals).
    int sortedPosition(const QString &text, int column, bool ascending) const;
    // Reorders the rows; selections and other persistent indexes follow their rows.
    void sortRows(int column, bool ascending);

    // Between these two, changes are not announced one by one: views are told
    // once, at the end, that everything changed. Filling large results needs it.
    void beginBulkChange();
    void endBulkChange();
    bool inBulkChange() const { return m_bulk; }

private:
    QList<QStringList> m_rows;
    QStringList m_headings;
    QList<Qt::Alignment> m_alignments;
    bool m_bulk = false;
};
