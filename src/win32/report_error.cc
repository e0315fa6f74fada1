#include "win32/report_error.h"

#include "base/failure.h"
#include "platform/win32_text.h"

namespace ferry::win32 {

void ShowErrorBox(HWND owner, const std::wstring& title, const std::wstring& text) {
  MessageBoxW(owner, text.c_str(), title.c_str(), MB_OK | MB_ICONERROR | MB_APPLMODAL);
}

void ReportError(const MessageSink& sink, HWND owner, const std::wstring& title,
                 std::string_view message) {
  sink(owner, title, platform::Widen(UserMessage(message)));
}

}  // namespace ferry::win32
