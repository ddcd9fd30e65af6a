// The window's messages for what stops a search or a save, in Japanese like the rest of
// the window.
#pragma once

#include <QString>

#include "engine/settings_validation.h"

namespace hanabira {

// "開始日付の日の値 31 は範囲外です。2011年4月は30日までです。"
QString settingsProblemMessage(const SettingsProblem& problem);

// The result file could not be created or written; `detail` is the system's reason.
QString resultFileCreateMessage(const QString& path, const QString& detail);
QString resultFileWriteMessage(const QString& path, const QString& detail);
// Any other failure of a running search.
QString searchFailureMessage(const QString& detail);

QString configLoadMessage(const QString& path, const QString& detail);
QString configSaveMessage(const QString& path, const QString& detail);

}  // namespace hanabira
