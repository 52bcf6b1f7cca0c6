#pragma once
// The texts of a row of the settings program's reservation list: the file's
// title, the condition text and the display method's name.

#include <cstdint>
#include <string>

#include "ReservationRecord.h"
#include "SettingsTable.h"

// The enabled conditions joined by " | ": "日付 03/01～05/31", "時間 09:00～17:30",
// "タイマー 01時間30分"; "" when none is on. Months, days and the timer's minutes
// are shown from 1. Numbers of one digit get a leading zero; numbers out of their
// range (a damaged registry text) are shown as they are.
std::string BuildConditionText(const ReservationRecord& record);

// "中央に表示", "並べて表示", "拡大表示", "拡大表示(左右)", "拡大表示(上下)",
// "画面のサイズに合わせる", "ページ幅に合わせる", "スパン" for codes 0..7; any
// other code as its decimal number. The rows of both lists name every stored code.
std::string DisplayMethodName(int32_t displayMethod);

// The methods the editor offers, in the order of its method list (control
// 1010) and of the full-screen preview's menu. Item and code are mapped here
// alone (item 3 is code 5): a code the list does not offer (3 and 4 exist by
// name only) shows no item.
inline constexpr int32_t kMethodListCodes[] = {kMethodCentre, kMethodTile, kMethodStretch,
                                               kMethodFit,    kMethodFill, kMethodSpan};
inline constexpr int kMethodListCount = static_cast<int>(sizeof kMethodListCodes / sizeof kMethodListCodes[0]);
// The item that shows the code; -1 for a code the list does not offer.
int MethodListItem(int32_t displayMethod);
// The code of an item; -1 for none (no item, or one beyond the list).
int32_t MethodOfListItem(int item);

enum ReservationColumn : int { kColumnTitle = 0, kColumnCondition = 1, kColumnMethod = 2, kColumnCount = 3 };

// What column 0..2 of the record's row shows; "" for another column.
std::string ReservationColumnText(const SettingsRecord& slot, int column);
