// The Program Manager channel: one command per conversation, and the list of its groups.
#pragma once
#include <string>
#include <vector>

#include "ui/dde.hpp"

namespace obsc32 {

inline constexpr char kProgmanOpenFailed[] = "DDE:オープンに失敗しました・・・";
inline constexpr char kProgmanSendFailed[] = "DDE:送信に失敗しました・・・";
// The Startup group: no name known, or one its commands cannot carry (the icon commands and the install).
inline constexpr char kNoStartupGroup[] = "ｱｲｺﾝ:スタートアップグループが不明ですので アイコン登録出来ません";
inline constexpr char kUnusableStartupGroup[] =
    "ｱｲｺﾝ:スタートアップグループ名が使えませんので アイコン登録出来ません";
// How long the group list may take, and a wide command's answer.
inline constexpr DWORD kGroupsTimeoutMs = 10000;
inline constexpr DWORD kExecuteTimeoutMs = 10000;

// Opens a conversation with service and topic "PROGMAN" on `conv`, hands it the command and closes it
// again, whatever happens. The command goes wide and waits for its answer; refused, it goes again narrow,
// without waiting. "" when it was carried out or accepted for delivery, otherwise kProgmanOpenFailed or
// kProgmanSendFailed. The conversation is narrow again afterwards.
std::string ProgmanExecute(const std::string& cmd, ui::DdeClientConv& conv);

// The groups of an open conversation's GROUPS item; empty when it gives no data.
std::vector<std::string> RequestGroups(ui::DdeClientConv& conv);

}  // namespace obsc32
