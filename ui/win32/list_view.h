// A dialog's table as a list view in report style: its columns, and its rows as the
// model's cells (UTF-8).
#pragma once

#include <windows.h>

#include <string_view>

#include "ui/model/option_dialog_flow.h"

namespace hanabira {

// Columns named as "VCount,Timer0,...", sharing the list's width; a click picks a whole row.
void addListColumns(HWND table, std::string_view columnNames);
// Replaces the rows; `picked` (-1: none) is selected.
void showListRows(HWND table, const DialogRows& rows, int picked);
DialogRows listRows(HWND table);
int pickedListRow(HWND table);  // -1: none

}  // namespace hanabira
