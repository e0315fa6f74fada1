// ReportError: how every failure reaches the user.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace ferry::win32 {

// Shows a finished message: the title, the text, one OK button, the error
// icon. Tests put a recorder in its place.
using MessageSink =
    std::function<void(HWND owner, const std::wstring& title, const std::wstring& text)>;

// The real message box, modal to `owner`.
void ShowErrorBox(HWND owner, const std::wstring& title, const std::wstring& text);

// Applies the full-stop rule to `message` (UTF-8) and shows it through `sink`.
void ReportError(const MessageSink& sink, HWND owner, const std::wstring& title,
                 std::string_view message);

}  // namespace ferry::win32
