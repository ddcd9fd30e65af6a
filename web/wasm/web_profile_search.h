// A search over every profile of a profiles file, as hanabira-cli --all-profiles runs
// it: the settings text read over each profile's console in turn, all of them checked
// before anything is searched, then each profile's part searched in pieces as a search
// of its own (WebSearch) whose lines its name leads.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/profile_search.h"
#include "evaluate/result_formats.h"
#include "web/wasm/web_search.h"

namespace hanabira {

struct WebProfileRequest {
  WebSearchRequest search;
  std::string profilesJson;  // the text of a profiles file
  std::string profilesName;  // what messages call it: the file's name
};

class WebProfileSearch {
 public:
  // Throws WebRefusal as hanabira-cli --all-profiles refuses the same files.
  explicit WebProfileSearch(const WebProfileRequest& request);

  const std::vector<ProfilePart>& parts() const { return parts_; }
  const std::string& profilesName() const { return profilesName_; }
  ResultFormat format() const { return format_; }
  // Each profile's moments, in the list's order.
  std::vector<std::uint64_t> partMoments() const;
  // The warnings the CLI prints before the search, each without "warning: ".
  std::vector<std::string> warnings() const;

  // The search of part `index`, its lines led by the profile's name.
  std::unique_ptr<WebSearch> openPart(const WebSearchRequest& request, std::size_t index) const;

 private:
  std::vector<ProfilePart> parts_;
  ResultFormat format_ = ResultFormat::Txt;
  std::string profilesName_;
};

}  // namespace hanabira
