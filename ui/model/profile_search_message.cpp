#include "ui/model/profile_search_message.h"

#include "i18n/translate.h"
#include "ui/model/problem_messages.h"

namespace hanabira {

std::string profileSearchProblemMessage(const ProfileSearchProblem& problem) {
  using Kind = ProfileSearchProblem::Kind;
  switch (problem.kind) {
    case Kind::NoProfiles:
      return std::string(tr("There are no profiles to search: create one with the profiles' Edit button."));
    case Kind::Settings:
      return trf("Profile \"{}\": {}", problem.profile, settingsProblemMessage(*problem.settings));
    case Kind::NameSeparator:
      return trf("Profile \"{}\": a name with a comma or a line break would split its lines in the result file.",
                 problem.profile);
    case Kind::NameEncoding:
      return trf("Profile \"{}\": the name has a character the result file cannot hold.", problem.profile);
    case Kind::Columns:
      return trf(
          "Profile \"{}\": its lines would have other columns than those of profile \"{}\" (a range of VCount or "
          "Timer0 in one of them only).",
          problem.profile, problem.firstProfile);
  }
  return {};
}

}  // namespace hanabira
