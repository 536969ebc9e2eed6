#pragma once

#include <array>

class CMotorLineModel;
class QTreeView;
class QWidget;

// The read-only motor list both motor screens show: one line per motor in four
// columns under the headings MFG, Type, Delay and Size, chosen by a tap. Each
// column is as wide as its longest value (at least the given width, the
// handheld's), the flyer can resize it, and the list scrolls sideways when
// the columns do not fit. Columns are sized again whenever the lines change.
QTreeView *createMotorListView(CMotorLineModel *model, const std::array<int, 4> &columnWidths, QWidget *parent);
