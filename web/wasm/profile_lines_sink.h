// The lines of one profile's part of a search over profiles: each led by the profile's
// name and a comma, the header by the profile column, as the whole's file writes them.
#pragma once

#include <string>
#include <string_view>

#include "engine/result_sink.h"
#include "evaluate/result_text.h"

namespace hanabira {

class ProfileLinesSink final : public ResultSink {
 public:
  // `profileName` in UTF-8; both prefixes are written in `encoding`.
  ProfileLinesSink(ResultSink& next, std::string_view profileName, ResultLanguage language, TextEncoding encoding);

  void write(std::string_view bytes) override;

 private:
  ResultSink& next_;
  std::string linePrefix_;
  std::string headerPrefix_;
  bool atLineStart_ = true;
  bool inHeader_ = true;
};

}  // namespace hanabira
