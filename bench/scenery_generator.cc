#include "scenery_generator.h"

#include <initializer_list>
#include <string_view>
#include <vector>

namespace ferry::bench {

namespace {

// splitmix64: small, fast and the same everywhere, unlike the distributions
// of the standard library.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}

  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // 0 to n - 1.
  unsigned Below(unsigned n) { return static_cast<unsigned>(Next() % n); }
  bool Percent(unsigned p) { return Below(100) < p; }
  std::string_view Pick(std::initializer_list<std::string_view> choices) {
    return choices.begin()[Below(static_cast<unsigned>(choices.size()))];
  }

 private:
  std::uint64_t state_;
};

// Builds a text piece by piece. The operands of `<<` are evaluated from left
// to right, those of `+` in no fixed order: with `+` the draws of the random
// numbers, and so the file, could differ from one compiler to another.
class Text {
 public:
  Text& operator<<(std::string_view piece) {
    text_.append(piece);
    return *this;
  }
  Text& operator<<(const std::string& piece) { return *this << std::string_view(piece); }
  Text& operator<<(const char* piece) { return *this << std::string_view(piece); }
  Text& operator<<(char c) {
    text_ += c;
    return *this;
  }
  Text& operator<<(unsigned value) { return *this << std::to_string(value); }
  std::string& str() { return text_; }

 private:
  std::string text_;
};

std::string Digits(unsigned value, unsigned width) {
  std::string text = std::to_string(value);
  if (text.size() < width) text.insert(0, width - text.size(), '0');
  return text;
}

// A latitude «N47:26:13.20» or longitude «E011:30:00.0» near one airport, so
// that the values look like a real scenery's.
std::string Latitude(Random& r) {
  Text t;
  t << "N47:" << Digits(14 + r.Below(4), 2) << ':' << Digits(r.Below(60), 2) << '.'
    << Digits(r.Below(100), 2);
  return t.str();
}
std::string Longitude(Random& r) {
  Text t;
  t << "E011:" << Digits(18 + r.Below(6), 2) << ':' << Digits(r.Below(60), 2) << '.'
    << Digits(r.Below(10), 1);
  return t.str();
}
std::string Heading(Random& r) {
  Text t;
  t << r.Below(360);
  if (r.Percent(30)) t << '.' << r.Below(10);
  return t.str();
}

// Source files write keywords in whatever case their author or tool chose.
std::string Keyword(Random& r, std::string_view mixed) {
  std::string word(mixed);
  switch (r.Below(4)) {
    case 0:
      for (char& c : word) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
      break;
    case 1:
      for (char& c : word) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
      break;
    default:
      break;
  }
  return word;
}

// Lines are collected and written out in large blocks.
class Sink {
 public:
  explicit Sink(std::FILE* out) : out_(out) {}
  ~Sink() { Flush(); }

  void Line(std::string_view text) {
    buffer_.append(text);
    buffer_.append("\r\n");
    if (buffer_.size() >= (1u << 20)) Flush();
  }
  void Line(Text& text) { Line(std::string_view(text.str())); }
  std::uint64_t Written() const { return written_ + buffer_.size(); }
  void Flush() {
    if (!buffer_.empty()) std::fwrite(buffer_.data(), 1, buffer_.size(), out_);
    written_ += buffer_.size();
    buffer_.clear();
  }

 private:
  std::FILE* out_;
  std::string buffer_;
  std::uint64_t written_ = 0;
};

std::string LibraryObjectName(Random& r) {
  if (r.Percent(40)) {
    Text t;
    t << r.Pick({"hangar", "tower_", "fuel", "terminal", "fence", "lightpole", "windsock", "gpu_"})
      << Digits(r.Below(100), 2);
    return t.str();
  }
  static constexpr char kHex[] = "0123456789abcdef";
  std::string guid;
  for (int i = 0; i < 32; ++i) guid += kHex[r.Below(16)];
  return guid;
}

void LibraryObjectCall(Sink& out, Random& r, std::string_view indent) {
  Text t;
  t << indent << Keyword(r, "Macro(") << ' '
    << r.Pick({"xmlobj.api", "xmlobj.api", "XMLOBJ.API", "C:\\Scenery\\Macros\\xmlobj.api",
               "..\\macros\\XmlObj.api"})
    << ' ' << Latitude(r) << ' ' << Longitude(r) << ' ' << 50 + r.Below(200) << ' '
    << r.Pick({"1.0", "1.0", "0.75", "2", "1.25"}) << ' ' << Heading(r) << ' '
    << LibraryObjectName(r) << " 0 0 0 0 "
    << (r.Percent(75) ? std::string_view("0") : r.Pick({"12.5", "0.0", "3", "00"})) << ' '
    << static_cast<char>('0' + r.Below(8));
  if (r.Percent(50)) t << " )";
  out.Line(t);
}

std::string SignLabel(Random& r) {
  Text t;
  switch (r.Below(4)) {
    case 0:
      t << static_cast<char>('A' + r.Below(26)) << 1 + r.Below(9);
      break;
    case 1:
      t << r.Pick({"@Taxi@Way", "@Apron", "@Rwy08-26", "B@1"});
      break;
    case 2:
      t << static_cast<char>('A' + r.Below(26)) << '-' << static_cast<char>('A' + r.Below(26));
      break;
    default:
      t << 1 + r.Below(36) << '-' << 1 + r.Below(36);
      break;
  }
  return t.str();
}

void TaxiwaySignCall(Sink& out, Random& r) {
  Text t;
  t << Keyword(r, "Macro(") << ' '
    << r.Pick({"tsign.api", "TSIGN.API", "C:\\Scenery\\Macros\\tsign.api"}) << ' ' << Latitude(r)
    << ' ' << Longitude(r) << ' ' << 30 + r.Below(50) << ' '
    << r.Pick({"1", "2", "3", "4", "5", "$3", "0x2", "\" 4\"", "big"}) << ' ' << Heading(r) << ' '
    << SignLabel(r) << ' ' << r.Pick({"l", "r", "L", "Right", "left"});
  if (r.Percent(50)) t << " )";
  out.Line(t);
}

void OtherMacroCall(Sink& out, Random& r) {
  Text t;
  t << Keyword(r, "Macro(") << ' '
    << r.Pick({"light.api", "approach.api", "C:\\Scenery\\Macros\\edgelight.api"}) << ' '
    << Latitude(r) << ' ' << Longitude(r) << " 40 1.0 " << Heading(r) << " v1 v2 )";
  out.Line(t);
}

// Lines that no converter writes anything for.
void OrdinaryLine(Sink& out, Random& r) {
  Text t;
  switch (r.Below(10)) {
    case 0:
      t << "; ---- object group " << r.Below(10000) << " ----";
      break;
    case 1:
      break;
    case 2:
      t << Keyword(r, "Header(") << " 1 N47:18 N47:14 E011:24 E011:17 )";
      break;
    case 3:
      t << Keyword(r, "LatRange(") << " N47:14 N47:18 )";
      break;
    case 4:
      t << "    " << Keyword(r, "Points(") << ' ' << r.Below(64) << ' ' << r.Below(2000) << ' '
        << r.Below(80) << ' ' << r.Below(2000) << " )";
      break;
    case 5:
      t << '\t' << Keyword(r, "Bitmap(") << " tex" << Digits(r.Below(100), 2) << ".bmp 0 0 0 0 )";
      break;
    case 6:
      t << "    " << Keyword(r, "Return");
      break;
    case 7:
      t << Keyword(r, "Jump(") << " : ) ; to :L" << r.Below(500);
      break;
    case 8:
      t << ":L" << r.Below(500);
      break;
    default:
      t << "    " << Keyword(r, "SetScaleX(") << ' ' << 1 + r.Below(8) << " )";
      break;
  }
  out.Line(t);
}

enum class Shape { kNormal, kPeaked, kSloped, kPoly };

std::string Texture(Random& r) {
  Text t;
  t << r.Pick({"bld_brick", "bld_glass", "bld_conc", "roof_tile", "roof_tin", "win_office",
               "win_hangar"})
    << Digits(r.Below(20), 2) << ".bmp";
  return t.str();
}
std::string Height(Random& r) {
  Text t;
  t << 2 + r.Below(20);
  if (r.Percent(40)) t << '.' << r.Below(10);
  return t.str();
}
std::string_view Index(Random& r) {
  return r.Pick({"256", "256", "128", "512", "384"});
}

// One section: its word and exactly the values that the shape reads after
// it, so that every statement converts without a stop.
std::string Section(Random& r, Shape shape, int which) {
  static constexpr std::string_view kWords[] = {"Level1", "Level2", "Level3", "Roof"};
  Text t;
  t << Keyword(r, kWords[which]) << ' ' << Texture(r);
  if (shape == Shape::kPoly) {
    // Height, then one or two indices.
    t << ' ' << Height(r);
    const int indices = which == 1 || which == 3 ? 2 : 1;
    for (int i = 0; i < indices; ++i) t << ' ' << Index(r);
  } else if (which == 3) {
    // Two indices, and for a peaked roof its height and one more index.
    t << ' ' << Index(r) << ' ' << Index(r);
    if (shape == Shape::kPeaked) t << ' ' << Height(r) << ' ' << Index(r);
  } else {
    t << ' ' << Height(r);
    const int indices = which == 1 ? 3 : 2;
    for (int i = 0; i < indices; ++i) t << ' ' << Index(r);
  }
  return t.str();
}

std::string Footprint(Random& r, Shape shape) {
  Text t;
  auto size = [&] { return 8 + r.Below(60); };
  switch (shape) {
    case Shape::kNormal:
      t << "NORMAL " << size() << ' ' << size();
      break;
    case Shape::kPeaked:
      t << "peaked " << size() << ' ' << size();
      break;
    case Shape::kSloped:
      t << "Sloped " << size() << ' ' << size() << ' ' << size() << ' ' << size();
      break;
    case Shape::kPoly:
      t << "POLY " << 5 + r.Below(12) << ' ' << size() << ' ' << size();
      break;
  }
  return t.str();
}

// A building statement on one line, or over several: the footprint on the
// opening line, the sections on lines of their own, and the closing
// parenthesis on the last section's line or on a line of its own.
void Building(Sink& out, Random& r, Mix mix = Mix::kDefault) {
  const Shape shape = static_cast<Shape>(r.Below(4));
  std::vector<std::string> sections;
  for (int which = 0; which < 4; ++which) {
    if (r.Percent(85)) sections.push_back(Section(r, shape, which));
  }
  if (sections.size() > 1 && r.Percent(20)) std::swap(sections.front(), sections.back());
  Text opening;
  opening << "    " << Keyword(r, "AdvBldg(") << ' ' << Footprint(r, shape);
  if (mix != Mix::kBuildings && r.Percent(30)) {
    for (const std::string& s : sections) opening << ' ' << s;
    opening << " )";
    out.Line(opening);
    return;
  }
  out.Line(opening);
  const bool own_line = sections.empty() || r.Percent(50);
  for (std::size_t i = 0; i < sections.size(); ++i) {
    Text t;
    t << "        " << sections[i];
    if (i + 1 == sections.size() && !own_line) t << " )";
    out.Line(t);
  }
  if (own_line) out.Line("    )");
}

void RefPoint(Sink& out, Random& r) {
  Text t;
  t << "    " << Keyword(r, "RefPoint(") << " 7 : 1 " << Latitude(r) << ' ' << Longitude(r)
    << " v1= 0 v2= 1 )";
  out.Line(t);
}
void RotatedCall(Sink& out, Random& r) {
  Text t;
  t << "    " << Keyword(r, "RotatedCall(") << " : 0 0 " << Heading(r) << " )";
  out.Line(t);
}

void BuildingArea(Sink& out, Random& r, Mix mix = Mix::kDefault) {
  Text area;
  area << Keyword(r, "Area(") << " 5 " << Latitude(r) << ' ' << Longitude(r) << " 22 )";
  out.Line(area);
  if (r.Percent(80)) {
    Text t;
    t << "    " << Keyword(r, "IfVarRange(") << " : 0346 " << r.Below(7) << " 5 )";
    out.Line(t);
  }
  if (r.Percent(90)) RefPoint(out, r);
  if (r.Percent(70)) RotatedCall(out, r);
  const unsigned buildings = 1 + r.Below(6);
  for (unsigned i = 0; i < buildings; ++i) {
    if (r.Percent(15)) RefPoint(out, r);
    if (r.Percent(10)) RotatedCall(out, r);
    if (r.Percent(10)) LibraryObjectCall(out, r, "    ");
    Building(out, r, mix);
  }
  out.Line(Keyword(r, "EndA"));
}

bool WriteFile(const std::string& path, const std::string& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

// A call with a long argument list, a building on one line with long
// texture names, or a long comment: lines of many fields.
void LongLine(Sink& out, Random& r) {
  Text t;
  switch (r.Below(10)) {
    case 0:
    case 1:
    case 2:
    case 3: {
      // A library object whose call goes on with parameters that the
      // converter passes over.
      t << Keyword(r, "Macro(") << " xmlobj.api " << Latitude(r) << ' ' << Longitude(r) << ' '
        << 50 + r.Below(200) << " 1.0 " << Heading(r) << ' ' << LibraryObjectName(r)
        << " 0 0 0 0 0 " << static_cast<char>('0' + r.Below(8));
      const unsigned extra = 40 + r.Below(80);
      for (unsigned i = 0; i < extra; ++i) t << ' ' << Heading(r);
      t << " )";
      break;
    }
    case 4:
    case 5: {
      t << Keyword(r, "Macro(") << " light.api " << Latitude(r) << ' ' << Longitude(r);
      const unsigned extra = 60 + r.Below(120);
      for (unsigned i = 0; i < extra; ++i) t << " v" << r.Below(1000);
      t << " )";
      break;
    }
    case 6:
      t << Keyword(r, "Macro(") << " tsign.api " << Latitude(r) << ' ' << Longitude(r) << ' '
        << 30 + r.Below(50) << " 3 " << Heading(r) << ' ' << SignLabel(r) << " r";
      for (unsigned i = 0; i < 30; ++i) t << " x" << r.Below(100);
      break;
    case 7:
    case 8: {
      // A building on one line, in an area of its own.
      Text area;
      area << Keyword(r, "Area(") << " 5 " << Latitude(r) << ' ' << Longitude(r) << " 22 )";
      out.Line(area);
      RefPoint(out, r);
      t << "    " << Keyword(r, "AdvBldg(") << " NORMAL " << 8 + r.Below(60) << ' '
        << 8 + r.Below(60);
      for (int which = 0; which < 4; ++which) {
        t << ' ' << Section(r, Shape::kNormal, which) << "_" << LibraryObjectName(r);
      }
      t << " )";
      out.Line(t);
      out.Line(Keyword(r, "EndA"));
      return;
    }
    default:
      t << "; ";
      for (unsigned i = 0; i < 50; ++i) t << "word" << r.Below(100) << ' ';
      break;
  }
  out.Line(t);
}

}  // namespace

bool MixNamed(const std::string& name, Mix* mix) {
  if (name == "default")
    *mix = Mix::kDefault;
  else if (name == "buildings")
    *mix = Mix::kBuildings;
  else if (name == "long-lines")
    *mix = Mix::kLongLines;
  else
    return false;
  return true;
}

std::uint64_t WriteSource(std::FILE* file, std::uint64_t source_bytes, std::uint64_t seed,
                          Mix mix) {
  Random r(seed);
  Sink out(file);
  Text head;
  head << "; Scenery generated for the Ferry benchmark, seed " << std::to_string(seed);
  out.Line(head);
  while (out.Written() < source_bytes) {
    const unsigned pick = r.Below(100);
    if (mix == Mix::kBuildings) {
      if (pick < 85)
        BuildingArea(out, r, mix);
      else if (pick < 90)
        LibraryObjectCall(out, r, "");
      else if (pick < 94)
        TaxiwaySignCall(out, r);
      else
        OrdinaryLine(out, r);
    } else if (mix == Mix::kLongLines) {
      LongLine(out, r);
    } else if (pick < 36) {
      LibraryObjectCall(out, r, "");
    } else if (pick < 46) {
      TaxiwaySignCall(out, r);
    } else if (pick < 51) {
      OtherMacroCall(out, r);
    } else if (pick < 80) {
      OrdinaryLine(out, r);
    } else if (pick < 99) {
      BuildingArea(out, r);
    } else {
      // Outside an area a building statement is ignored, and its
      // continuation lines are ordinary lines.
      Building(out, r);
    }
  }
  out.Flush();
  return out.Written();
}

std::string ExclusionFile(std::uint64_t seed) {
  Random r(seed ^ 0xE5C1);
  Text t;
  t << "; exclusions\r\n";
  for (unsigned i = 0; i < 40; ++i) {
    if (r.Percent(15)) t << "; area " << i << "\r\n";
    t << Keyword(r, "Exclude(") << ' ' << r.Pick({"F", "f", "0", "2", "3", "7", "9", "15", "A"})
      << ' ' << Latitude(r) << ' ' << Latitude(r) << ' ' << Longitude(r) << ' ' << Longitude(r)
      << " )\r\n";
  }
  return t.str();
}

std::string AfdFile(std::uint64_t seed) {
  Random r(seed ^ 0xAFD);
  Text t;
  t << "; airport facilities\r\n" << Keyword(r, "Airport(") << "\r\n{\r\n";
  t << Keyword(r, "NameEntry(") << " Region 0 \"Western Europe\" )\r\n";
  t << Keyword(r, "NameEntry(") << " Country 0 Austria )\r\n";
  t << Keyword(r, "NameEntry(") << " State 0 Tirol )\r\n";
  t << Keyword(r, "NameEntry(") << " City 0 Innsbruck )\r\n";
  t << Keyword(r, "NameEntry(") << " Airport 0 \"Innsbruck Kranebitten\" )\r\n";
  t << Keyword(r, "APLocation(") << " N47:15:36.00 E011:20:38.00 581 )\r\n";
  t << Keyword(r, "ICAO_ID(") << " LOWI )\r\n";
  static constexpr std::string_view kTypes[] = {"ATIS", "CDEL",     "CTAF",   "GNDCON",
                                                "CT",   "DEPCON",   "APCON",  "CENTER",
                                                "FSS",  "MULTICOM", "UNICOM", "AWOS"};
  for (unsigned i = 0; i < 14; ++i) {
    const std::string_view type = kTypes[r.Below(12)];
    t << Keyword(r, "Frequency(") << " 1" << 18 + r.Below(18) << '.' << Digits(r.Below(40) * 25, 3)
      << ' ' << type << " \"" << type << "\" )\r\n";
    if (i % 6 == 0) {
      t << Keyword(r, "Tower(") << ' ' << Latitude(r) << ' ' << Longitude(r) << " 600 )\r\n";
    }
  }
  for (unsigned i = 0; i < 80; ++i) {
    switch (r.Below(3)) {
      case 0:
        t << "    " << Keyword(r, "TaxiwayPoint(") << ' ' << i << " NORMAL " << Latitude(r) << ' '
          << Longitude(r) << " )\r\n";
        break;
      case 1:
        t << "    " << Keyword(r, "Parking(") << " GATE " << i << ' ' << Latitude(r) << ' '
          << Longitude(r) << " 18 )\r\n";
        break;
      default:
        t << r.Pick({"{", "}", "; taxi", "    Runway( 08 26 2000 45 )"}) << "\r\n";
        break;
    }
  }
  t << "}\r\n";
  return t.str();
}

bool WriteScenery(const std::string& directory, const std::string& name, std::uint64_t source_bytes,
                  std::uint64_t seed, Mix mix) {
  const std::string stem = directory + "/" + name;
  std::FILE* source = std::fopen((stem + ".sca").c_str(), "wb");
  if (source == nullptr) return false;
  WriteSource(source, source_bytes, seed, mix);
  const bool ok = !std::ferror(source);
  if (std::fclose(source) != 0 || !ok) return false;
  return WriteFile(stem + "_Exclude.SCA", ExclusionFile(seed)) &&
         WriteFile(stem + "_AFD.SCA", AfdFile(seed));
}

}  // namespace ferry::bench
