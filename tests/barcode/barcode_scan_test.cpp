// A real scanner reads what the layout draws: each symbol is painted into a grey-scale
// image, quiet zones only as wide as the layout's own, and zbarimg decodes it. Check
// characters and the full-ASCII pairs are verified here from the standards' own tables.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "pdf/barcode/barcode_layout.h"

namespace pagora {
namespace {

namespace fs = std::filesystem;

bool HaveZbar() {
  return std::system("command -v zbarimg >/dev/null 2>&1") == 0;
}

float ModuleSize(BarcodeSymbology symbology) {
  switch (symbology) {
    case BarcodeSymbology::kEan13:
    case BarcodeSymbology::kEan8:
      return 0.936f;
    default:
      return 0.72f;
  }
}

// Paints the rectangles black on white, `pixels` pixels to the module, and returns false
// when the file cannot be written.
bool WritePgm(const BarcodeLayout& layout, float scale, const fs::path& path) {
  constexpr int kMargin = 4;  // above and below only: the quiet zones are the layout's
  float bottom = 0;
  for (const BarcodeRectangle& r : layout.rectangles) bottom = std::max(bottom, r.y + r.height);
  const auto pixel = [scale](float v) { return static_cast<int>(std::lround(v * scale)); };
  const int width = pixel(layout.width);
  const int height = pixel(bottom) + 2 * kMargin;
  std::string pixels(static_cast<std::size_t>(width) * height, '\xff');
  for (const BarcodeRectangle& r : layout.rectangles) {
    for (int y = pixel(r.y) + kMargin; y < pixel(r.y + r.height) + kMargin; ++y) {
      for (int x = pixel(r.x); x < pixel(r.x + r.width); ++x) pixels[y * width + x] = '\0';
    }
  }
  std::ofstream file(path, std::ios::binary);
  file << "P5\n" << width << ' ' << height << "\n255\n" << pixels;
  return static_cast<bool>(file);
}

std::string DecodeBase64(std::string_view text) {
  static const std::string kAlphabet =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string bytes;
  unsigned bits = 0;
  int count = 0;
  for (const char c : text) {
    const std::size_t value = kAlphabet.find(c);
    if (value == std::string::npos) continue;
    bits = (bits << 6) | static_cast<unsigned>(value);
    count += 6;
    if (count >= 8) {
      count -= 8;
      bytes.push_back(static_cast<char>((bits >> count) & 0xff));
    }
  }
  return bytes;
}

// Runs zbarimg once over all the files and returns "TYPE:data" of every symbol it found,
// by file.
std::map<std::string, std::vector<std::string>> Scan(const std::vector<fs::path>& files,
                                                     const fs::path& folder,
                                                     const std::string& options = "") {
  const fs::path output = folder / "zbar.xml";
  std::string command = "zbarimg --nodbus --xml -q " + options;
  for (const fs::path& file : files) command += " '" + file.string() + "'";
  command += " > '" + output.string() + "' 2>/dev/null";
  std::system(command.c_str());  // exits non-zero when some file holds no symbol
  std::ifstream in(output);
  const std::string xml((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::map<std::string, std::vector<std::string>> found;
  std::string source;
  for (std::size_t at = 0; at < xml.size();) {
    const std::size_t source_at = xml.find("<source href='", at);
    const std::size_t symbol_at = xml.find("<symbol type='", at);
    if (symbol_at == std::string::npos && source_at == std::string::npos) break;
    if (source_at < symbol_at) {
      const std::size_t begin = source_at + 14;
      source = xml.substr(begin, xml.find('\'', begin) - begin);
      found[source];
      at = begin;
      continue;
    }
    const std::size_t type_begin = symbol_at + 14;
    const std::string type = xml.substr(type_begin, xml.find('\'', type_begin) - type_begin);
    const std::size_t data_at = xml.find("<data", type_begin);
    const std::size_t cdata = xml.find("<![CDATA[", data_at) + 9;
    const std::size_t cdata_end = xml.find("]]></data>", cdata);
    std::string data = xml.substr(cdata, cdata_end - cdata);
    if (xml.compare(data_at, 21, "<data format='base64'") == 0) data = DecodeBase64(data);
    found[source].push_back(type + ":" + data);
    at = cdata_end;
  }
  return found;
}

// The standard full-ASCII Code 39 pairs, by character code 0 to 127.
const char* const kFullAscii[128] = {
    "%U", "$A", "$B", "$C", "$D", "$E", "$F", "$G", "$H", "$I", "$J", "$K", "$L", "$M", "$N", "$O",
    "$P", "$Q", "$R", "$S", "$T", "$U", "$V", "$W", "$X", "$Y", "$Z", "%A", "%B", "%C", "%D", "%E",
    " ",  "/A", "/B", "/C", "/D", "/E", "/F", "/G", "/H", "/I", "/J", "/K", "/L", "-",  ".",  "/O",
    "0",  "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "/Z", "%F", "%G", "%H", "%I", "%J",
    "%V", "A",  "B",  "C",  "D",  "E",  "F",  "G",  "H",  "I",  "J",  "K",  "L",  "M",  "N",  "O",
    "P",  "Q",  "R",  "S",  "T",  "U",  "V",  "W",  "X",  "Y",  "Z",  "%K", "%L", "%M", "%N", "%O",
    "%W", "+A", "+B", "+C", "+D", "+E", "+F", "+G", "+H", "+I", "+J", "+K", "+L", "+M", "+N", "+O",
    "+P", "+Q", "+R", "+S", "+T", "+U", "+V", "+W", "+X", "+Y", "+Z", "%P", "%Q", "%R", "%S", "%T",
};

// What a full-ASCII reader makes of plain Code 39 data; "?" for a pair it does not know.
std::string ReadFullAscii(std::string_view data) {
  std::string text;
  for (std::size_t i = 0; i < data.size(); ++i) {
    const bool shift = std::string_view("$%/+").find(data[i]) != std::string_view::npos;
    const std::string_view piece = data.substr(i, shift ? 2 : 1);
    char decoded = '?';
    for (int code = 0; code < 128; ++code) {
      if (piece == kFullAscii[code]) decoded = static_cast<char>(code);
    }
    text.push_back(decoded);
    if (shift) ++i;
  }
  return text;
}

char Code39Check(std::string_view data) {
  static const std::string_view kSet = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
  std::size_t sum = 0;
  for (const char c : data) sum += kSet.find(c);
  return kSet[sum % 43];
}

char Mod10Check(std::string_view digits) {
  int sum = 0;
  int weight = 3;
  for (auto it = digits.rbegin(); it != digits.rend(); ++it, weight = 4 - weight) {
    sum += (*it - '0') * weight;
  }
  return static_cast<char>('0' + (10 - sum % 10) % 10);
}

struct ScanCase {
  BarcodeSymbology symbology;
  std::string text;
  bool check = false;
  std::string expected;     // zbarimg's "TYPE:data"
  bool full_ascii = false;  // compare the full-ASCII reading of the data with the text
};

class BarcodeScan : public testing::Test {
 protected:
  void SetUp() override {
    if (!HaveZbar()) GTEST_SKIP() << "zbarimg (zbar-tools) is not installed";
    folder_ =
        fs::path(testing::TempDir()) / ("barcode_scan_" + std::to_string(std::random_device()()));
    fs::create_directories(folder_);
  }
  void TearDown() override {
    if (!folder_.empty()) fs::remove_all(folder_);
  }

  // Renders every case, scans them all in one run, and compares.
  void Expect(const std::vector<ScanCase>& cases) {
    std::vector<fs::path> files;
    for (std::size_t i = 0; i < cases.size(); ++i) {
      const ScanCase& c = cases[i];
      BarcodePlacement placement;
      placement.show_text = true;  // EAN guards reach down; the text itself is not painted
      const BarcodeLayout layout =
          LayoutBarcode(EncodeBarcode(c.symbology, c.text, c.check), placement);
      const float pixels_per_module = 3 + i % 2;
      files.push_back(folder_ / ("symbol" + std::to_string(i) + ".pgm"));
      ASSERT_TRUE(WritePgm(layout, pixels_per_module / ModuleSize(c.symbology), files.back()));
    }
    const auto found = Scan(files, folder_, "-Si25.min-length=2");
    for (std::size_t i = 0; i < cases.size(); ++i) {
      const ScanCase& c = cases[i];
      const auto it = found.find(files[i].string());
      ASSERT_NE(it, found.end()) << files[i];
      if (it->second.size() != 1) {
        ADD_FAILURE() << "text \"" << c.text << "\" gave " << testing::PrintToString(it->second);
        continue;
      }
      std::string read = it->second[0];
      if (c.full_ascii) {
        const std::size_t colon = read.find(':') + 1;
        std::string data = read.substr(colon);
        if (c.check) {
          EXPECT_EQ(data.back(), Code39Check(data.substr(0, data.size() - 1))) << c.text;
          data.pop_back();
        }
        read = read.substr(0, colon) + ReadFullAscii(data);
      }
      EXPECT_EQ(read, c.expected) << "text \"" << c.text << "\", check " << c.check;
    }
  }

  fs::path folder_;
};

TEST_F(BarcodeScan, ReadsEverySymbology) {
  using S = BarcodeSymbology;
  Expect({
      {S::kEan13, "400638133393", false, "EAN-13:4006381333931"},
      {S::kEan13, "4006381333939", false, "EAN-13:4006381333931"},
      {S::kEan13, "12345", false, "EAN-13:1234500000003"},
      {S::kEan8, "9638507", false, "EAN-8:96385074"},
      {S::kEan8, "0000000", false, "EAN-8:00000000"},
      {S::kCode39, "CODE 39", false, "CODE-39:CODE 39"},
      {S::kCode39, "CODE 39", true, "CODE-39:CODE 39R"},
      {S::kCode39, "a", true, "CODE-39:+A8"},
      {S::kCode39, "Hello, World! @*$%/+~", false, "CODE-39:Hello, World! @*$%/+~", true},
      {S::kCode39, "mixed Case 42", true, "CODE-39:mixed Case 42", true},
      {S::kInterleaved2Of5, "123", false, "I2/5:0123"},
      {S::kInterleaved2Of5, "123", true, "I2/5:1236"},
      {S::kInterleaved2Of5, "1234567890", false, "I2/5:1234567890"},
      {S::kInterleaved2Of5, "12345", true, "I2/5:123457"},
      {S::kCode128, "12345678", false, "CODE-128:12345678"},
      {S::kCode128, "AB12", false, "CODE-128:AB12"},
      {S::kCode128, "A123456", false, "CODE-128:A123456"},
      {S::kCode128, "A12345", false, "CODE-128:A12345"},
      {S::kCode128, "12345", false, "CODE-128:12345"},
      {S::kCode128, "A1234567", false, "CODE-128:A1234567"},
      {S::kCode128, "1234AB", false, "CODE-128:1234AB"},
      {S::kCode128, "lower case ~!@#$%^&*()_+", false, "CODE-128:lower case ~!@#$%^&*()_+"},
  });
}

// A few hundred random texts per symbology, each symbology scanned in one run.
TEST_F(BarcodeScan, ReadsRandomTexts) {
  constexpr int kCount = 300;
  std::mt19937 random(20240519);
  const auto pick = [&random](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  const auto digits = [&](int length) {
    std::string text;
    for (int i = 0; i < length; ++i) text.push_back(static_cast<char>('0' + pick(0, 9)));
    return text;
  };
  using S = BarcodeSymbology;
  std::vector<ScanCase> ean13, ean8, code39, itf, code128;
  for (int n = 0; n < kCount; ++n) {
    const std::string twelve = digits(12);
    ean13.push_back({S::kEan13, twelve, false, "EAN-13:" + twelve + Mod10Check(twelve)});
    const std::string seven = digits(7);
    ean8.push_back({S::kEan8, seven, false, "EAN-8:" + seven + Mod10Check(seven)});

    std::string ascii;
    for (int length = pick(1, 10); static_cast<int>(ascii.size()) < length;) {
      const char c = static_cast<char>(pick(0, 127));
      if (std::string_view("[\\]^_`").find(c) == std::string_view::npos) ascii.push_back(c);
    }
    code39.push_back({S::kCode39, ascii, n % 2 == 1, "CODE-39:" + ascii, true});

    const bool check = n % 2 == 1;
    const std::string number = digits(pick(1, 20));
    std::string carried = number + (check ? std::string(1, Mod10Check(number)) : "");
    if (carried.size() % 2 == 1) carried.insert(0, "0");
    itf.push_back({S::kInterleaved2Of5, number, check, "I2/5:" + carried});

    // Runs of digits of every length between printable characters, to walk every switch.
    std::string mixed;
    for (int length = pick(1, 24); static_cast<int>(mixed.size()) < length;) {
      mixed += pick(0, 1) ? digits(pick(1, 8)) : std::string(1, static_cast<char>(pick(32, 126)));
    }
    code128.push_back({S::kCode128, mixed, false, "CODE-128:" + mixed});
  }
  for (const auto* cases : {&ean13, &ean8, &code39, &itf, &code128}) Expect(*cases);
}

}  // namespace
}  // namespace pagora
