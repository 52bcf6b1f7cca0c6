#include "ReservationRowText.h"

#include <iterator>

#include "PathText.h"

namespace {

// Wide enough for any field plus one, so a damaged field never overflows.
std::string TwoDigits(long long value) {
    std::string text = std::to_string(value);
    return value >= 0 && value <= 9 ? "0" + text : text;
}

std::string Span(long long a1, long long a2, const char* separator, long long b1, long long b2) {
    return TwoDigits(a1) + separator + TwoDigits(a2) + "～" + TwoDigits(b1) + separator + TwoDigits(b2);
}

}  // namespace

std::string BuildConditionText(const ReservationRecord& r) {
    std::string text;
    const auto append = [&text](const std::string& part) {
        if (!text.empty()) text += " | ";
        text += part;
    };
    if (r.dateOn != 0) append("日付 " + Span(r.fromMonth + 1LL, r.fromDay + 1LL, "/", r.toMonth + 1LL, r.toDay + 1LL));
    if (r.timeOn != 0) append("時間 " + Span(r.fromHour, r.fromMinute, ":", r.toHour, r.toMinute));
    if (r.timerOn != 0) append("タイマー " + TwoDigits(r.timerHours) + "時間" + TwoDigits(r.timerMinuteIndex + 1LL) + "分");
    return text;
}

std::string DisplayMethodName(int32_t displayMethod) {
    static const char* const kNames[] = {"中央に表示",      "並べて表示",             "拡大表示",
                                         "拡大表示(左右)",  "拡大表示(上下)",         "画面のサイズに合わせる",
                                         "ページ幅に合わせる", "スパン"};
    if (displayMethod >= 0 && displayMethod < static_cast<int32_t>(std::size(kNames))) return kNames[displayMethod];
    return std::to_string(displayMethod);
}

int MethodListItem(int32_t displayMethod) {
    for (int item = 0; item < kMethodListCount; ++item) {
        if (kMethodListCodes[item] == displayMethod) return item;
    }
    return -1;
}

int32_t MethodOfListItem(int item) { return item >= 0 && item < kMethodListCount ? kMethodListCodes[item] : -1; }

std::string ReservationColumnText(const SettingsRecord& slot, int column) {
    switch (column) {
    case kColumnTitle: return GetFileTitle(slot.record.fileName);
    case kColumnCondition: return slot.conditionText;
    case kColumnMethod: return DisplayMethodName(slot.record.displayMethod);
    default: return std::string();
    }
}
