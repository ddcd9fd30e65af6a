#include "ui/model/profile_commands.h"

#include <utility>
#include <vector>

#include "i18n/translate.h"
#include "ui/model/control_ids.h"
#include "ui/model/window_commands.h"

namespace hanabira {
namespace {

std::vector<Submenu> profilesMenu() {
  return {{"",
           {{newProfileCommand, std::string(tr("New profile...")), false},
            {renameProfileCommand, std::string(tr("Rename...")), false},
            {storeProfileCommand, std::string(tr("Store the console fields")), false},
            {deleteProfileCommand, std::string(tr("Delete")), false},
            {importProfilesCommand, std::string(tr("Import...")), false},
            {exportProfilesCommand, std::string(tr("Export...")), false}}}};
}

}  // namespace

ProfileCommands::ProfileCommands(WindowView& view, std::filesystem::path file, ReadConsole read, FillConsole fill)
    : view_(view), book_(std::move(file)), read_(std::move(read)), fill_(std::move(fill)) {}

void ProfileCommands::opened() {
  const std::optional<std::string> problem = book_.load();
  showList();
  if (problem) view_.showMessage(*problem);
}

void ProfileCommands::showList() {
  std::vector<std::string> items = {std::string(tr("No profile"))};
  for (const ConsoleProfile& profile : book_.profiles()) items.push_back(profile.name);
  view_.showItems(profileCombo, items, chosen_ + 1);
}

void ProfileCommands::chosen() {
  chosen_ = view_.selectedItem(profileCombo) - 1;
  if (book_.at(chosen_) == nullptr) chosen_ = -1;
  fill_(chosenProfile());
}

void ProfileCommands::showMenu() { run(view_.chooseFromMenu(profilesMenu(), profilesButton)); }

void ProfileCommands::run(int command) {
  switch (command) {
    case newProfileCommand:
      return create();
    case renameProfileCommand:
      return rename();
    case storeProfileCommand:
      if (succeeded(book_.store(chosen_, read_(), std::nullopt))) showList();
      return;
    case deleteProfileCommand:
      return remove();
    case importProfilesCommand:
      return importFile();
    case exportProfilesCommand:
      return exportFile();
    default:
      return;
  }
}

void ProfileCommands::consoleConfirmed(const std::optional<CalibratedConsole>& calibrated) {
  if (chosenProfile() != nullptr) succeeded(book_.store(chosen_, read_(), calibrated));
}

bool ProfileCommands::succeeded(const std::optional<std::string>& problem) {
  if (problem) view_.showMessage(*problem);
  return !problem;
}

// A new profile holds the console the fields show, and is chosen.
void ProfileCommands::create() {
  const std::optional<std::string> name = view_.askText(std::string(tr("Name of the new profile:")), "");
  if (!name || !succeeded(book_.create(*name, read_()))) return;
  chosen_ = book_.indexOf(*name);
  showList();
}

void ProfileCommands::rename() {
  const ConsoleProfile* profile = chosenProfile();
  if (profile == nullptr) {
    view_.showMessage(std::string(tr("Choose a profile first.")));
    return;
  }
  const std::optional<std::string> name = view_.askText(std::string(tr("New name of the profile:")), profile->name);
  if (name && succeeded(book_.rename(chosen_, *name))) showList();
}

// The fields keep the deleted profile's console; the choice goes back to none.
void ProfileCommands::remove() {
  const ConsoleProfile* profile = chosenProfile();
  if (profile == nullptr) {
    view_.showMessage(std::string(tr("Choose a profile first.")));
    return;
  }
  if (!view_.confirm(trf("Delete the profile \"{}\"?", profile->name))) return;
  if (!succeeded(book_.remove(chosen_))) return;
  chosen_ = -1;
  showList();
}

void ProfileCommands::importFile() {
  const std::optional<std::filesystem::path> path = view_.chooseJsonFile(WindowView::FileUse::Open);
  if (path && succeeded(book_.importFrom(*path))) showList();
}

void ProfileCommands::exportFile() {
  if (const std::optional<std::filesystem::path> path = view_.chooseJsonFile(WindowView::FileUse::Save)) {
    succeeded(book_.exportTo(*path));
  }
}

}  // namespace hanabira
