// Settings of Qt's widgets that the window's description asks for and Qt's styles do
// otherwise by default.
#pragma once

class QComboBox;
class QMessageBox;

namespace hanabira {

// An opened drop-down list as tall as `visibleItems` items, with a scroll bar. Styles
// that open the list as a menu around the current item (Fusion among them) ignore the
// combo box's maxVisibleItems and show every item.
void showAsScrollingList(QComboBox& box, int visibleItems);

// The message's lines as written: a label that wraps breaks Japanese text between any
// two characters, inside words too.
void keepLinesWhole(QMessageBox& box);

}  // namespace hanabira
