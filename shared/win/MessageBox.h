#pragma once
// The one way the programs show a message box. The three kinds carry the three
// captions: "警告" with the stop icon, "注意" with the exclamation icon, "情報" with
// the information icon. Tests install a recorder so that no modal box ever blocks.

#include <windows.h>

#include <functional>
#include <string>

enum class MessageKind { Warning, Caution, Information };

// The caption of a kind, in code page 932.
const char* MessageCaption(MessageKind kind);

// Shows text (code page 932) with the kind's caption and icon, owned by owner
// (nullptr: ownerless), with the given buttons (MB_OK, MB_YESNO, ...). Returns the
// button pressed, as MessageBoxA does.
int ShowMessage(HWND owner, const std::string& text, MessageKind kind, UINT buttons = MB_OK);

// Replaces the box for tests: the recorder gets every message instead and answers
// for the user. An empty function restores the real box.
using MessageRecorder = std::function<int(HWND owner, const std::string& text, MessageKind kind, UINT buttons)>;
void SetMessageRecorder(MessageRecorder recorder);
