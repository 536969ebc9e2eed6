#include "ui/DropDownSizing.h"

#include <QAbstractItemView>
#include <QComboBox>

#include <algorithm>

int dropDownListHeight(int itemHeight, int itemCount, int windowHeight, int comboBottom)
{
    const int wanted = itemHeight * (std::max(itemCount, 0) + 2);
    const int room = windowHeight - comboBottom;
    // A combo box at the very bottom still gets one row rather than none.
    return std::max(std::min(wanted, room), std::max(itemHeight, 0));
}

void sizeDropDown(QComboBox *combo)
{
    if (!combo)
        return;
    QWidget *window = combo->window();
    const int itemHeight = combo->count() > 0 && combo->view()->sizeHintForRow(0) > 0 ? combo->view()->sizeHintForRow(0)
                                                                                      : combo->fontMetrics().height();
    const int bottom = combo->mapTo(window, QPoint(0, combo->height())).y();
    const int height = dropDownListHeight(itemHeight, combo->count(), window->height(), bottom);
    combo->setMaxVisibleItems(std::max(1, height / std::max(itemHeight, 1)));
    // Styles that open a non-editable combo box as a menu (Fusion among them)
    // ignore the row count and cover the screen; a plain list keeps to it.
    static const QString listPopup = QStringLiteral("QComboBox { combobox-popup: 0; }");
    if (!combo->isEditable() && !combo->styleSheet().contains(listPopup))
        combo->setStyleSheet(combo->styleSheet() + listPopup);
}
