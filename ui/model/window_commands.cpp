#include "ui/model/window_commands.h"

#include <cstdlib>
#include <optional>
#include <utility>

#include "i18n/translate.h"
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
    : view_(view),
      search_(view, std::move(post)),
      profiles_(
          view, workingFilePath(profilesFileName), [this] { return readSavedConsole(fields(), settings_); },
          [this](const ConsoleProfile* profile) { fillConsole(profile); }) {
  const std::filesystem::path config = workingFilePath(configFileName);
  const ConfigFileLoad load = loadConfigFile(config);
  if (load.text) {
    languages_ = load.text->languages;
    timerCalibrationMs_ = load.text->timerCalibrationMs;
  }
  setUiLanguage(startLanguage(languages_.window));
  start_ = configForWindow(load, config, settings_);  // its message in the window's language
  settings_.resultLanguage = languages_.result.value_or(ResultLanguage::Japanese);
  commands_[startButton] = [this] {
    const WindowFields read = fields();
    const ConsoleProfiles* everyProfile = read.isChecked(allProfilesCheck) ? &profiles_.book().profiles() : nullptr;
    search_.startOrAbort(read, settings_, workingFilePath(resultFileName), everyProfile);
  };
  commands_[saveButton] = [this] { save(); };
  commands_[languageButton] = [this] { chooseLanguages(); };
  commands_[profileCombo] = [this] { profiles_.chosen(); };
  commands_[profilesButton] = [this] { profiles_.showMenu(); };
  // The menu's items are commands too, so that a script can run them.
  for (const int id : {newProfileCommand, renameProfileCommand, storeProfileCommand, deleteProfileCommand,
                       importProfilesCommand, exportProfilesCommand}) {
    commands_[id] = [this, id] { profiles_.run(id); };
  }
}

void WindowCommands::opened() {
  // The window then starts as without a file; a save replaces the file if it can.
  if (start_.message) view_.showMessage(*start_.message);
  WindowChanges loaded{start_.fields.texts, {}};
  if (start_.fields.versionRadio) loaded.checked[*start_.fields.versionRadio] = true;
  applyWindowChanges(loaded);
  profiles_.opened();
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
        if (place.id == hiddenPowerCombo) fields.hiddenPowerItem = view_.selectedItem(place.id);
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
  if (changes.consoleSet) profiles_.consoleConfirmed(changes.calibrated);
}

// As the window opens with the file: the fields the source fills, the version, and the
// edition and ranges in the settings; a profile's edition checks the 3DS box as the
// console dialog's OK does.
void WindowCommands::fillConsole(const ConsoleProfile* profile) {
  LoadedConsoleFields loaded;
  std::map<int, bool> checked = {{blackRadio, false}, {whiteRadio, false}};
  if (profile != nullptr) {
    loaded = profileFields(*profile);
    if (loaded.edition) checked[is3dsCheck] = dropsAfternoonFlag(loaded.edition->console);
  } else {
    const std::filesystem::path config = workingFilePath(configFileName);
    const ConfigAtStart start = configForWindow(loadConfigFile(config), config, settings_);
    if (start.message) view_.showMessage(*start.message);
    loaded = start.fields;
  }
  if (loaded.versionWord) settings_.versionWord = *loaded.versionWord;
  settings_.edition = loaded.edition;
  settings_.vcountRange = loaded.vcountRange;
  settings_.timer0Range = loaded.timer0Range;
  WindowChanges changes{loaded.texts, checked};
  if (loaded.versionRadio) changes.checked[*loaded.versionRadio] = true;
  applyWindowChanges(changes);
}

void WindowCommands::save() {
  if (const std::optional<std::string> message =
          saveConfigFromWindow(fields(), settings_, languages_, workingFilePath(configFileName), timerCalibrationMs_)) {
    view_.showMessage(*message);
  }
}

// Kept as the languages are, by saving the file with it, the console fields too; a file
// gains the line only once the calibration moves from the one in force.
std::optional<std::string> WindowCommands::keepTimerCalibration(int calibrationMs) {
  if (calibrationMs == timerCalibrationMs()) return std::nullopt;
  if (std::optional<std::string> message =
          saveConfigFromWindow(fields(), settings_, languages_, workingFilePath(configFileName), calibrationMs)) {
    return message;
  }
  timerCalibrationMs_ = calibrationMs;
  return std::nullopt;
}

// A choice takes effect as the file is saved with it, the console fields too, as 保存
// saves them: the texts at once, the names at the next search.
void WindowCommands::chooseLanguages() {
  LanguageChoices chosen = languages_;
  const int command = view_.chooseFromMenu(languageMenu(uiLanguage(), settings_.resultLanguage), languageButton);
  if (!chooseLanguage(command, chosen)) return;
  if (const std::optional<std::string> message =
          saveConfigFromWindow(fields(), settings_, chosen, workingFilePath(configFileName), timerCalibrationMs_)) {
    view_.showMessage(*message);
    return;
  }
  languages_ = chosen;
  settings_.resultLanguage = languages_.result.value_or(ResultLanguage::Japanese);
  if (languages_.window && *languages_.window != uiLanguage()) {
    setUiLanguage(*languages_.window);
    view_.showTexts();
    profiles_.showList();  // "no profile" in the new language
    search_.showCaption();
  }
}

}  // namespace hanabira
