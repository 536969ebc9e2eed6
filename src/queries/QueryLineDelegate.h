#pragma once

#include <QStyledItemDelegate>

// Draws a "name TAB SQL" line of the builder's list as two columns: the name
// before the tab stop, the SQL text from the tab stop on. Its size is what
// both texts need, so a list that scrolls sideways shows every line in full.
class CQueryLineDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    CQueryLineDelegate(int tabStop, QObject *parent = nullptr);

    // Where the SQL text starts, in pixels from the line's left margin.
    int tabStop() const { return m_tabStop; }
    void setTabStop(int tabStop) { m_tabStop = tabStop; }
    // The tab stop that leaves room for this name before it.
    static int tabStopFor(const QFont &font, const QString &name);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    static int textWidth(const QFont &font, const QString &text);

    int m_tabStop;
};
