// Shared helpers of the option-dialog tests: a main window with its dialogs, a dialog's
// controls by id, the scripts played in a dialog, and settings compared field by field.
#pragma once

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QString>

#include "core/search_settings.h"
#include "ui/model/dialog_control_ids.h"
#include "ui/qt/main_window.h"
#include "ui/qt/option_dialog.h"
#include "window_scripts.h"

namespace hanabira::testing {

// Clicks the window's "設定" button `command` and returns the dialog that opened.
OptionDialog* openDialog(const MainWindow& window, int command);

QLineEdit* field(const OptionDialog& dialog, int id);
QComboBox* choiceBox(const OptionDialog& dialog, int id);
QAbstractButton* button(const OptionDialog& dialog, int id);

// Replaces a field's text the way a user does: select all, type.
void type(const OptionDialog& dialog, int id, const QString& text);
void setChecked(const OptionDialog& dialog, int id, bool checked);
// Selects the item with this text; fails the program if there is none.
void choose(const OptionDialog& dialog, int id, const QString& item);
// Does the steps to the dialog's controls, typing as a user does.
void play(const OptionDialog& dialog, const ControlSteps& steps);
void pressOk(const OptionDialog& dialog);
void pressCancel(const OptionDialog& dialog);

// Every field as JSON text, one per line: equal settings give equal texts, and a
// failing comparison shows the fields that differ.
QString settingsText(const SearchSettings& settings);

}  // namespace hanabira::testing
