#include "queries/QueryLineDelegate.h"

#include <QApplication>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {
constexpr int kGap = 6;
constexpr int kMargin = 3;

struct CLineParts
{
    QString name;
    QString sql;
};

CLineParts splitLine(const QString &line)
{
    const qsizetype tab = line.indexOf(QLatin1Char('\t'));
    if (tab < 0)
        return {line, QString()};
    return {line.left(tab), line.mid(tab + 1).simplified()};
}
} // namespace

CQueryLineDelegate::CQueryLineDelegate(int tabStop, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_tabStop(tabStop)
{ }

int CQueryLineDelegate::tabStopFor(const QFont &font, const QString &name)
{
    return textWidth(font, name) + kGap;
}

// Rounded up, with a pixel to spare: a text given its rounded width is elided.
int CQueryLineDelegate::textWidth(const QFont &font, const QString &text)
{
    return int(std::ceil(QFontMetricsF(font).horizontalAdvance(text))) + 1;
}

void CQueryLineDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const CLineParts parts = splitLine(item.text);
    item.text.clear();
    const QStyle *style = item.widget ? item.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, item.widget);

    const QRect area = item.rect.adjusted(kMargin, 0, -kMargin, 0);
    const QRect nameRect(area.left(), area.top(), std::min(m_tabStop - kGap, area.width()), area.height());
    const QRect sqlRect(area.left() + m_tabStop, area.top(), std::max(0, area.width() - m_tabStop), area.height());

    painter->save();
    const bool selected = item.state & QStyle::State_Selected;
    painter->setPen(item.palette.color(QPalette::Normal, selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(item.font);
    const QFontMetrics metrics(item.font);
    painter->drawText(nameRect, Qt::AlignLeft | Qt::AlignVCenter,
                      metrics.elidedText(parts.name, Qt::ElideRight, nameRect.width()));
    painter->drawText(sqlRect, Qt::AlignLeft | Qt::AlignVCenter,
                      metrics.elidedText(parts.sql, Qt::ElideRight, sqlRect.width()));
    painter->restore();
}

QSize CQueryLineDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    const CLineParts parts = splitLine(index.data(Qt::DisplayRole).toString());
    const int nameRoom = std::max(m_tabStop, tabStopFor(option.font, parts.name));
    size.setWidth(2 * kMargin + nameRoom + textWidth(option.font, parts.sql));
    return size;
}
