#include <shlobj.h>

#include <algorithm>
#include <array>
#include <vector>

#include "form_fixture.h"
#include "platform/win32_text.h"
#include "win32/resources.h"

namespace ferry::win32 {
namespace {

using platform::Widen;

std::array<long, 4> Edges(const RECT& r) {
  return {r.left, r.top, r.right, r.bottom};
}

std::array<long, 4> Box(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}

// One library object, as the converters read it.
constexpr char kMacroLine[] =
    "macro( xmlobj.api N47:26:13.20 E011:30:00.0 100 1.0 90 hangar01 0 0 0 0 0 4\r\n";

TEST_F(FormTest, StartsWithTheControlsOfItsTable) {
  Open();
  wchar_t caption[32];
  GetWindowTextW(Form(), caption, 32);
  EXPECT_STREQ(caption, L"Form1");
  EXPECT_EQ(Edges(WindowRect(Form())), Box(144, 144, 696, 152));

  for (const ControlRow& row : kControls) {
    SCOPED_TRACE(row.id);
    HWND control = Control(row.id);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(Text(row.id), platform::Narrow(row.text));
    EXPECT_EQ(Edges(RectInForm(Form(), control)), Box(row.left, row.top, row.width, row.height));
    const bool label = row.kind == ControlKind::kLabel;
    EXPECT_EQ((GetWindowLongW(control, GWL_STYLE) & WS_TABSTOP) != 0, !label);
  }
  for (int box : {kCheckBox1, kCheckBox2, kCheckBox3}) EXPECT_FALSE(Checked(box));
  EXPECT_EQ(GetFocus(), Control(kFilenameEdit1));

  // Tab order, all the way round.
  const int order[] = {kFilenameEdit1, kEdit1,     kButton1, kCheckBox1,
                       kCheckBox2,     kCheckBox3, kEdit2,   kFilenameEdit1};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i)
    EXPECT_EQ(GetNextDlgTabItem(Form(), Control(order[i]), FALSE), Control(order[i + 1])) << i;

  // Not the default button: Enter in a box presses nothing.
  EXPECT_EQ(GetWindowLongW(Control(kButton1), GWL_STYLE) & BS_DEFPUSHBUTTON, 0);
  EXPECT_NE(HIWORD(SendMessageW(Form(), DM_GETDEFID, 0, 0)), DC_HASDEFID);
}

std::wstring Caption(HWND hwnd) {
  wchar_t caption[64] = L"";
  GetWindowTextW(hwnd, caption, 64);
  return caption;
}

// The task bar names a program by the window that owns its button.
TEST_F(FormTest, TheTaskBarButtonBelongsToAWindowNamedByTheTitle) {
  Open();
  HWND app = GetWindow(Form(), GW_OWNER);
  ASSERT_NE(app, nullptr);
  EXPECT_EQ(Caption(app), L"Ferry");
  EXPECT_EQ(Caption(Form()), L"Form1");
  EXPECT_EQ(GetWindowLongW(Form(), GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
  // A visible, unowned window that is no tool window, but never seen.
  EXPECT_TRUE(IsWindowVisible(app));
  EXPECT_EQ(GetWindow(app, GW_OWNER), nullptr);
  EXPECT_EQ(GetWindowLongW(app, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
  const RECT app_rect = WindowRect(app);
  EXPECT_TRUE(IsRectEmpty(&app_rect));

  // Activating it, as the button or Alt+Tab does, activates the form with
  // its focus where it was.
  SetFocus(Control(kEdit2));
  SetActiveWindow(app);
  EXPECT_EQ(GetActiveWindow(), Form());
  EXPECT_EQ(GetFocus(), Control(kEdit2));

  Close();
  EXPECT_FALSE(IsWindow(app));
}

TEST_F(FormTest, TheFormMinimisesAndRestoresWithTheButton) {
  Open();
  HWND app = GetWindow(Form(), GW_OWNER);
  ShowWindow(Form(), SW_MAXIMIZE);
  SendMessageW(Form(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(IsIconic(app));
  EXPECT_TRUE(IsIconic(Form()));
  EXPECT_FALSE(IsWindowVisible(Form()));  // no minimised caption of its own

  // The button restores the program and the form as it was.
  ShowWindow(app, SW_RESTORE);
  EXPECT_FALSE(IsIconic(app));
  EXPECT_TRUE(IsWindowVisible(Form()));
  EXPECT_TRUE(IsZoomed(Form()));
  EXPECT_EQ(GetActiveWindow(), Form());

  // Minimised from the button, and closed from it too: the settings hold
  // the form's placement, minimised, and the next start is minimised.
  ShowWindow(Form(), SW_RESTORE);
  SendMessageW(app, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(IsIconic(Form()));
  EXPECT_FALSE(IsWindowVisible(Form()));
  SendMessageW(app, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsOpen());
  const auto lines = SettingsLines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "ShowCmd=2"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "NormPos=144,144,840,296"), lines.end());

  Open();
  app = GetWindow(Form(), GW_OWNER);
  EXPECT_TRUE(IsIconic(app));
  EXPECT_FALSE(IsWindowVisible(Form()));
  ShowWindow(app, SW_RESTORE);
  EXPECT_TRUE(IsWindowVisible(Form()));
  EXPECT_EQ(Edges(WindowRect(Form())), Box(144, 144, 696, 152));
}

TEST_F(FormTest, TheFileBoxKeepsItsTextClearOfTheBrowseButton) {
  Open();
  HWND box = Control(kFilenameEdit1);
  HWND button = Control(kBrowseButton);
  ASSERT_NE(button, nullptr);
  EXPECT_TRUE(IsWindowVisible(button));
  RECT inside;
  GetClientRect(box, &inside);
  RECT r = WindowRect(button);
  MapWindowPoints(HWND_DESKTOP, box, reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(Edges(r), Box(inside.right - kBrowseButtonWidth, 0, kBrowseButtonWidth, inside.bottom));
  EXPECT_GE(HIWORD(SendMessageW(box, EM_GETMARGINS, 0, 0)), kBrowseButtonWidth);
}

// A drop as the shell hands it over: a DROPFILES header in movable global
// memory, then the paths in UTF-16, each ending in a NUL, and one more NUL.
HDROP ShellDrop(const std::vector<std::string>& paths, POINT at) {
  std::wstring list;
  for (const std::string& path : paths) list += Widen(path) + L'\0';
  list += L'\0';
  const std::size_t bytes = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
  header->pFiles = sizeof(DROPFILES);
  header->pt = at;
  header->fNC = FALSE;
  header->fWide = TRUE;
  std::copy(list.begin(), list.end(),
            reinterpret_cast<wchar_t*>(reinterpret_cast<char*>(header) + sizeof(DROPFILES)));
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

TEST_F(FormTest, AFileDroppedOnTheWindowFillsTheFileBox) {
  const std::string folder = dir_.File("My Scenery");
  testing::MakeDirectory(folder);
  const std::string spaced = folder + "\\KJFK.sca";
  const std::string plain = dir_.File("LOWI.sca");
  for (const std::string& file : {spaced, plain}) testing::WriteFile(file, kMacroLine);
  Open();
  // Explorer's drops reach the window wherever they land: its controls
  // take none, so a drop on one goes to the window.
  EXPECT_NE(GetWindowLongW(Form(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
  for (int id : {kLabel1, kFilenameEdit1, kEdit1, kButton1, kCheckBox1, kBrowseButton})
    EXPECT_EQ(GetWindowLongW(Control(id), GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0) << id;

  auto drop = [this](const std::vector<std::string>& paths) {
    const RECT box = RectInForm(Form(), Control(kEdit2));
    PostMessageW(Form(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(ShellDrop(paths, {box.left + 4, box.top + 4})), 0);
    Pump();
  };
  drop({spaced});
  EXPECT_EQ(Text(kFilenameEdit1), "\"" + spaced + "\"");  // as the browse dialog leaves it
  drop({plain, spaced});
  EXPECT_EQ(Text(kFilenameEdit1), plain);  // the first
  drop({folder});
  EXPECT_EQ(Text(kFilenameEdit1), plain);  // a folder changes nothing
  drop({folder, spaced});
  EXPECT_EQ(Text(kFilenameEdit1), "\"" + spaced + "\"");  // the first file

  // Nothing is converted until Button1 is pressed.
  EXPECT_TRUE(IsOpen());
  EXPECT_TRUE(messages_.empty());
  EXPECT_FALSE(testing::FileExists(dir_.File("KJFK.xml")));
  EXPECT_FALSE(testing::FileExists(dir_.File("LOWI.xml")));
  Click(kButton1);
  EXPECT_FALSE(IsOpen());
  EXPECT_TRUE(messages_.empty());
  EXPECT_TRUE(testing::FileExists(dir_.File("KJFK.xml")));
}

// The width of a control's text in the font it shows it in.
int TextWidth(HWND control) {
  wchar_t text[64];
  const int length = GetWindowTextW(control, text, 64);
  HDC dc = GetDC(control);
  HGDIOBJ previous =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  SIZE extent{};
  GetTextExtentPoint32W(dc, text, length, &extent);
  SelectObject(dc, previous);
  ReleaseDC(control, dc);
  return extent.cx;
}

const ControlRow& RowOf(int id) {
  return *std::find_if(std::begin(kControls), std::end(kControls),
                       [id](const ControlRow& row) { return row.id == id; });
}

// A label and every other control, none overlapping it.
void ExpectNoOverlap(HWND form, int label) {
  const RECT r = RectInForm(form, GetDlgItem(form, label));
  for (HWND other = GetWindow(form, GW_CHILD); other != nullptr;
       other = GetWindow(other, GW_HWNDNEXT)) {
    if (other == GetDlgItem(form, label)) continue;
    const RECT o = RectInForm(form, other);
    RECT common;
    EXPECT_FALSE(IntersectRect(&common, &r, &o))
        << "label " << label << " overlaps control " << GetDlgCtrlID(other);
  }
}

TEST_F(FormTest, LabelsWidenIntoTheFreeSpaceBesideThemForAWiderFont) {
  // Tahoma, which Wine has where Windows' fonts are missing, is wider than
  // the MS Sans Serif the table was drawn for.
  font_face_ = L"Tahoma";
  Open();
  // Label1 grows to the right, towards its file box.
  const ControlRow& label1 = RowOf(kLabel1);
  ASSERT_GT(TextWidth(Control(kLabel1)), label1.width);
  EXPECT_EQ(Edges(RectInForm(Form(), Control(kLabel1))),
            Box(label1.left, label1.top, TextWidth(Control(kLabel1)), label1.height));
  // Label2 and Label3 grow to the left, their right edges by their boxes.
  for (int id : {kLabel2, kLabel3}) {
    SCOPED_TRACE(id);
    const ControlRow& row = RowOf(id);
    const int width = TextWidth(Control(id));
    ASSERT_GT(width, row.width);
    EXPECT_EQ(Edges(RectInForm(Form(), Control(id))),
              Box(row.left + row.width - width, row.top, width, row.height));
  }
  for (int id : {kLabel1, kLabel2, kLabel3}) ExpectNoOverlap(Form(), id);
}

TEST_F(FormTest, AWiderLabelStopsShortOfItsNeighbours) {
  font_face_ = L"Tahoma";
  font_points_ = 14;
  Open();
  const RECT box = RectInForm(Form(), Control(kFilenameEdit1));
  const RECT label1 = RectInForm(Form(), Control(kLabel1));
  ASSERT_GT(TextWidth(Control(kLabel1)), box.left - kLabelGap - RowOf(kLabel1).left);
  EXPECT_EQ(Edges(label1), Box(RowOf(kLabel1).left, RowOf(kLabel1).top,
                               box.left - kLabelGap - RowOf(kLabel1).left, RowOf(kLabel1).height));
  // The check boxes beside Label2 and Label3 stop them.
  const struct {
    int label;
    int neighbour;
  } cases[] = {{kLabel2, kCheckBox1}, {kLabel3, kCheckBox2}};
  for (const auto& c : cases) {
    const ControlRow& row = RowOf(c.label);
    const long left = RectInForm(Form(), Control(c.neighbour)).right + kLabelGap;
    ASSERT_GT(TextWidth(Control(c.label)), row.left + row.width - left);
    EXPECT_EQ(Edges(RectInForm(Form(), Control(c.label))),
              (std::array<long, 4>{left, row.top, row.left + row.width, row.top + row.height}));
  }
  for (int id : {kLabel1, kLabel2, kLabel3}) ExpectNoOverlap(Form(), id);
}

TEST_F(FormTest, TheWindowAndItsTaskBarButtonShowFerrysIcon) {
  Open();
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  auto icon = [instance](int metric) {
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_FERRY), IMAGE_ICON,
                                         GetSystemMetrics(metric), GetSystemMetrics(metric),
                                         LR_SHARED));
  };
  const HICON large = icon(SM_CXICON);
  const HICON small = icon(SM_CXSMICON);
  ASSERT_NE(large, nullptr);
  ASSERT_NE(small, nullptr);
  for (HWND window : {Form(), GetWindow(Form(), GW_OWNER)}) {
    EXPECT_EQ(reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICON)), large);
    EXPECT_EQ(reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICONSM)), small);
  }

  // One icon in the four sizes Windows uses; 256 is written as 0.
  HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(IDI_FERRY), RT_GROUP_ICON);
  ASSERT_NE(found, nullptr);
  const auto* group = static_cast<const BYTE*>(LockResource(LoadResource(instance, found)));
  const WORD count = *reinterpret_cast<const WORD*>(group + 4);
  std::vector<int> sizes;
  for (WORD i = 0; i < count; ++i) {
    const BYTE* entry = group + 6 + 14 * i;  // GRPICONDIRENTRY
    EXPECT_EQ(entry[0], entry[1]);
    EXPECT_EQ(*reinterpret_cast<const WORD*>(entry + 6), 32);  // bits per pixel
    sizes.push_back(entry[0] == 0 ? 256 : entry[0]);
  }
  EXPECT_EQ(sizes, (std::vector<int>{16, 32, 48, 256}));
}

TEST_F(FormTest, ASuccessfulRunWritesTheDocumentAndClosesTheWindow) {
  // A path with a space and letters beyond ASCII, shown in quotes as the
  // browse dialog leaves it.
  const std::string folder = dir_.File("M\xc3\xbd Sc\xc3\xa9nery \xce\xa9");
  testing::MakeDirectory(folder);
  const std::string source = folder + "\\KJFK.sca";
  testing::WriteFile(source, kMacroLine);
  Open();
  SetText(kFilenameEdit1, "\"" + source + "\"");
  SetChecked(kCheckBox1, true);
  Click(kButton1);

  EXPECT_TRUE(messages_.empty());
  EXPECT_FALSE(IsOpen());
  const std::string document = testing::ReadFile(dir_.File("KJFK.xml"));
  EXPECT_NE(document.find("<!-- Import from SCA KJFK.sca-->\r\n"), std::string::npos);
  EXPECT_NE(document.find("name=\"HANGAR01\""), std::string::npos) << document;
  EXPECT_TRUE(document.ends_with("</FSData>\r\n"));
  // Closing saved the values the run used.
  const auto lines = SettingsLines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "FilenameEdit1_FileName=" + source), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Edit1_Text=xmlobj.api"), lines.end());
}

TEST_F(FormTest, AStoppedRunIsReportedAndLeavesTheWindowAsItWas) {
  testing::WriteFile(dir_.File("SHORT.sca"), "MACRO( xmlobj.api N47:26:13.20 E011:30:00.0 100\r\n");
  Open();
  const struct {
    std::string box;
    std::wstring text;
  } cases[] = {
      {dir_.File("missing.sca"), L"File not found."},
      {dir_.File("nofolder\\x.sca"), L"Invalid filename."},
      {dir_.File("SHORT.sca"), L"List index out of bounds (12)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.box);
    messages_.clear();
    SetText(kFilenameEdit1, c.box);
    SetText(kEdit2, " sign.api ");
    SetChecked(kCheckBox3, true);
    Click(kButton1);
    ASSERT_TRUE(IsOpen());
    EXPECT_EQ(messages_, (std::vector<ShownMessage>{{L"Ferry", c.text}}));
    EXPECT_TRUE(IsWindowEnabled(Form()));
    EXPECT_EQ(GetFocus(), Control(kButton1));
    EXPECT_EQ(Text(kFilenameEdit1), c.box);
    EXPECT_EQ(Text(kEdit2), " sign.api ");
    EXPECT_TRUE(Checked(kCheckBox3));
  }
  EXPECT_FALSE(testing::FileExists(dir_.File("missing.xml")));
}

TEST_F(FormTest, EnterPressesNothingAndInputDuringARunIsDropped) {
  Open();
  SetText(kFilenameEdit1, dir_.File("missing.sca"));
  SetFocus(Control(kEdit1));
  PostMessageW(Control(kEdit1), WM_KEYDOWN, VK_RETURN, 0);
  PostMessageW(Control(kEdit1), WM_KEYDOWN, VK_ESCAPE, 0);
  Pump();
  EXPECT_TRUE(messages_.empty());
  EXPECT_TRUE(IsOpen());

  // Typed while the run goes on: it reaches no box afterwards.
  PostMessageW(Control(kEdit2), WM_CHAR, L'x', 0);
  Click(kButton1);
  Pump();
  EXPECT_EQ(messages_, (std::vector<ShownMessage>{{L"Ferry", L"File not found."}}));
  EXPECT_EQ(Text(kEdit2), "tsign.api");
}

TEST_F(FormTest, ControlsAndFontFollowTheWindowsDpi) {
  Open();
  auto font_height = [this](int id) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Control(id), WM_GETFONT, 0, 0)), sizeof font,
               &font);
    EXPECT_STREQ(font.lfFaceName, kFontFace);
    return font.lfHeight;
  };
  EXPECT_EQ(font_height(kLabel1), -11);

  RECT suggested = {100, 100, 100 + 1044, 100 + 228};
  SendMessageW(Form(), 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(144, 144),
               reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(Edges(WindowRect(Form())), Edges(suggested));
  for (const ControlRow& row : kControls) {
    std::array<long, 4> scaled = Box(MulDiv(row.left, 3, 2), MulDiv(row.top, 3, 2),
                                     MulDiv(row.width, 3, 2), MulDiv(row.height, 3, 2));
    // A label whose text the larger font makes wider than its row widens
    // (Label1 to the right, the others to the left).
    if (row.kind == ControlKind::kLabel) {
      const long width = std::max<long>(scaled[2] - scaled[0], TextWidth(Control(row.id)));
      if (row.id == kLabel1)
        scaled[2] = scaled[0] + width;
      else
        scaled[0] = scaled[2] - width;
    }
    EXPECT_EQ(Edges(RectInForm(Form(), Control(row.id))), scaled) << row.id;
  }
  EXPECT_EQ(font_height(kEdit2), -16);
  const RECT button = WindowRect(Control(kBrowseButton));
  EXPECT_EQ(button.right - button.left, 32);
  EXPECT_EQ(button.right, WindowRect(Control(kFilenameEdit1)).right - 2);  // inside the border
}

TEST_F(FormTest, ReportErrorAddsAFullStopAfterCharactersBeyondIt) {
  Open();
  const struct {
    const char* message;
    const wchar_t* shown;
  } cases[] = {
      {"File not found", L"File not found."},
      {"I/O error 32", L"I/O error 32."},
      {"List index out of bounds (12)", L"List index out of bounds (12)"},
      {"Already done.", L"Already done."},
      {"", L""},
  };
  for (const auto& c : cases) {
    messages_.clear();
    form_->ReportError(c.message, Form());
    EXPECT_EQ(messages_, (std::vector<ShownMessage>{{L"Ferry", c.shown}})) << c.message;
  }
}

// The real message box, read and dismissed from a timer while it runs.
struct BoxSeen {
  bool found = false;
  std::wstring text;
  bool ok_only = false;
  bool owner_enabled = true;
  HWND activated_from_button = nullptr;
  HWND box = nullptr;
};
BoxSeen g_box;
HWND g_owner = nullptr;

void CALLBACK AnswerBox(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND box = FindWindowW(L"#32770", L"Ferry");
  if (box == nullptr) return;
  KillTimer(nullptr, timer);
  g_box.found = true;
  wchar_t text[128] = L"";
  GetDlgItemTextW(box, 0xFFFF, text, 128);
  g_box.text = text;
  g_box.ok_only = GetDlgItem(box, IDOK) != nullptr && GetDlgItem(box, IDCANCEL) == nullptr;
  g_box.owner_enabled = IsWindowEnabled(g_owner);
  SetActiveWindow(GetWindow(g_owner, GW_OWNER));
  g_box.activated_from_button = GetActiveWindow();
  g_box.box = box;
  PostMessageW(box, WM_COMMAND, IDOK, 0);
}

TEST_F(FormTest, TheErrorBoxIsHeadedByTheTitleAndModalToTheWindow) {
  Open();
  g_owner = Form();
  SetTimer(nullptr, 0, 50, AnswerBox);
  ShowErrorBox(Form(), L"Ferry", L"File not found.");
  ASSERT_TRUE(g_box.found);
  EXPECT_EQ(g_box.text, L"File not found.");
  EXPECT_TRUE(g_box.ok_only);
  EXPECT_FALSE(g_box.owner_enabled);
  // Activating the program while the box is shown brings up the box.
  EXPECT_EQ(g_box.activated_from_button, g_box.box);
  EXPECT_TRUE(IsWindowEnabled(Form()));
}

TEST_F(FormTest, BrowsingStartsFromTheBoxAndQuotesAChosenPathWithASpace) {
  const std::string chosen_folder = dir_.File("My Scenery");
  testing::MakeDirectory(chosen_folder);
  Open();
  HWND box = Control(kFilenameEdit1);

  // The browse button, with the box's directory and file name.
  SetText(kFilenameEdit1, dir_.File("KJFK.sca"));
  browse_answer_ = Widen(chosen_folder + "\\KJFK.sca");
  Click(kBrowseButton);
  ASSERT_EQ(browse_requests_.size(), 1u);
  EXPECT_EQ(browse_requests_[0].initial_directory, Widen(dir_.path() + "\\"));
  EXPECT_EQ(browse_requests_[0].file_name, Widen(dir_.File("KJFK.sca")));
  EXPECT_EQ(Text(kFilenameEdit1), "\"" + chosen_folder + "\\KJFK.sca\"");
  EXPECT_EQ(GetFocus(), box);

  // Alt+Down; a text with a forbidden character starts in the chosen
  // directory without a file name, and a cancel changes nothing.
  SetText(kFilenameEdit1, "a|b.sca");
  browse_answer_.reset();
  SendMessageW(box, WM_SYSKEYDOWN, VK_DOWN, 1 << 29);
  ASSERT_EQ(browse_requests_.size(), 2u);
  EXPECT_EQ(browse_requests_[1].initial_directory, Widen(chosen_folder + "\\"));
  EXPECT_EQ(browse_requests_[1].file_name, L"");
  EXPECT_EQ(Text(kFilenameEdit1), "a|b.sca");

  // A directory that does not exist leaves the remembered one.
  SetText(kFilenameEdit1, dir_.File("gone\\x.sca"));
  SendMessageW(box, WM_SYSKEYDOWN, VK_DOWN, 1 << 29);
  ASSERT_EQ(browse_requests_.size(), 3u);
  EXPECT_EQ(browse_requests_[2].initial_directory, Widen(chosen_folder + "\\"));
  EXPECT_EQ(browse_requests_[2].file_name, Widen(dir_.File("gone\\x.sca")));
}

// The real dialog, answered from a timer while it runs its own loop.
struct DialogSeen {
  bool found = false;
  bool read_only_box_shown = true;
  std::wstring filter;
};
DialogSeen g_dialog;
std::wstring g_type_name;

void CALLBACK AnswerDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = FindWindowW(L"#32770", L"Prohl\u00ed\u017eet");
  if (dialog == nullptr) return;
  KillTimer(nullptr, timer);
  g_dialog.found = true;
  HWND read_only = GetDlgItem(dialog, 0x410);  // chx1
  g_dialog.read_only_box_shown = read_only != nullptr && IsWindowVisible(read_only);
  wchar_t filter[64] = L"";
  SendDlgItemMessageW(dialog, 0x470, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(filter));  // cmb1
  g_dialog.filter = filter;
  SetDlgItemTextW(dialog, 0x47c, g_type_name.c_str());  // cmb13, the file name
  PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}

TEST_F(FormTest, TheBrowseDialogAcceptsANameThatDoesNotExist) {
  Open();
  g_type_name = Widen(dir_.File("new.sca"));
  SetTimer(nullptr, 0, 50, AnswerDialog);
  const std::optional<std::wstring> chosen =
      ShowBrowseDialog(Form(), {Widen(dir_.path()), std::wstring()});
  ASSERT_TRUE(g_dialog.found);
  EXPECT_FALSE(g_dialog.read_only_box_shown);
  EXPECT_EQ(g_dialog.filter.substr(0, 12), L"Source files");
  EXPECT_EQ(chosen, g_type_name);
}

}  // namespace
}  // namespace ferry::win32
