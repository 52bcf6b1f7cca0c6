#include "MessageBox.h"

namespace {

MessageRecorder& Recorder() {
    static MessageRecorder recorder;
    return recorder;
}

UINT IconOf(MessageKind kind) {
    switch (kind) {
        case MessageKind::Warning: return MB_ICONSTOP;
        case MessageKind::Caution: return MB_ICONEXCLAMATION;
        case MessageKind::Information: return MB_ICONINFORMATION;
    }
    return 0;
}

}  // namespace

const char* MessageCaption(MessageKind kind) {
    switch (kind) {
        case MessageKind::Warning: return "警告";
        case MessageKind::Caution: return "注意";
        case MessageKind::Information: return "情報";
    }
    return "";
}

int ShowMessage(HWND owner, const std::string& text, MessageKind kind, UINT buttons) {
    if (Recorder()) return Recorder()(owner, text, kind, buttons);
    return MessageBoxA(owner, text.c_str(), MessageCaption(kind), buttons | IconOf(kind));
}

void SetMessageRecorder(MessageRecorder recorder) { Recorder() = std::move(recorder); }
