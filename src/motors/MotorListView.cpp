#include "motors/MotorListView.h"

#include "motors/MotorLineModel.h"

#include <QHeaderView>
#include <QTreeView>

QTreeView *createMotorListView(CMotorLineModel *model, const std::array<int, 4> &columnWidths, QWidget *parent)
{
    auto *list = new QTreeView(parent);
    list->setModel(model);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setHeaderHidden(true);
    list->setItemsExpandable(false);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->header()->setStretchLastSection(true);
    for (int i = 0; i < 3; ++i)
        list->setColumnWidth(i, columnWidths[size_t(i)]);
    return list;
}
