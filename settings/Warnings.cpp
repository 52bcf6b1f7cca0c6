#include "Warnings.h"

#include <string>

#include "win/MessageBox.h"

SettingsWarning PreviewWarningFor(PreviewPicture::Result result) {
    switch (result) {
        case PreviewPicture::Result::NoPlugin: return kWarningNoPlugin;
        case PreviewPicture::Result::CannotOpen: return kWarningCannotOpen;
        default: return kNoWarning;
    }
}

const char* WarningText(SettingsWarning code) {
    // No default: the compiler names a code added without its text.
    switch (code) {
    case kNoWarning: return nullptr;
    case kWarningInvalidDate: return "日付予約の設定が不正な値になっています。\n日付を確認して下さい。";
    case kWarningTimePastMidnight: return "時刻予約の設定で日付をまたぐ設定はできません。\n時刻を確認して下さい。";
    case kWarningDatePastYearEnd: return "日付予約の設定で年をまたぐ設定はできません。\n日付を確認して下さい。";
    case kWarningDateAndTimeOverlap:
        return "日付予約・時刻予約が重なっている物が存在します。\n日付・時刻を確認して下さい。";
    case kWarningDateOverlap: return "日付予約が重なっている物が存在します。\n日付を確認して下さい。";
    case kWarningTimeOverlap: return "時刻予約が重なっている物が存在します。\n時刻を確認して下さい。";
    case kWarningNoPlugin:
        return "このフォーマットに対応するプラグインが認識されていません。\nプラグインをもう１度確認して下さい。";
    case kWarningCannotOpen: return "指定の画像ファイルを開くことができません。\n画像ファイルが存在するか確認して下さい。";
    case kWarningUnspellableName:
        return "このファイル名には使用できない文字が含まれています。\nファイル名を変更してから選んでください。";
    case kWarningSeveralRegistered:
        return "日付予約・時刻予約での複数予約はできません。\n複数予約を行う場合はタイマー予約を必ず付けて下さい。";
    case kWarningSeveralChanged:
        return "日付予約・時刻予約での複数変更はできません。\n複数変更を行う場合はタイマー予約を必ず付けて下さい。";
    case kWarningTableFull: return "これ以上登録できません。\nどれか削除してから登録し直してください。";
    }
    return nullptr;
}

void ShowWarning(SettingsWarning code, HWND owner) {
    const char* text = WarningText(code);
    // A name to change is the user's to mend, not a fault: a caution.
    ShowMessage(owner, text != nullptr ? std::string(text) : "警告 " + std::to_string(static_cast<int>(code)),
                code == kWarningUnspellableName ? MessageKind::Caution : MessageKind::Warning);
}
