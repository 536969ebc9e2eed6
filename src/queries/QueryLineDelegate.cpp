#include "queries/QueryLineDelegate.h"

#include <QApplication>
#include <QPainter>

namespace {
constexpr int kGap = 6;
constexpr int kMargin = 3;
} // namespace

CQueryLineDelegate::CQueryLineDelegate(int tabStop, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_tabStop(tabStop)
{ }

void CQueryLineDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QString line = item.text;
    item.text.clear();
    const QStyle *style = item.widget ? item.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, item.widget);

    const qsizetype tab = line.indexOf(QLatin1Char('\t'));
    const QString name = tab < 0 ? line : line.left(tab);
    const QString sql = tab < 0 ? QString() : line.mid(tab + 1).simplified();
    const QRect area = item.rect.adjusted(kMargin, 0, -kMargin, 0);
    const QRect nameRect(area.left(), area.top(), std::min(m_tabStop - kGap, area.width()), area.height());
    const QRect sqlRect(area.left() + m_tabStop, area.top(), std::max(0, area.width() - m_tabStop), area.height());

    painter->save();
    const bool selected = item.state & QStyle::State_Selected;
    painter->setPen(item.palette.color(QPalette::Normal, selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(item.font);
    const QFontMetrics metrics(item.font);
    painter->drawText(nameRect, Qt::AlignLeft | Qt::AlignVCenter,
                      metrics.elidedText(name, Qt::ElideRight, nameRect.width()));
    painter->drawText(sqlRect, Qt::AlignLeft | Qt::AlignVCenter,
                      metrics.elidedText(sql, Qt::ElideRight, sqlRect.width()));
    painter->restore();
}
