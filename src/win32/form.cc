#include "win32/form.h"

#include "win32/window_object.h"

#include <cderr.h>
#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>

#include "app/conversion_run.h"
#include "platform/win32_text.h"
#include "win32/controls.h"
#include "win32/icon.h"
#include "window/window_rules.h"

namespace ferry::win32 {

namespace {

using platform::Narrow;
using platform::Widen;

constexpr wchar_t kClassName[] = L"TForm1";
constexpr UINT kDpiChanged = 0x02E0;  // WM_DPICHANGED, Windows 8.1 and later
constexpr int kDesignDpi = 96;

// GetDpiForWindow exists from Windows 10 on; before it, the system's value
// is the window's.
UINT DpiOf(HWND hwnd) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto get_dpi = reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void (*)()>(
      GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (get_dpi != nullptr) {
    if (UINT dpi = get_dpi(hwnd)) return dpi;
  }
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return static_cast<UINT>(dpi);
}

bool IsDirectory(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The run is one piece of work on this thread; input that arrived meanwhile
// belongs to no state the user saw, so it is dropped.
void DiscardQueuedInput() {
  MSG message;
  while (PeekMessageW(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
  }
  while (PeekMessageW(&message, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
  }
}

// Alt+Down in the file box browses, as its button does.
LRESULT CALLBACK FileBoxProc(HWND edit, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                             DWORD_PTR form) {
  if (message == WM_SYSKEYDOWN && wparam == VK_DOWN) {
    reinterpret_cast<TForm1*>(form)->Browse();
    return 0;
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(edit, FileBoxProc, 0);
  return DefSubclassProc(edit, message, wparam, lparam);
}

struct ControlClass {
  const wchar_t* name;
  DWORD style;
  DWORD ex_style;
};

ControlClass ClassOf(ControlKind kind) {
  constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
  switch (kind) {
    case ControlKind::kLabel:
      return {WC_STATICW, kChild | SS_LEFT | SS_NOPREFIX, 0};
    case ControlKind::kFileNameBox:
      return {WC_EDITW, kChild | WS_TABSTOP | WS_CLIPSIBLINGS | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::kTextBox:
      return {WC_EDITW, kChild | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::kPushButton:
      return {WC_BUTTONW, kChild | WS_TABSTOP | BS_PUSHBUTTON, 0};
    case ControlKind::kCheckBox:
      return {WC_BUTTONW, kChild | WS_TABSTOP | BS_AUTOCHECKBOX, 0};
  }
  return {WC_STATICW, kChild, 0};
}

}  // namespace

std::optional<std::wstring> ShowBrowseDialog(HWND owner, const BrowseRequest& request) {
  std::wstring file(32768, L'\0');
  file.replace(0, std::min(request.file_name.size(), file.size() - 1), request.file_name);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = L"Source files\0*.sca\0";
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir =
      request.initial_directory.empty() ? nullptr : request.initial_directory.c_str();
  dialog.lpstrTitle = L"Prohl\u00ed\u017eet";
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
  BOOL confirmed = GetOpenFileNameW(&dialog);
  // The dialog refuses to open on a file name it cannot parse; it then opens
  // without one.
  if (!confirmed && CommDlgExtendedError() == FNERR_INVALIDFILENAME) {
    file.assign(file.size(), L'\0');
    confirmed = GetOpenFileNameW(&dialog);
  }
  if (!confirmed) return std::nullopt;
  return std::wstring(file.c_str());
}

TForm1::TForm1(FormOptions options)
    : options_(std::move(options)), store_(options_.settings_file, options_.user_settings_file) {}

TForm1::~TForm1() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
  if (font_ != nullptr) DeleteObject(font_);
}

bool TForm1::Create() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance;
  window_class.hIcon = LargeIcon();
  window_class.hIconSm = SmallIcon();
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = kClassName;
  if (!RegisterClassExW(&window_class) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    return false;

  if (!app_.Create(options_.application_title)) return false;
  const RECT& b = kFormBounds;
  // Files dropped anywhere on it come to it: its controls do not take them.
  CreateWindowExW(WS_EX_ACCEPTFILES, kClassName, L"Form1", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                  b.left, b.top, b.right - b.left, b.bottom - b.top, app_.hwnd(), nullptr, instance,
                  this);
  if (hwnd_ == nullptr) return false;
  app_.SetForm(hwnd_);
  // Run with elevation, the window still takes drops from Explorer, which
  // runs without.
  for (UINT message : {UINT{WM_DROPFILES}, UINT{WM_COPYDATA}, UINT{0x0049} /* WM_COPYGLOBALDATA */})
    ChangeWindowMessageFilterEx(hwnd_, message, MSGFLT_ALLOW, nullptr);
  const UINT dpi = DpiOf(hwnd_);
  if (dpi != kDesignDpi) {
    SetWindowPos(hwnd_, nullptr, MulDiv(b.left, dpi, kDesignDpi), MulDiv(b.top, dpi, kDesignDpi),
                 MulDiv(b.right - b.left, dpi, kDesignDpi),
                 MulDiv(b.bottom - b.top, dpi, kDesignDpi), SWP_NOZORDER | SWP_NOACTIVATE);
  }
  CreateControls();
  Layout(dpi);
  return true;
}

void TForm1::CreateControls() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  for (const ControlRow& row : kControls) {
    const ControlClass c = ClassOf(row.kind);
    HWND control =
        CreateWindowExW(c.ex_style, c.name, row.text, c.style, 0, 0, 0, 0, hwnd_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), instance, nullptr);
    if (row.kind != ControlKind::kFileNameBox) continue;
    SetWindowSubclass(control, FileBoxProc, 0, reinterpret_cast<DWORD_PTR>(this));
    // The browse button lies over the box's right end, above it in the
    // z-order so that the box, clipping its siblings, never paints over it.
    // It is no Tab stop, so the Tab order stays the table's.
    HWND button = CreateWindowExW(
        0, WC_BUTTONW, L"...", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 0, 0, hwnd_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kBrowseButton)), instance, nullptr);
    SetWindowPos(button, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void TForm1::Layout(UINT dpi) {
  auto scale = [dpi](int pixels) { return MulDiv(pixels, static_cast<int>(dpi), kDesignDpi); };
  LOGFONTW face{};
  face.lfHeight = -MulDiv(options_.font_points, static_cast<int>(dpi), 72);
  face.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(face.lfFaceName, options_.font_face.c_str(), LF_FACESIZE);
  HFONT font = CreateFontIndirectW(&face);

  for (const ControlRow& row : kControls) {
    HWND control = GetDlgItem(hwnd_, row.id);
    SetWindowPos(control, nullptr, scale(row.left), scale(row.top), scale(row.width),
                 scale(row.height), SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (row.kind != ControlKind::kFileNameBox) continue;
    RECT inside;
    GetClientRect(control, &inside);
    MapWindowPoints(control, hwnd_, reinterpret_cast<POINT*>(&inside), 2);
    const int width = scale(kBrowseButtonWidth);
    HWND button = GetDlgItem(hwnd_, kBrowseButton);
    SetWindowPos(button, nullptr, inside.right - width, inside.top, width,
                 inside.bottom - inside.top, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    // The text stops where the button begins.
    SendMessageW(control, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, width));
  }
  FitLabels(font, dpi);
  if (font_ != nullptr) DeleteObject(font_);
  font_ = font;
}

void TForm1::FitLabels(HFONT font, UINT dpi) {
  const int gap = MulDiv(kLabelGap, static_cast<int>(dpi), kDesignDpi);
  RECT client;
  GetClientRect(hwnd_, &client);
  HDC dc = GetDC(hwnd_);
  HGDIOBJ previous = SelectObject(dc, font);
  for (const LabelGrowth& label : kLabelGrowth) {
    HWND control = GetDlgItem(hwnd_, label.id);
    const int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(control, text.data(), length + 1);
    SIZE extent{};
    if (!GetTextExtentPoint32W(dc, text.c_str(), length, &extent)) continue;
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, hwnd_, reinterpret_cast<POINT*>(&r), 2);
    if (extent.cx <= r.right - r.left) continue;

    // The free space on the growing side: up to the nearest control that
    // shares some of the label's rows, or up to the window's edge.
    int limit = label.growth == Growth::kRight ? client.right : client.left;
    for (HWND other = GetWindow(hwnd_, GW_CHILD); other != nullptr;
         other = GetWindow(other, GW_HWNDNEXT)) {
      // The window may still be hidden: the control's own style says
      // whether it shows.
      if (other == control || !(GetWindowLongW(other, GWL_STYLE) & WS_VISIBLE)) continue;
      RECT o;
      GetWindowRect(other, &o);
      MapWindowPoints(HWND_DESKTOP, hwnd_, reinterpret_cast<POINT*>(&o), 2);
      if (o.bottom <= r.top || o.top >= r.bottom) continue;
      if (label.growth == Growth::kRight && o.left >= r.right)
        limit = std::min(limit, static_cast<int>(o.left) - gap);
      if (label.growth == Growth::kLeft && o.right <= r.left)
        limit = std::max(limit, static_cast<int>(o.right) + gap);
    }
    if (label.growth == Growth::kRight)
      r.right = std::max(r.right, std::min(r.left + extent.cx, static_cast<LONG>(limit)));
    else
      r.left = std::min(r.left, std::max(r.right - extent.cx, static_cast<LONG>(limit)));
    SetWindowPos(control, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SelectObject(dc, previous);
  ReleaseDC(hwnd_, dc);
}

void TForm1::Show() {
  if (restored_) {
    ShowWindow(hwnd_, SW_SHOW);
    return;
  }
  const int show = store_.Restore(hwnd_);
  restored_ = true;
  ShowWindow(hwnd_, show);
  UpdateWindow(hwnd_);
  SetFocus(GetDlgItem(hwnd_, kFilenameEdit1));
}

bool TForm1::PreTranslate(MSG* message) const {
  return hwnd_ != nullptr && IsDialogMessageW(hwnd_, message);
}

std::wstring TForm1::ControlText(int id) const {
  HWND control = GetDlgItem(hwnd_, id);
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), text.size())));
  return text;
}

bool TForm1::Checked(int id) const {
  return IsDlgButtonChecked(hwnd_, id) == BST_CHECKED;
}

void TForm1::Button1Click() {
  RunSettings settings;
  settings.source_path = SourcePathOf(Narrow(ControlText(kFilenameEdit1)));
  settings.output_directory = options_.output_directory;
  settings.buildings = Checked(kCheckBox1);
  settings.exclusions = Checked(kCheckBox2);
  settings.airport = Checked(kCheckBox3);
  settings.library_api = Narrow(ControlText(kEdit1));
  settings.sign_api = Narrow(ControlText(kEdit2));

  HWND focus = GetFocus();
  EnableWindow(hwnd_, FALSE);
  const RunOutcome outcome = PerformConversionRun(settings);
  DiscardQueuedInput();
  EnableWindow(hwnd_, TRUE);
  if (outcome.succeeded) {
    SendMessageW(hwnd_, WM_CLOSE, 0, 0);
    return;
  }
  if (focus != nullptr && IsChild(hwnd_, focus)) SetFocus(focus);
  ReportError(outcome.message, hwnd_);
}

void TForm1::Browse() {
  const std::string path = SourcePathOf(Narrow(ControlText(kFilenameEdit1)));
  BrowseRequest request{browse_directory_, std::wstring()};
  if (!HoldsForbiddenCharacter(path)) {
    const std::wstring directory = Widen(DirectoryPart(path));
    if (!directory.empty() && IsDirectory(directory)) request.initial_directory = directory;
    if (!NamePart(path).empty()) request.file_name = Widen(path);
  }
  const std::optional<std::wstring> chosen = options_.browse(hwnd_, request);
  HWND box = GetDlgItem(hwnd_, kFilenameEdit1);
  SetFocus(box);
  if (!chosen) return;
  const std::string chosen_path = Narrow(*chosen);
  SetWindowTextW(box, Widen(QuotedForFileBox(chosen_path)).c_str());
  browse_directory_ = Widen(DirectoryPart(chosen_path));
}

void TForm1::ReportError(std::string_view message, HWND owner) const {
  win32::ReportError(options_.show_message, owner, options_.application_title, message);
}

void TForm1::OnDropFiles(HDROP drop) {
  // The first of the dropped items that is a file; a folder is no source.
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
    path.resize(DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
    if (path.empty() || IsDirectory(path)) continue;
    SetDlgItemTextW(hwnd_, kFilenameEdit1, Widen(QuotedForFileBox(Narrow(path))).c_str());
    break;
  }
  DragFinish(drop);
}

void TForm1::ReportSaveFailure(HWND owner) {
  // One close shows one message, however many tries it made.
  if (save_failure_reported_) return;
  save_failure_reported_ = true;
  ReportError("Unable to write to " + Narrow(store_.FailureName()), owner);
}

void TForm1::OnClose() {
  if (restored_) {
    saved_ = store_.Save(hwnd_, false);
    if (!saved_) ReportSaveFailure(hwnd_);
  }
  DestroyWindow(hwnd_);
}

void TForm1::OnDestroy() {
  if (!restored_ || saved_) return;
  saved_ = true;
  if (!store_.Save(hwnd_, true)) ReportSaveFailure(nullptr);
}

LRESULT CALLBACK TForm1::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  TForm1* form = WindowObject(hwnd, message, lparam, &TForm1::hwnd_);
  if (form == nullptr) return DefWindowProcW(hwnd, message, wparam, lparam);
  return form->Handle(hwnd, message, wparam, lparam);
}

LRESULT TForm1::Handle(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wparam) == BN_CLICKED && LOWORD(wparam) == kButton1) Button1Click();
      if (HIWORD(wparam) == BN_CLICKED && LOWORD(wparam) == kBrowseButton) Browse();
      return 0;
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wparam);
      SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_ACTIVATE:
      // Focus goes back where it was, as in a dialog.
      if (LOWORD(wparam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(hwnd_, focus)) last_focus_ = focus;
      } else if (!HIWORD(wparam)) {
        HWND focus = last_focus_ != nullptr && IsWindow(last_focus_)
                         ? last_focus_
                         : GetDlgItem(hwnd_, kFilenameEdit1);
        SetFocus(focus);
      }
      return 0;
    case kDpiChanged: {
      const RECT* suggested = reinterpret_cast<const RECT*>(lparam);
      SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      Layout(HIWORD(wparam));
      return 0;
    }
    case WM_DROPFILES:
      OnDropFiles(reinterpret_cast<HDROP>(wparam));
      return 0;
    case WM_SIZE:
      if (wparam == SIZE_MINIMIZED) app_.FormMinimized();
      break;
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
    case WM_NCDESTROY:
      hwnd_ = nullptr;
      last_focus_ = nullptr;
      app_.Destroy();
      break;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

void RunMessageLoop(const TForm1& form) {
  MSG message;
  while (form.IsOpen() && GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (form.PreTranslate(&message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace ferry::win32
