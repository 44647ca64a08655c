#include "pdf/import/parse_text.h"

#include <gtest/gtest.h>

#include <string>

#include "pdf/import/pdf_strings.h"
#include "pdf/import/references.h"

namespace pagora {
namespace {

TEST(ParseText, FindKeyMatchesWholeTopLevelKeysOnly) {
  const struct {
    const char* dictionary;
    const char* key;
    const char* value;  // nullptr: not found
  } cases[] = {
      {"<< /Type /Page >>", "Type", "/Page"},
      {"<< /Type /Page >>", "/Type", "/Page"},
      {"<< /TypeX 1 /Type 2 >>", "Type", "2"},
      {"<< /Types 1 >>", "Type", nullptr},
      {"<< /A /Type /B 3 >>", "Type", nullptr},  // a value, not a key
      {"<< /R << /Type 5 >> >>", "Type", nullptr},
      {"<< /K [/Type 5] >>", "Type", nullptr},
      {"<< /S (/Type 5) /T 6 >>", "Type", nullptr},
      {"<< /Author (A) /Author () >>", "Author", ""},  // the last one counts
      {"<< /Ty#70e 7 >>", "Type", "7"},
      {"<</Length 12 0 R/Filter/FlateDecode>>", "Length", "12 0 R"},
      {"<< %comment /Type 1\n /Size 9 >>", "Size", "9"},
      {"<< /A 1 /B >>", "A", nullptr},  // malformed dictionary
  };
  for (const auto& c : cases) {
    const PdfValue value = LookupKey(c.dictionary, c.key);
    if (c.value == nullptr) {
      EXPECT_EQ(value.kind, ValueKind::kNone) << c.dictionary;
    } else {
      EXPECT_EQ(value.text, c.value) << c.dictionary;
    }
  }
}

TEST(ParseText, ReadValueGivesEachKindAndMovesPastIt) {
  const struct {
    const char* text;
    ValueKind kind;
    const char* value;
    const char* rest;
  } cases[] = {
      {"/Name next", ValueKind::kName, "/Name", " next"},
      {"  -12.5]", ValueKind::kNumber, "-12.5", "]"},
      {"12 0 R /X", ValueKind::kReference, "12 0 R", " /X"},
      {"12 0 obj", ValueKind::kNumber, "12", " 0 obj"},
      {"(a(b)c\\)) x", ValueKind::kString, "a(b)c)", " x"},
      {"<4142 43>", ValueKind::kString, "ABC", ""},
      {"<414>", ValueKind::kString, "A@", ""},
      {"[1 [2] << /A [3] >>] z", ValueKind::kArray, "[1 [2] << /A [3] >>]", " z"},
      {"<< /A << /B 1 >> >>", ValueKind::kDictionary, "<< /A << /B 1 >> >>", ""},
      {"true", ValueKind::kBoolean, "true", ""},
      {"null 1", ValueKind::kNull, "null", " 1"},
  };
  for (const auto& c : cases) {
    ParseText parse(c.text);
    const PdfValue value = parse.ReadValue();
    EXPECT_EQ(value.kind, c.kind) << c.text;
    EXPECT_EQ(value.text, c.value) << c.text;
    EXPECT_EQ(std::string(parse.text().substr(parse.position())), c.rest) << c.text;
  }
}

TEST(ParseText, RefusesBrokenAndTooDeepValues) {
  const struct {
    std::string text;
    PdfStatus error;
  } cases[] = {
      {"[1 2", PdfStatus::kMalformed},
      {"<< /A [1 >> ]", PdfStatus::kMalformed},
      {"(unterminated", PdfStatus::kMalformed},
      {"]", PdfStatus::kMalformed},
      {"R", PdfStatus::kMalformed},
      {"", PdfStatus::kMalformed},
      {std::string(kMaxPdfNesting + 1, '[') + std::string(kMaxPdfNesting + 1, ']'),
       PdfStatus::kTooDeep},
  };
  for (const auto& c : cases) {
    ParseText parse(c.text);
    EXPECT_EQ(parse.ReadValue().kind, ValueKind::kNone) << c.text;
    EXPECT_EQ(parse.error(), c.error) << c.text;
    EXPECT_EQ(parse.position(), 0u) << c.text;
  }
  const std::string deepest_text =
      std::string(kMaxPdfNesting, '[') + std::string(kMaxPdfNesting, ']');
  ParseText deepest(deepest_text);
  EXPECT_EQ(deepest.ReadValue().kind, ValueKind::kArray);
}

TEST(ParseText, StringsResolveEscapesAndBecomeWindows1252) {
  const struct {
    const char* token;
    std::string expected;
  } cases[] = {
      {"(\\n\\r\\t\\b\\f\\(\\)\\\\)", "\n\r\t\b\f()\\"},
      {"(\\101\\0611\\7)", "A11\x07"},
      {"(line\\\ncontinued)", "linecontinued"},
      {"(a\r\nb\rc)", "a\nb\nc"},
      {"(\\q)", "q"},
      {"<FEFF00480065006C006C006F>", "Hello"},
      {"<FEFF00E920AC4E2D>", "\xE9\x80?"},  // é, euro sign, a CJK character
      {"<FEFFD83DDE00>", "?"},              // a surrogate pair
      {"(\\376\\377\\000A)", "A"},          // UTF-16 written in octal escapes
      {"<EFBBBFC3A9>", "\xE9"},             // UTF-8 with its mark
      {"(\\200\\240)", "\x95\x80"},         // the format's bullet and euro sign
  };
  for (const auto& c : cases) {
    ParseText parse(c.token);
    EXPECT_EQ(parse.ReadValue().text, c.expected) << c.token;
  }
}

TEST(ParseText, ReadsReferencesAndReferenceArrays) {
  ParseText single("5 0 R");
  std::vector<ObjectRef> refs;
  ASSERT_TRUE(single.ReadReferenceArray(refs));
  ASSERT_EQ(refs.size(), 1u);
  EXPECT_EQ(refs[0].number, 5u);

  ParseText array("[ 3 0 R 4 1 R ]");
  refs.clear();
  ASSERT_TRUE(array.ReadReferenceArray(refs));
  ASSERT_EQ(refs.size(), 2u);
  EXPECT_EQ(refs[1], (ObjectRef{4, 1}));

  ParseText mixed("[3 0 R 7]");
  refs.clear();
  EXPECT_FALSE(mixed.ReadReferenceArray(refs));
  EXPECT_TRUE(refs.empty());
  EXPECT_FALSE(ParseText("4294967296 0 R").ReadReference());
}

TEST(References, FindsAndRenumbersOnlyRealReferences) {
  const std::string text = "<< /Font << /F1 5 0 R >> /S (6 0 R) % 7 0 R\n /K [8 2 R 9 0 R] >>";
  const auto spans = FindReferences(text);
  ASSERT_EQ(spans.size(), 3u);
  EXPECT_EQ(spans[0].ref.number, 5u);
  EXPECT_EQ(spans[1].ref, (ObjectRef{8, 2}));
  EXPECT_EQ(text.substr(spans[2].begin, spans[2].end - spans[2].begin), "9 0 R");
  const std::string renumbered =
      RenumberReferences(text, [](ObjectRef ref) -> std::optional<std::uint32_t> {
        if (ref.number == 9) return std::nullopt;
        return ref.number + 100;
      });
  EXPECT_EQ(renumbered, "<< /Font << /F1 105 0 R >> /S (6 0 R) % 7 0 R\n /K [108 0 R null] >>");
}

}  // namespace
}  // namespace pagora
