// The window's messages for what stops a search or a save, in the window's language
// (UTF-8). Paths come in as UTF-8 too.
#pragma once

#include <string>
#include <string_view>

#include "core/console_config.h"
#include "engine/settings_validation.h"
#include "engine/settings_warnings.h"
#include "ui/model/file_problem.h"

namespace hanabira {

// "検索を開始できません。\n開始日付の日の値 31 は範囲外です。\n2011年4月は30日までです。"
std::string settingsProblemMessage(const SettingsProblem& problem);
// The same for the console dialog's calibration, which names the boot moment and the
// position by its own fields: "計算を開始できません。\n起動日時の±秒の値 900
// は範囲外です。\n0～600を指定してください。"
std::string calibrationProblemMessage(const SettingsProblem& problem);

// A file that could not be created, written, read or saved: what failed, the path on a
// line of its own, and the reason. Each line is short enough for a message box to show
// it unbroken.
std::string resultFileCreateMessage(std::string_view path, const FileProblem& problem);
std::string resultFileWriteMessage(std::string_view path, const FileProblem& problem);
std::string configLoadMessage(std::string_view path, const FileProblem& problem);
// A "config.txt" that is not text, or a line of it that cannot be read: the line, and
// whether the rest was read.
std::string configContentMessage(std::string_view path, const ConsoleConfigProblem& problem);
std::string configSaveMessage(std::string_view path, const FileProblem& problem);

// Any other failure of a running search; `detail` is the error's own text.
std::string searchFailureMessage(std::string_view detail);

// A setting the search corrects or runs as given though the game would not.
std::string settingsWarningMessage(const SettingsWarning& warning);

// The search ended, but no program could show its result file.
std::string resultFileNotOpenedMessage(std::string_view path);

}  // namespace hanabira
