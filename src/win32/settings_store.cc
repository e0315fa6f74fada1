#include "win32/settings_store.h"

#include <shlobj.h>

#include <initializer_list>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/win32_text.h"
#include "sca/text.h"
#include "win32/controls.h"
#include "window/window_rules.h"

namespace ferry::win32 {

namespace {

constexpr wchar_t kSection[] = L"TForm1";
// No stored value can hold a line feed, so this default marks a missing key.
constexpr wchar_t kMissing[] = L"\n";

std::wstring ScreenSuffix() {
  return L"(" + std::to_wstring(GetSystemMetrics(SM_CXSCREEN)) + L"x" +
         std::to_wstring(GetSystemMetrics(SM_CYSCREEN)) + L")";
}

int ScreenPixelsPerInch() {
  HDC screen = GetDC(nullptr);
  int ppi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return ppi;
}

std::wstring TrimmedW(const std::wstring& text) {
  return platform::Widen(Trim(platform::Narrow(text)));
}

std::optional<int> NumberOf(const std::optional<std::wstring>& value) {
  if (!value) return std::nullopt;
  return ParseNumber(Trim(platform::Narrow(*value)));
}

std::wstring Numbers(std::initializer_list<LONG> numbers) {
  std::wstring text;
  for (LONG n : numbers) {
    if (!text.empty()) text += L',';
    text += std::to_wstring(n);
  }
  return text;
}

// The profile functions drop one pair of matching quotes around a value as
// they read it; a second pair keeps such a value whole.
std::wstring ProtectQuotes(const std::wstring& value) {
  const bool wrapped = value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') &&
                       value.back() == value.front();
  return wrapped ? L"\"" + value + L"\"" : value;
}

std::wstring WindowText(HWND control) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), text.size())));
  return text;
}

bool IsChecked(HWND form, int id) {
  return IsDlgButtonChecked(form, id) == BST_CHECKED;
}

struct CheckBoxKey {
  int id;
  const wchar_t* key;
};
constexpr CheckBoxKey kCheckBoxKeys[] = {
    {kCheckBox1, L"CheckBox1_Checked"},
    {kCheckBox2, L"CheckBox2_Checked"},
    {kCheckBox3, L"CheckBox3_Checked"},
};

bool IsFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Creates the folder that `path` lies in, and any folder above it, unless
// it is there.
bool MakeFolderOf(const std::wstring& path) {
  const std::size_t cut = path.find_last_of(L"\\/");
  if (cut == std::wstring::npos) return true;
  const std::wstring folder = path.substr(0, cut);
  const DWORD attributes = GetFileAttributesW(folder.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  return SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr) == ERROR_SUCCESS;
}

// One settings file, as the profile functions reach it.
class ProfileFile {
 public:
  explicit ProfileFile(const std::wstring& file) : file_(file) {}

  std::optional<std::wstring> Read(const std::wstring& key) const {
    std::wstring buffer(256, L'\0');
    for (;;) {
      DWORD n = GetPrivateProfileStringW(kSection, key.c_str(), kMissing, buffer.data(),
                                         static_cast<DWORD>(buffer.size()), file_.c_str());
      if (n + 1 < buffer.size()) {
        buffer.resize(n);
        break;
      }
      buffer.resize(buffer.size() * 4);
    }
    if (buffer == kMissing) return std::nullopt;
    return buffer;
  }

  // The key for the present screen size first, then the plain key.
  std::optional<std::wstring> ReadPerScreen(const std::wstring& key) const {
    std::optional<std::wstring> value = Read(key + ScreenSuffix());
    if (!value || value->empty()) value = Read(key);
    return value;
  }

  // Writes every entry in order; false at the first that fails.
  bool WriteAll(const std::vector<std::pair<std::wstring, std::wstring>>& entries) const {
    if (!CreateUnicodeFile()) return false;
    for (const auto& [key, value] : entries) {
      if (!WritePrivateProfileStringW(kSection, key.c_str(), ProtectQuotes(value).c_str(),
                                      file_.c_str()))
        return false;
    }
    // Writes out what the profile functions still hold back.
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, file_.c_str());
    return true;
  }

 private:
  // A file that the profile functions create themselves is in the ANSI code
  // page; one that begins with a UTF-16 byte-order mark keeps every
  // character.
  bool CreateUnicodeFile() const {
    std::wstring path = file_;
    if (path.find_first_of(L"\\/:") == std::wstring::npos) {
      wchar_t windows[MAX_PATH];
      UINT n = GetWindowsDirectoryW(windows, MAX_PATH);
      if (n == 0 || n >= MAX_PATH) return false;
      path = std::wstring(windows, n) + L"\\" + path;
    }
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_EXISTS;
    static const unsigned char kBom[] = {0xFF, 0xFE};
    DWORD written = 0;
    bool ok = WriteFile(h, kBom, sizeof kBom, &written, nullptr) && written == sizeof kBom;
    return CloseHandle(h) && ok;
  }

  const std::wstring& file_;
};

void RestorePlacement(const ProfileFile& profile, HWND form) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (!GetWindowPlacement(form, &placement)) return;
  const std::optional<int> flags = NumberOf(profile.Read(L"Flags"));
  const std::optional<std::wstring> min_max = profile.ReadPerScreen(L"MinMaxPos");
  const std::optional<std::wstring> normal = profile.ReadPerScreen(L"NormPos");
  const std::optional<int> ppi = NumberOf(profile.Read(L"PixelsPerInch"));
  if (!(min_max || normal) || ppi != ScreenPixelsPerInch()) return;

  const RECT& now = placement.rcNormalPosition;
  const auto positions = ParseNumberList(platform::Narrow(min_max.value_or(L"")), {0, 0, 0, 0});
  const auto edges = ParseNumberList(platform::Narrow(normal.value_or(L"")),
                                     {now.left, now.top, now.right, now.bottom});
  // A rectangle without width or height would leave no window to see.
  if (edges[0] >= edges[2] || edges[1] >= edges[3]) return;

  placement.flags = flags ? static_cast<UINT>(*flags) : placement.flags;
  placement.ptMinPosition = {positions[0], positions[1]};
  placement.ptMaxPosition = {positions[2], positions[3]};
  placement.rcNormalPosition = {edges[0], edges[1], edges[2], edges[3]};
  placement.showCmd = IsWindowVisible(form) ? SW_SHOWNOACTIVATE : SW_HIDE;
  SetWindowPlacement(form, &placement);
}

void RestoreControls(const ProfileFile& profile, HWND form) {
  if (auto value = profile.Read(L"FilenameEdit1_FileName")) {
    const std::string text(Trim(platform::Narrow(*value)));
    if (!HoldsForbiddenCharacter(SourcePathOf(text)))
      SetDlgItemTextW(form, kFilenameEdit1, platform::Widen(QuotedForFileBox(text)).c_str());
  }
  for (const CheckBoxKey& box : kCheckBoxKeys) {
    auto value = profile.Read(box.key);
    if (!value) continue;
    if (auto checked = ParseCheckedValue(Trim(platform::Narrow(*value))))
      CheckDlgButton(form, box.id, *checked ? BST_CHECKED : BST_UNCHECKED);
  }
  if (auto value = profile.Read(L"Edit2_Text"))
    SetDlgItemTextW(form, kEdit2, TrimmedW(*value).c_str());
  if (auto value = profile.Read(L"Edit1_Text"))
    SetDlgItemTextW(form, kEdit1, TrimmedW(*value).c_str());
}

}  // namespace

std::wstring UserSettingsFile(const std::wstring& file_name) {
  PWSTR folder = nullptr;
  std::wstring path;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &folder)) &&
      folder != nullptr && folder[0] != L'\0')
    path = std::wstring(folder) + L"\\Ferry\\" + file_name;
  CoTaskMemFree(folder);
  return path;
}

std::wstring SettingsStore::FailureName() const {
  if (!user_file_.empty()) return user_file_;
  std::size_t cut = file_.find_last_of(L"\\/:");
  return cut == std::wstring::npos ? file_ : file_.substr(cut + 1);
}

int SettingsStore::Restore(HWND form) const {
  const ProfileFile profile(!user_file_.empty() && IsFile(user_file_) ? user_file_ : file_);
  if (NumberOf(profile.Read(L"FormVersion")).value_or(0) < 0) return SW_SHOWNORMAL;
  RestorePlacement(profile, form);
  const int shown = RestoredShowState(NumberOf(profile.Read(L"ShowCmd")));
  RestoreControls(profile, form);
  return shown == 2 ? SW_SHOWMINIMIZED : shown == 3 ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
}

bool SettingsStore::Save(HWND form, bool visible) const {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (!GetWindowPlacement(form, &placement)) return false;
  const POINT& mn = placement.ptMinPosition;
  const POINT& mx = placement.ptMaxPosition;
  const RECT& r = placement.rcNormalPosition;
  const std::wstring min_max = Numbers({mn.x, mn.y, mx.x, mx.y});
  const std::wstring normal = Numbers({r.left, r.top, r.right, r.bottom});
  const std::wstring suffix = ScreenSuffix();

  const std::vector<std::pair<std::wstring, std::wstring>> entries = {
      {L"FormVersion", L"0"},
      {L"Flags", std::to_wstring(placement.flags)},
      {L"ShowCmd", std::to_wstring(placement.showCmd)},
      {L"PixelsPerInch", std::to_wstring(ScreenPixelsPerInch())},
      {L"MinMaxPos" + suffix, min_max},
      {L"MinMaxPos", min_max},
      {L"NormPos" + suffix, normal},
      {L"NormPos", normal},
      {L"Visible", visible ? L"1" : L"0"},
      {L"FilenameEdit1_FileName", platform::Widen(Trim(SourcePathOf(platform::Narrow(
                                      WindowText(GetDlgItem(form, kFilenameEdit1))))))},
      {L"CheckBox1_Checked", IsChecked(form, kCheckBox1) ? L"True" : L"False"},
      {L"CheckBox2_Checked", IsChecked(form, kCheckBox2) ? L"True" : L"False"},
      {L"CheckBox3_Checked", IsChecked(form, kCheckBox3) ? L"True" : L"False"},
      {L"Edit2_Text", TrimmedW(WindowText(GetDlgItem(form, kEdit2)))},
      {L"Edit1_Text", TrimmedW(WindowText(GetDlgItem(form, kEdit1)))},
  };
  if (ProfileFile(file_).WriteAll(entries)) {
    if (!user_file_.empty() && IsFile(user_file_)) ProfileFile(user_file_).WriteAll(entries);
    return true;
  }
  return !user_file_.empty() && MakeFolderOf(user_file_) &&
         ProfileFile(user_file_).WriteAll(entries);
}

}  // namespace ferry::win32
