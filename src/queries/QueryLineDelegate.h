#pragma once

#include <QStyledItemDelegate>

// Draws a "name TAB SQL" line of the builder's list as two columns: the name
// cut to fit before the tab stop, the SQL text from the tab stop on.
class CQueryLineDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    CQueryLineDelegate(int tabStop, QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    int m_tabStop;
};
