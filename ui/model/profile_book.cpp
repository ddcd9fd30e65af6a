#include "ui/model/profile_book.h"

#include <algorithm>
#include <utility>

#include "core/utf8_path.h"
#include "i18n/translate.h"
#include "ui/model/file_problem.h"

namespace hanabira {
namespace {

std::string readMessage(const std::filesystem::path& path, std::string_view reason) {
  return trf("Cannot read {}.\n{}\n{}", utf8FromPath(path.filename()), utf8FromPath(path), reason);
}

std::string saveMessage(const std::filesystem::path& path, std::error_code error) {
  return trf("Cannot save {}.\n{}\n{}", utf8FromPath(path.filename()), utf8FromPath(path),
             reasonText(fileProblem(path, error)));
}

// Why a loaded file gives no profiles; nothing when it gives them, or is not there.
std::optional<std::string> loadProblem(const std::filesystem::path& path, const ProfilesLoad& load) {
  if (load.error) return readMessage(path, reasonText(fileProblem(path, load.error)));
  if (load.problem) return readMessage(path, describe(*load.problem));
  return std::nullopt;
}

}  // namespace

std::optional<std::string> ProfileBook::load() {
  const ProfilesLoad load = loadProfilesFile(file_);
  std::optional<std::string> problem = loadProblem(file_, load);
  damaged_ = problem.has_value();
  profiles_ = damaged_ ? ConsoleProfiles{} : load.profiles;
  if (problem) problem->append("\n").append(tr("The file is left as it is. Correct or remove it to keep profiles."));
  return problem;
}

const ConsoleProfile* ProfileBook::at(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= profiles_.size()) return nullptr;
  return &profiles_[static_cast<std::size_t>(index)];
}

int ProfileBook::indexOf(std::string_view name) const {
  const ConsoleProfile* found = findProfile(profiles_, name);
  return found == nullptr ? -1 : static_cast<int>(found - profiles_.data());
}

std::optional<std::string> ProfileBook::create(std::string_view name, const ConsoleParameters& console) {
  if (auto problem = profileNameProblem(profiles_, name)) return problem;
  ConsoleProfiles changed = profiles_;
  changed.push_back({std::string(name), console, {}});
  return replace(std::move(changed));
}

std::optional<std::string> ProfileBook::rename(int index, std::string_view name) {
  const ConsoleProfile* renamed = at(index);
  if (renamed == nullptr) return std::string(tr("Choose a profile first."));
  if (auto problem = profileNameProblem(profiles_, name, renamed)) return problem;
  ConsoleProfiles changed = profiles_;
  changed[static_cast<std::size_t>(index)].name = name;
  return replace(std::move(changed));
}

std::optional<std::string> ProfileBook::remove(int index) {
  if (at(index) == nullptr) return std::string(tr("Choose a profile first."));
  ConsoleProfiles changed = profiles_;
  changed.erase(changed.begin() + index);
  return replace(std::move(changed));
}

std::optional<std::string> ProfileBook::store(int index, const ConsoleParameters& console,
                                              const std::optional<CalibratedConsole>& calibrated) {
  if (at(index) == nullptr) return std::string(tr("Choose a profile first."));
  ConsoleProfiles changed = profiles_;
  ConsoleProfile& profile = changed[static_cast<std::size_t>(index)];
  profile.console = console;
  if (calibrated && std::ranges::find(profile.calibration, *calibrated) == profile.calibration.end()) {
    profile.calibration.push_back(*calibrated);
  }
  return replace(std::move(changed));
}

std::optional<std::string> ProfileBook::importFrom(const std::filesystem::path& path) {
  const ProfilesLoad load = loadProfilesFile(path);
  if (auto problem = loadProblem(path, load)) return problem;
  ConsoleProfiles changed = profiles_;
  for (const ConsoleProfile& profile : load.profiles) {
    if (indexOf(profile.name) >= 0) {
      return trf("A profile named \"{}\" is in the list already.\nNothing was imported.", profile.name);
    }
    changed.push_back(profile);
  }
  return replace(std::move(changed));
}

std::optional<std::string> ProfileBook::exportTo(const std::filesystem::path& path) const {
  if (const std::error_code error = saveProfilesFile(path, profiles_)) return saveMessage(path, error);
  return std::nullopt;
}

std::optional<std::string> ProfileBook::replace(ConsoleProfiles changed) {
  if (damaged_) {
    return trf("{} could not be read, so it is left as it is.\nCorrect or remove it to change profiles.",
               utf8FromPath(file_));
  }
  if (const std::error_code error = saveProfilesFile(file_, changed)) return saveMessage(file_, error);
  profiles_ = std::move(changed);
  return std::nullopt;
}

LoadedConsoleFields profileFields(const ConsoleProfile& profile) {
  // Through the text config.txt would hold, so that a profile fills the fields exactly
  // as the file of the same console does.
  return loadedConsoleFields(parseConsoleConfig(formatConsoleConfig(profile.console)));
}

}  // namespace hanabira
