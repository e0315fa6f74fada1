#include "form_fixture.h"

#include "platform/win32_text.h"

namespace ferry::win32 {

using platform::Narrow;
using platform::Widen;

void PrintTo(const ShownMessage& message, std::ostream* out) {
  *out << "[" << Narrow(message.title) << "] " << Narrow(message.text);
}

void FormTest::Open() {
  FormOptions options;
  options.application_title = L"Ferry";
  options.output_directory = dir_.path();
  options.settings_file = Widen(settings_);
  options.user_settings_file = Widen(user_settings_);
  options.font_face = font_face_;
  options.font_points = font_points_;
  options.show_message = [this](HWND, const std::wstring& title, const std::wstring& text) {
    messages_.push_back({title, text});
  };
  options.browse = [this](HWND, const BrowseRequest& request) {
    browse_requests_.push_back(request);
    return browse_answer_;
  };
  form_ = std::make_unique<TForm1>(std::move(options));
  ASSERT_TRUE(form_->Create());
  form_->Show();
  Pump();
}

void FormTest::SetText(int id, const std::string& utf8) {
  SetWindowTextW(Control(id), Widen(utf8).c_str());
}

std::string FormTest::Text(int id) const {
  wchar_t buffer[1024];
  int n = GetWindowTextW(Control(id), buffer, 1024);
  return Narrow(std::wstring_view(buffer, static_cast<std::size_t>(n)));
}

void FormTest::Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (form_ && form_->PreTranslate(&message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

std::vector<std::string> FormTest::SettingsLines(const std::string& file) const {
  std::string bytes = testing::ReadFile(file);
  std::string text = bytes;
  if (bytes.size() >= 2 && bytes[0] == '\xff' && bytes[1] == '\xfe') {
    std::wstring wide((bytes.size() - 2) / 2, L'\0');
    for (std::size_t i = 0; i < wide.size(); ++i)
      wide[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[2 + 2 * i]) |
                                     static_cast<unsigned char>(bytes[3 + 2 * i]) << 8);
    text = Narrow(wide);
  }
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

std::string ScreenSuffix() {
  return "(" + std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "x" +
         std::to_string(GetSystemMetrics(SM_CYSCREEN)) + ")";
}

RECT WindowRect(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  return r;
}

RECT RectInForm(HWND form, HWND control) {
  RECT r = WindowRect(control);
  MapWindowPoints(HWND_DESKTOP, form, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace ferry::win32
