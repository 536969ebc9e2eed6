#include "queries/SortListCtrl.h"

#include "queries/SortListModel.h"

#include <QEvent>
#include <QHeaderView>

#include <algorithm>

namespace {
// Room around a cell's text and a heading's text (with its sort arrow).
constexpr int kCellPadding = 10;
constexpr int kHeadingPadding = 22;
// Rows measured after a fill, from the top as the list shows them.
constexpr int kSampledRows = 200;
} // namespace

CSortListCtrl::CSortListCtrl(QWidget *parent)
    : QTreeView(parent)
    , m_model(new CSortListModel(this))
{
    setModel(m_model);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    header()->setSectionsClickable(true);
    header()->setSortIndicatorShown(false);
    connect(header(), &QHeaderView::sectionClicked, this, &CSortListCtrl::sortOnColumn);
}

CSortListCtrl::~CSortListCtrl() = default;

int CSortListCtrl::headingWidth(const QString &heading) const
{
    return header()->fontMetrics().horizontalAdvance(heading) + kHeadingPadding;
}

int CSortListCtrl::insertColumn(int position, const QString &heading, Qt::Alignment alignment, int width)
{
    if (width < 0)
        width = headingWidth(heading);
    const int column = m_model->insertListColumn(position, heading, alignment);
    m_minimumWidths.insert(column, width);
    m_widths.insert(column, width);
    m_longestTexts.insert(column, QString());
    if (!m_filling)
        header()->resizeSection(column, width);
    return column;
}

bool CSortListCtrl::deleteColumn(int position)
{
    if (!m_model->removeListColumn(position))
        return false;
    m_minimumWidths.removeAt(position);
    m_widths.removeAt(position);
    m_longestTexts.removeAt(position);
    // The sort column is kept by number: a list refilled with new columns stays
    // sorted the way the user last asked.
    return true;
}

int CSortListCtrl::columnCount() const
{
    return m_model->columnCount();
}

int CSortListCtrl::minimumColumnWidth(int column) const
{
    return m_minimumWidths.value(column, -1);
}

int CSortListCtrl::insertItem(int position, const QString &text)
{
    if (position < 0 && sortIsSet() && !m_filling)
        position = m_model->sortedPosition(text, m_sortColumn, m_ascending);
    const int row = m_model->insertListRow(position, text);
    fitText(0, text);
    return row;
}

bool CSortListCtrl::setItemText(int row, int column, const QString &text)
{
    if (!m_model->setText(row, column, text))
        return false;
    fitText(column, text);
    return true;
}

int CSortListCtrl::textWidth(const QString &text)
{
    if (text.isEmpty())
        return 0;
    if (!m_meter)
        m_meter.emplace(font());
    return m_meter->width(text);
}

void CSortListCtrl::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        m_meter.reset();
    QTreeView::changeEvent(event);
}

// A cell set on its own is measured at once. During a fill only the longest
// text of each column is kept, and endFill() measures it with a sample of the
// rows: a hundred thousand rows cost a length comparison each.
void CSortListCtrl::fitText(int column, const QString &text)
{
    if (!m_filling) {
        fitColumn(column, textWidth(text));
        return;
    }
    if (column >= 0 && column < m_longestTexts.size() && text.size() > m_longestTexts.at(column).size())
        m_longestTexts[column] = text;
}

void CSortListCtrl::fitSampledRows()
{
    const int rows = std::min(itemCount(), kSampledRows);
    for (int c = 0; c < m_longestTexts.size(); ++c) {
        int widest = textWidth(m_longestTexts.at(c));
        for (int row = 0; row < rows; ++row)
            widest = std::max(widest, textWidth(m_model->text(row, c)));
        fitColumn(c, widest);
        m_longestTexts[c].clear();
    }
}

// Columns only grow while cells are set: a refit never walks the other rows.
void CSortListCtrl::fitColumn(int column, int textWidth)
{
    if (column < 0 || column >= m_widths.size())
        return;
    const int wanted = std::max(m_minimumWidths.at(column), textWidth + kCellPadding);
    if (wanted <= m_widths.at(column))
        return;
    m_widths[column] = wanted;
    if (!m_filling)
        header()->resizeSection(column, wanted);
}

QString CSortListCtrl::itemText(int row, int column) const
{
    return m_model->text(row, column);
}

int CSortListCtrl::itemCount() const
{
    return m_model->rowCount();
}

void CSortListCtrl::deleteAllItems()
{
    m_model->removeAllRows();
    for (QString &longest : m_longestTexts)
        longest.clear();
    // With the rows gone, so is what the columns were widened for.
    for (int c = 0; c < m_widths.size(); ++c)
        m_widths[c] = std::max(m_minimumWidths.at(c),
                               headingWidth(m_model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString()));
    if (!m_filling)
        applyWidths();
}

void CSortListCtrl::sortOnColumn(int column)
{
    if (column < 0 || column >= columnCount())
        return;
    if (column == m_sortColumn) {
        m_ascending = !m_ascending;
    } else {
        m_sortColumn = column;
        m_ascending = true;
    }
    m_model->sortRows(m_sortColumn, m_ascending);
    showSortIndicator();
}

void CSortListCtrl::showSortIndicator()
{
    const bool shown = sortIsSet();
    header()->setSortIndicatorShown(shown);
    if (shown)
        header()->setSortIndicator(m_sortColumn, m_ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void CSortListCtrl::beginFill()
{
    if (m_filling)
        return;
    m_filling = true;
    m_model->beginBulkChange();
}

void CSortListCtrl::endFill()
{
    if (!m_filling)
        return;
    if (sortIsSet())
        m_model->sortRows(m_sortColumn, m_ascending);
    fitSampledRows();
    m_filling = false;
    m_model->endBulkChange();
    applyWidths();
    showSortIndicator();
}

void CSortListCtrl::applyWidths()
{
    for (int c = 0; c < m_widths.size(); ++c)
        header()->resizeSection(c, m_widths.at(c));
}
