#pragma once

class QComboBox;

// How tall a combo box's drop-down list may be: room for every item and two
// more, but never past the bottom of the window below the combo box.
// comboBottom is the combo box's bottom edge in the window's coordinates.
int dropDownListHeight(int itemHeight, int itemCount, int windowHeight, int comboBottom);

// Applies the rule to a combo box: its drop-down shows as many rows as fit the
// height the rule gives (at least one). Call it after the items change.
void sizeDropDown(QComboBox *combo);
