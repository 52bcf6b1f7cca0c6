#include "Warnings.h"

#include "win/MessageBox.h"

int PreviewWarningFor(PreviewPicture::Result result) {
    switch (result) {
        case PreviewPicture::Result::NoPlugin: return kWarningNoPlugin;
        case PreviewPicture::Result::CannotOpen: return kWarningCannotOpen;
        default: return kNoWarning;
    }
}

void ShowWarning(int code, HWND owner) {
    static const struct {
        int code;
        const char* text;
    } kWarnings[] = {
        {kWarningInvalidDate, "日付予約の設定が不正な値になっています。\n日付を確認して下さい。"},
        {kWarningTimePastMidnight, "時刻予約の設定で日付をまたぐ設定はできません。\n時刻を確認して下さい。"},
        {kWarningDatePastYearEnd, "日付予約の設定で年をまたぐ設定はできません。\n日付を確認して下さい。"},
        {kWarningDateAndTimeOverlap, "日付予約・時刻予約が重なっている物が存在します。\n日付・時刻を確認して下さい。"},
        {kWarningDateOverlap, "日付予約が重なっている物が存在します。\n日付を確認して下さい。"},
        {kWarningTimeOverlap, "時刻予約が重なっている物が存在します。\n時刻を確認して下さい。"},
        {kWarningNoPlugin, "このフォーマットに対応するプラグインが認識されていません。\nプラグインをもう１度確認して下さい。"},
        {kWarningCannotOpen, "指定の画像ファイルを開くことができません。\n画像ファイルが存在するか確認して下さい。"},
        {kWarningSeveralRegistered,
         "日付予約・時刻予約での複数予約はできません。\n複数予約を行う場合はタイマー予約を必ず付けて下さい。"},
        {kWarningSeveralChanged,
         "日付予約・時刻予約での複数変更はできません。\n複数変更を行う場合はタイマー予約を必ず付けて下さい。"},
        {kWarningTableFull, "これ以上登録できません。\nどれか削除してから登録し直してください。"},
    };
    for (const auto& warning : kWarnings) {
        if (warning.code == code) {
            ShowMessage(owner, warning.text, MessageKind::Warning);
            return;
        }
    }
}
