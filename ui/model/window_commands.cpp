#include "ui/model/window_commands.h"

#include <cstdlib>
#include <optional>
#include <utility>

#include "ui/model/config_file.h"
#include "ui/model/console_dialog.h"
#include "ui/model/control_ids.h"
#include "ui/model/main_window_layout.h"

namespace hanabira {
namespace {

// A file of the working directory.
std::filesystem::path workingFilePath(const char* name) { return std::filesystem::current_path() / name; }

}  // namespace

bool resultViewerWanted() {
  const char* noViewer = std::getenv("HANABIRA_NO_VIEWER");
  return noViewer == nullptr || std::string_view(noViewer) != "1";
}

WindowCommands::WindowCommands(WindowView& view, SearchRunner::Post post)
    : view_(view), search_(view, std::move(post)) {
  commands_[startButton] = [this] { search_.startOrAbort(fields(), settings_, workingFilePath(resultFileName)); };
  commands_[saveButton] = [this] { save(); };
}

void WindowCommands::opened() {
  const ConfigAtStart start = loadConfigForWindow(workingFilePath(configFileName), settings_);
  // The window then starts as without a file; a save replaces the file if it can.
  if (start.message) view_.showMessage(*start.message);
  WindowChanges loaded{start.fields.texts, {}};
  if (start.fields.versionRadio) loaded.checked[*start.fields.versionRadio] = true;
  applyWindowChanges(loaded);
}

void WindowCommands::setCommand(int id, std::function<void()> command) { commands_[id] = std::move(command); }

void WindowCommands::runCommand(int id) {
  const auto found = commands_.find(id);
  if (found != commands_.end()) found->second();
}

void WindowCommands::setDialogCommands(const DialogOpener& open) {
  for (const OptionDialogDesign& design : optionDialogDesigns) {
    setCommand(design.command, [open, &design] { open(design); });
  }
  setCommand(consoleDialogDesign.command, [open] { open(consoleDialogDesign); });
}

WindowFields WindowCommands::fields() const {
  WindowFields fields;
  for (const ControlPlace& place : mainWindowControls) {
    switch (place.kind) {
      case ControlKind::Edit:
        fields.texts[place.id] = view_.fieldText(place.id);
        break;
      case ControlKind::CheckBox:
      case ControlKind::RadioButton:
        if (view_.isChecked(place.id)) fields.checked.insert(place.id);
        break;
      case ControlKind::ComboBox:
        fields.hiddenPowerItem = view_.selectedItem(place.id);
        break;
      case ControlKind::PushButton:
        break;
    }
  }
  return fields;
}

SearchSettings WindowCommands::startSettings() const {
  SearchSettings settings = settings_;
  readStartFields(fields(), settings);
  return settings;
}

void WindowCommands::applyWindowChanges(const WindowChanges& changes) {
  for (const auto& [id, text] : changes.texts) view_.showFieldText(id, text);
  for (const auto& [id, checked] : changes.checked) view_.showChecked(id, checked);
}

void WindowCommands::save() {
  if (const std::optional<std::string> message =
          saveConfigFromWindow(fields(), settings_, workingFilePath(configFileName))) {
    view_.showMessage(*message);
  }
}

}  // namespace hanabira
