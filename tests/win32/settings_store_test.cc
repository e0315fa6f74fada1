#include <algorithm>
#include <array>

#include "form_fixture.h"

namespace ferry::win32 {
namespace {

std::array<long, 4> Edges(const RECT& r) {
  return {r.left, r.top, r.right, r.bottom};
}

// The section as a file of the plain format holds it.
std::string Section(const std::string& lines) {
  return "[TForm1]\r\n" + lines;
}

TEST_F(FormTest, ClosingWritesEveryKeyInOrder) {
  Open();
  const std::string source = dir_.File("KJFK.sca");
  testing::WriteFile(source, "");
  SetText(kFilenameEdit1, "  " + source + " ");
  SetChecked(kCheckBox1, true);
  SetChecked(kCheckBox3, true);
  SetText(kEdit1, "  my.api  ");
  Close();
  ASSERT_FALSE(IsOpen());
  EXPECT_TRUE(messages_.empty());

  const std::string screen = ScreenSuffix();
  const std::vector<std::string> expected = {
      "[TForm1]",
      "FormVersion=0",
      "Flags=0",
      "ShowCmd=1",
      "PixelsPerInch=96",
      "MinMaxPos" + screen + "=-1,-1,-1,-1",
      "MinMaxPos=-1,-1,-1,-1",
      "NormPos" + screen + "=144,144,840,296",
      "NormPos=144,144,840,296",
      "Visible=0",
      "FilenameEdit1_FileName=" + source,
      "CheckBox1_Checked=True",
      "CheckBox2_Checked=False",
      "CheckBox3_Checked=True",
      "Edit2_Text=tsign.api",
      "Edit1_Text=my.api",
  };
  EXPECT_EQ(SettingsLines(), expected);
}

TEST_F(FormTest, AFileInThePlainFormatRestoresTheWindow) {
  WriteSettings(
      Section("FormVersion=0\r\nFlags=0\r\nShowCmd=1\r\nPixelsPerInch=96\r\n"
              "MinMaxPos=-1,-1,-1,-1\r\nNormPos=200,100,900,260\r\nVisible=0\r\n"
              "FilenameEdit1_FileName=C:\\My Scenery\\KJFK.sca\r\n"
              "CheckBox1_Checked=true\r\nCheckBox2_Checked=1\r\nCheckBox3_Checked=TRUE\r\n"
              "Edit2_Text=  sign.api\t \r\nEdit1_Text=lib.api\r\n"));
  Open();
  EXPECT_EQ(Edges(WindowRect(Form())), (std::array<long, 4>{200, 100, 900, 260}));
  EXPECT_EQ(Text(kFilenameEdit1), "\"C:\\My Scenery\\KJFK.sca\"");
  EXPECT_TRUE(Checked(kCheckBox1));
  EXPECT_FALSE(Checked(kCheckBox2));
  EXPECT_TRUE(Checked(kCheckBox3));
  EXPECT_EQ(Text(kEdit2), "sign.api");
  EXPECT_EQ(Text(kEdit1), "lib.api");
  EXPECT_EQ(GetFocus(), Control(kFilenameEdit1));
}

TEST_F(FormTest, ValuesThatCannotApplyLeaveTheirControls) {
  const struct {
    std::string file_name;
    std::string shown;
  } cases[] = {
      {"C:\\SCN\\KJFK.sca", "C:\\SCN\\KJFK.sca"},
      {"C:\\a|b.sca", ""},
      {"C:\\a<b.sca", ""},
      {"C:\\x[1].sca", ""},
      {"C:\\ok.sca x|y", "\"C:\\ok.sca x|y\""},  // only the first word counts
      {"", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file_name);
    testing::TempDir other;
    settings_ = other.File("Ferry.INI");
    WriteSettings(
        Section("FilenameEdit1_FileName=" + c.file_name + "\r\nCheckBox1_Checked=yes\r\n"));
    Open();
    EXPECT_EQ(Text(kFilenameEdit1), c.shown);
    EXPECT_FALSE(Checked(kCheckBox1));
    form_.reset();
  }
}

TEST_F(FormTest, PlacementIsRestoredOnlyWhenItFitsThisScreen) {
  const std::string screen = ScreenSuffix();
  const std::array<long, 4> start{144, 144, 840, 296};
  const struct {
    std::string keys;
    std::array<long, 4> rect;
    bool maximised;
  } cases[] = {
      {"PixelsPerInch=96\r\nNormPos=10,20,710,180\r\n", {10, 20, 710, 180}, false},
      {"PixelsPerInch=120\r\nNormPos=10,20,710,180\r\n", start, false},
      {"NormPos=10,20,710,180\r\n", start, false},
      {"PixelsPerInch=96\r\nNormPos=710,20,10,180\r\n", start, false},
      {"PixelsPerInch=96\r\nNormPos" + screen + "=30,40,730,200\r\nNormPos=10,20,710,180\r\n",
       {30, 40, 730, 200},
       false},
      {"PixelsPerInch=96\r\nNormPos" + screen + "=\r\nNormPos=10,20,710,180\r\n",
       {10, 20, 710, 180},
       false},
      {"PixelsPerInch=96\r\nNormPos=10,20\r\n", {10, 20, 840, 296}, false},
      {"ShowCmd=3\r\n", start, true},
      {"FormVersion=-1\r\nPixelsPerInch=96\r\nNormPos=10,20,710,180\r\nShowCmd=3\r\n", start,
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.keys);
    testing::TempDir other;
    settings_ = other.File("Ferry.INI");
    WriteSettings(Section(c.keys));
    Open();
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(Form(), &placement);
    EXPECT_EQ(Edges(placement.rcNormalPosition), c.rect);
    EXPECT_EQ(IsZoomed(Form()) != 0, c.maximised);
    form_.reset();
  }
}

TEST_F(FormTest, ValuesReadBackAsTheyWereWritten) {
  Open();
  const std::string source = "D:\\Sc\xc3\xa9nery \xce\xa9\\\xe6\x9c\xba\xe5\x9c\xba.sca";
  SetText(kFilenameEdit1, "\"" + source + "\"");
  SetText(kEdit1, "\xce\xa9.api");
  SetText(kEdit2, "\"quoted\"");
  Close();
  ASSERT_TRUE(messages_.empty());
  Open();
  EXPECT_EQ(Text(kFilenameEdit1), "\"" + source + "\"");
  EXPECT_EQ(Text(kEdit1), "\xce\xa9.api");
  EXPECT_EQ(Text(kEdit2), "\"quoted\"");
}

TEST_F(FormTest, AFailedSaveIsReportedAndTheWindowClosesAllTheSame) {
  settings_ = dir_.File("missing folder\\Ferry.INI");
  Open();
  Close();
  EXPECT_FALSE(IsOpen());
  const ShownMessage failure{L"Ferry", L"Unable to write to Ferry.INI."};
  // Once at the close request, once more as the window is destroyed.
  EXPECT_EQ(messages_, (std::vector<ShownMessage>{failure, failure}));
}

TEST_F(FormTest, ASaveOnlyAtDestructionMarksTheWindowVisible) {
  Open();
  DestroyWindow(Form());
  const auto lines = SettingsLines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Visible=1"), lines.end());
}

}  // namespace
}  // namespace ferry::win32
