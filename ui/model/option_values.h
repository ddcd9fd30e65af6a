// What the option dialogs show and what their OK stores, without any widget: a dialog's
// controls as plain values (DialogState), filled from the settings when it opens and
// read back into them on OK.
//
// Numbers are typed as text and read like the main window's fields: only the first few
// characters count (five for an ID, two for the dome's tolerance, ...), converted as atoi
// converts, so "12ab" is 12, an empty field 0, and nothing is refused. IDs keep the low
// 16 bits of what was typed: "70000" is 4464 and "-1" is 65535.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/search_settings.h"

namespace hanabira {

// The state of a dialog's controls, by control id.
struct DialogState {
  std::map<int, std::string> texts;  // text fields (UTF-8); an id not listed reads as empty
  std::set<int> checked;             // check boxes and radio buttons that are checked
  std::map<int, int> selected;  // choice boxes and tables: position of the selected item or row; -1 or absent for none
  std::map<int, std::vector<std::vector<std::string>>> rows;  // tables: the cells of each row (UTF-8)

  std::string_view text(int id) const;
  bool isChecked(int id) const { return checked.contains(id); }
  int selection(int id) const;
};

// Characters of a field that count.
inline constexpr int idFieldChars = 5;
inline constexpr int parentIvFieldChars = 255;
inline constexpr int naturePositionFieldChars = 9;
inline constexpr int domeSlackFieldChars = 2;

// A 16-bit ID from its field: the first five characters, low 16 bits kept.
std::uint16_t readIdField(std::string_view text);

// Per dialog: the controls as the dialog opens, and what OK stores. A choice box whose
// stored value has no item shows no selection, and OK then leaves that value alone.
DialogState shinyOptionsShown(const SearchSettings& settings);
void storeShinyOptions(const DialogState& state, SearchSettings& settings);
// While the controls ask for a stationary encounter whose personality values the game's
// ID correction would change, a note that says so; otherwise empty.
std::string_view shinyOptionsNote(const DialogState& state);

DialogState inheritanceOptionsShown(const SearchSettings& settings);
void storeInheritanceOptions(const DialogState& state, SearchSettings& settings);

DialogState keyInputOptionsShown(const SearchSettings& settings);
void storeKeyInputOptions(const DialogState& state, SearchSettings& settings);

DialogState deliverymanOptionsShown(const SearchSettings& settings);
void storeDeliverymanOptions(const DialogState& state, SearchSettings& settings);

DialogState cometShardOptionsShown(const SearchSettings& settings);
void storeCometShardOptions(const DialogState& state, SearchSettings& settings);

DialogState domeOptionsShown(const SearchSettings& settings);
void storeDomeOptions(const DialogState& state, SearchSettings& settings);

}  // namespace hanabira
