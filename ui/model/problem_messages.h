// The window's messages for what stops a search or a save, in Japanese like the rest of
// the window (UTF-8). Paths and the system's reasons come in as UTF-8 too.
#pragma once

#include <string>
#include <string_view>

#include "engine/settings_validation.h"

namespace hanabira {

// "検索を開始できません。\n開始日付の日の値 31 は範囲外です。2011年4月は30日までです。"
std::string settingsProblemMessage(const SettingsProblem& problem);
// The same for the console dialog's calibration, which names the boot moment and the
// position by its own fields: "計算を開始できません。\n起動日時の±秒の値 900 は範囲外です。0～600を指定してください。"
std::string calibrationProblemMessage(const SettingsProblem& problem);

// The result file could not be created or written; `detail` is the system's reason.
std::string resultFileCreateMessage(std::string_view path, std::string_view detail);
std::string resultFileWriteMessage(std::string_view path, std::string_view detail);
// Any other failure of a running search.
std::string searchFailureMessage(std::string_view detail);

std::string configLoadMessage(std::string_view path, std::string_view detail);
std::string configSaveMessage(std::string_view path, std::string_view detail);

}  // namespace hanabira
