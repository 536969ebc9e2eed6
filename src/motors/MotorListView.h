#pragma once

#include <array>

class CMotorLineModel;
class QTreeView;
class QWidget;

// The read-only motor list both motor screens show: one line per motor in four
// aligned columns, chosen by a tap, with widths that line up with the edits above.
QTreeView *createMotorListView(CMotorLineModel *model, const std::array<int, 4> &columnWidths, QWidget *parent);
