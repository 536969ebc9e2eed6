#include "motors/MotorListView.h"

#include "motors/MotorLineModel.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <QTreeView>

#include <algorithm>
#include <vector>

namespace {
// Rows measured exactly besides the longest value of each column; with a
// hundred thousand motors measuring every row would dominate opening the list.
constexpr int kSampleRows = 64;
// Rows a desktop window offers room for at first.
constexpr int kRowsWanted = 16;

// Asks for room for every column and a good number of rows, so that a desktop
// window sized to its content shows the list whole; it shrinks like any list.
class CMotorTreeView : public QTreeView
{
public:
    using QTreeView::QTreeView;

    // Every column as fitted, hidden ones too, so that a window sized to its
    // content has room to show them.
    std::vector<int> fittedWidths;

    QSize sizeHint() const override
    {
        const int frame = 2 * frameWidth();
        const int rows = std::max(sizeHintForRow(0), fontMetrics().height());
        int columns = 0;
        for (int column = 0; column < header()->count(); ++column)
            columns += isColumnHidden(column) && size_t(column) < fittedWidths.size() ? fittedWidths[size_t(column)]
                                                                                      : columnWidth(column);
        return {columns + verticalScrollBar()->sizeHint().width() + frame,
                header()->sizeHint().height() + kRowsWanted * rows + frame};
    }
};

void fitColumns(CMotorTreeView *list, const CMotorLineModel &model, const std::array<int, 4> &floors)
{
    list->fittedWidths.assign(size_t(model.columnCount()), 0);
    const QFontMetrics metrics = list->fontMetrics();
    // The item's text margins on both sides, and a character's slack for the glyphs
    // of a value that is not the longest but wider.
    const int margins = 2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1)
        + metrics.horizontalAdvance(QLatin1Char('M'));
    const int sampled = std::min(model.rowCount(), kSampleRows);
    for (int column = 0; column < model.columnCount(); ++column) {
        int width = metrics.horizontalAdvance(model.longestText(column));
        for (int row = 0; row < sampled; ++row)
            width = std::max(width, metrics.horizontalAdvance(model.index(row, column).data().toString()));
        const int header = list->header()->sectionSizeHint(column);
        const int floor = size_t(column) < floors.size() ? floors[size_t(column)] : 0;
        list->fittedWidths[size_t(column)] = std::max({width + margins, header, floor});
        list->setColumnWidth(column, list->fittedWidths[size_t(column)]);
    }
}
} // namespace

QTreeView *createMotorListView(CMotorLineModel *model, const std::array<int, 4> &columnWidths, QWidget *parent)
{
    auto *list = new CMotorTreeView(parent);
    list->setModel(model);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setItemsExpandable(false);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    list->header()->setSectionResizeMode(QHeaderView::Interactive);
    list->header()->setSectionsMovable(false);
    list->header()->setStretchLastSection(false);
    fitColumns(list, *model, columnWidths);
    QObject::connect(model, &QAbstractItemModel::modelReset, list,
                     [list, model, columnWidths] { fitColumns(list, *model, columnWidths); });
    return list;
}
