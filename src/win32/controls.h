// The controls of TForm1, as one table in Tab order: the window creates them
// in this order, which is also the order the Tab key follows.
#pragma once

#include <windows.h>

namespace ferry::win32 {

// Command ids start above IDOK and IDCANCEL, which the dialog manager sends
// for Enter and Esc: neither may press a control.
enum ControlId : int {
  kLabel1 = 101,
  kFilenameEdit1,
  kLabel2,
  kEdit1,
  kButton1,
  kCheckBox1,
  kCheckBox2,
  kCheckBox3,
  kLabel3,
  kEdit2,
  kBrowseButton,
};

enum class ControlKind { kLabel, kFileNameBox, kTextBox, kPushButton, kCheckBox };

// Geometry in pixels inside the window, for a screen of 96 pixels per inch.
struct ControlRow {
  int id;
  ControlKind kind;
  const wchar_t* text;
  int left;
  int top;
  int width;
  int height;
};

inline constexpr ControlRow kControls[] = {
    {kLabel1, ControlKind::kLabel, L"Source SCA file", 24, 20, 74, 13},
    {kFilenameEdit1, ControlKind::kFileNameBox, L"", 144, 16, 385, 21},
    {kLabel2, ControlKind::kLabel, L"Library object API", 302, 49, 83, 13},
    {kEdit1, ControlKind::kTextBox, L"xmlobj.api", 408, 44, 121, 21},
    {kButton1, ControlKind::kPushButton, L"Button1", 584, 24, 75, 25},
    {kCheckBox1, ControlKind::kCheckBox, L"Buildings", 152, 47, 97, 17},
    {kCheckBox2, ControlKind::kCheckBox, L"Exclusions", 152, 71, 97, 17},
    {kCheckBox3, ControlKind::kCheckBox, L"Airport", 152, 98, 97, 17},
    {kLabel3, ControlKind::kLabel, L"Taxiway sign API", 304, 83, 81, 13},
    {kEdit2, ControlKind::kTextBox, L"tsign.api", 408, 80, 121, 21},
};

// A label whose text is wider, in the font the window got, than its row
// gives widens into the free space beside it: Label1 to the right, towards
// its file box; Label2 and Label3 to the left, keeping their right edges by
// their boxes. It stops kLabelGap pixels short of any other control.
enum class Growth { kRight, kLeft };
struct LabelGrowth {
  int id;
  Growth growth;
};
inline constexpr LabelGrowth kLabelGrowth[] = {
    {kLabel1, Growth::kRight},
    {kLabel2, Growth::kLeft},
    {kLabel3, Growth::kLeft},
};
inline constexpr int kLabelGap = 8;

// The window itself: outer rectangle on the screen at 96 pixels per inch.
inline constexpr RECT kFormBounds = {144, 144, 144 + 696, 144 + 152};
inline constexpr int kBrowseButtonWidth = 21;
inline constexpr int kFontPoints = 8;
inline constexpr wchar_t kFontFace[] = L"MS Sans Serif";

}  // namespace ferry::win32
