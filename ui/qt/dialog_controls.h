// The option dialogs' controls as Qt widgets: created as their design describes them,
// and placed in the dialog units of the dialogs' font.
#pragma once

#include <QFont>
#include <QString>
#include <Qt>

#include <span>

#include "ui/model/dialog_units.h"
#include "ui/model/option_dialog_designs.h"

class QComboBox;
class QLabel;
class QTableWidget;
class QWidget;

namespace hanabira {

// The main window's family, at the 8 points (11 pixels on a 96-dpi screen) the layouts
// were drawn for.
QFont optionDialogFont();

QWidget* createTextField(const TextFieldStyle& style, QWidget* parent);
QComboBox* createChoiceBox(ChoiceList list, QWidget* parent);
// Columns named as "VCount,Timer0,...", whole rows picked one at a time, nothing edited.
QTableWidget* createTable(const QString& columnNames, QWidget* parent);
QLabel* createLabel(const QString& text, Qt::Alignment alignment, QWidget* parent);

// Places each control where its design says (`controls[i]` is `places[i]`); a check
// box, radio button or label too narrow for its text grows to the right.
void placeControls(std::span<QWidget* const> controls, std::span<const DialogControl> places, const DialogUnits& units,
                   int dialogWidth);

}  // namespace hanabira
