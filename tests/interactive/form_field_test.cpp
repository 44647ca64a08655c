#include "pdf/interactive/form_field.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pagora {
namespace {

std::string Plain(std::string_view text) {
  return "(" + std::string(text) + ")";
}

FieldRequest Request(int kind, std::int32_t options, std::string value = "",
                     std::string extra = "") {
  FieldRequest request;
  request.name = "f";
  request.kind = kind;
  request.box = {10, 800, 110, 780};
  request.value = std::move(value);
  request.extra = std::move(extra);
  request.options = options;
  request.fill_color = "#FFFFFF";
  request.line_color = "#000000";
  request.appearance = "/F1 10 Tf 0 0 0 rg ";
  return request;
}

TEST(FormField, OptionGroupsFollowTheirPrecedence) {
  struct Case {
    std::int32_t options;
    std::string border;  // the /BS entry
    std::string_view check;
    std::string rotation;
  };
  const std::vector<Case> cases = {
      {0, "/W 1 /S /S>>", "4", ""},
      {kFieldBorder2 | kFieldBorder3 | kFieldBorderDashed | kFieldBorderInset,
       "/W 2 /S /D /D [ 1 1 ]>>", "4", ""},
      {kFieldBorder3 | kFieldBorderInset | kFieldBorderBeveled | kFieldCheckCross |
           kFieldCheckSquare,
       "/W 3 /S /I>>", "5", ""},
      {kFieldBorderBeveled | kFieldBorderUnderline | kFieldCheckSquare | kFieldCheckCircle |
           kFieldRotate180 | kFieldRotate270,
       "/W 1 /S /B>>", "F", "/R 180 "},
      {kFieldBorderUnderline | kFieldCheckCircle | kFieldCheckStar | kFieldRotate90 |
           kFieldRotate180,
       "/W 1 /S /U>>", "l", "/R 90 "},
      {kFieldCheckStar | kFieldCheckDiamond | kFieldRotate270, "/W 1 /S /S>>", "H", "/R 270 "},
      {kFieldCheckDiamond, "/W 1 /S /S>>", "n", ""},
  };
  for (const Case& c : cases) {
    const FieldEntry field = BuildFieldEntry(Request(kFieldCheckBox, c.options));
    EXPECT_NE(field.widget.find("\r/BS << /Type /Border " + c.border), std::string::npos)
        << field.widget;
    EXPECT_EQ(field.caption, c.check);
    EXPECT_EQ(field.characteristics, " /BG [ 1 1 1 ]  /BC [ 0 0 0 ] " + c.rotation);
  }
}

TEST(FormField, FlagsAndVersions) {
  EXPECT_EQ(FieldAnnotationFlags(0), 4);
  EXPECT_EQ(FieldAnnotationFlags(kFieldHidden), 6);
  EXPECT_EQ(FieldAnnotationFlags(kFieldHidden | kFieldNotPrinted), 2);
  EXPECT_EQ(FieldAnnotationFlags(kFieldNotPrinted), 0);
  EXPECT_EQ(FieldFlags(kFieldReadOnly | kFieldMultiLine | kFieldPassword | kFieldMultiSelect |
                       kFieldNoSpellCheck | kFieldNoScroll | kFieldComb),
            1 + 4096 + 8192 + 2097152 + 4194304 + 8388608 + 16777216);
  EXPECT_EQ(FieldVersionBump(kFieldComb | kFieldNoScroll), 2);
  EXPECT_EQ(FieldVersionBump(kFieldNoSpellCheck), 1);
  EXPECT_EQ(FieldVersionBump(kFieldNoScroll), 1);
  EXPECT_EQ(FieldVersionBump(kFieldMultiLine), 0);
  // Not a number: neither a maximum length nor a selection.
  for (const char* text : {"", "abc", "-3", "2x", "99999999999", " "})
    EXPECT_EQ(FieldNumber(text), 0);
  EXPECT_EQ(FieldNumber(" 20 "), 20);
  EXPECT_EQ(FieldNumber("+7"), 7);
}

TEST(FormField, EveryKindsWidgetText) {
  const std::string head =
      "<< /Type /Annot /Subtype /Widget \r /Rect [ 10 800 110 780] /F 4 \r/BS << /Type /Border "
      "/W 1 /S /S>>";
  struct Case {
    int kind;
    std::int32_t options;
    std::string value, extra, widget_tail;
  };
  const std::vector<Case> cases = {
      {kFieldText, kFieldMultiLine | kFieldAlignRight | kFieldAlignCenter, "x", "20",
       " /FT /Tx /Ff 4096 \r/Q 2  /MaxLen 20 "},
      {kFieldText, kFieldAlignCenter, "x", "0", " /FT /Tx /Ff 0 \r/Q 1 "},
      {kFieldCheckBox, 0, "TRUE", "", " /FT /Btn /Ff 0 /V /S#EC /DV /S#EC "},
      {kFieldCheckBox, 0, "yes", "", " /FT /Btn /Ff 0 "},
      {kFieldListBox, kFieldMultiSelect, "a|b", "1", " /FT /Ch /Ff 2097152 "},
      {kFieldComboBox, 0, "a|b|c", "2", " /FT /Ch /Ff 131072 "},
      {kFieldRadioButton, kFieldReadOnly, "tRuE", "", " /FT /Btn /Ff 49153 /V /S#EC /DV /S#EC "},
      {kFieldPushButton, 0, "Invia", "app.alert(1)", " /FT /Btn /Ff 65536"},
      {7, 0, "", "", ""},
  };
  for (const Case& c : cases) {
    const FieldEntry field = BuildFieldEntry(Request(c.kind, c.options, c.value, c.extra));
    EXPECT_EQ(field.widget, head + c.widget_tail) << c.kind;
  }
}

TEST(FormField, ColoursAndBordersAreOptional) {
  FieldRequest request = Request(kFieldText, kFieldNoBorder);
  request.fill_color = "STRIPES";  // a pattern gives no background
  FieldEntry field = BuildFieldEntry(request);
  EXPECT_EQ(field.characteristics, "");
  EXPECT_EQ(field.widget.find("/BS"), std::string::npos);
  field = BuildFieldEntry(Request(kFieldText, kFieldNoBackground | kFieldRotate90));
  EXPECT_EQ(field.characteristics, " /BC [ 0 0 0 ] /R 90 ");
}

TEST(FormField, ObjectDictionaryByKind) {
  FieldEntry text = BuildFieldEntry(Request(kFieldText, 0, "ciao"));
  text.tooltip = "aiuto";
  EXPECT_EQ(FieldObjectDictionary(text, 9, Plain),
            text.widget +
                " /DA (/F1 10 Tf 0 0 0 rg ) /T (f) /TU (aiuto) /MK << /BG [ 1 1 1 ]  /BC [ 0 0 0 ] "
                ">> \r /V (ciao) /DV (ciao)  /P 9 0 R >>");

  FieldEntry combo = BuildFieldEntry(
      Request(kFieldComboBox, kFieldNoBorder | kFieldNoBackground, "uno|due|tre", "2"));
  EXPECT_EQ(FieldObjectDictionary(combo, 9, Plain),
            combo.widget +
                " /DA (/F1 10 Tf 0 0 0 rg ) /T (f) /MK <<>> /Opt [ (uno)(due)(tre) ]  /DV (due) "
                "/V (due) /P 9 0 R >>");
  // A selection past the last item selects nothing.
  combo.selected = 4;
  EXPECT_EQ(FieldObjectDictionary(combo, 9, Plain).find("/DV"), std::string::npos);

  FieldEntry button = BuildFieldEntry(Request(kFieldPushButton, kFieldNoBorder, "Invia"));
  button.action = " /A << /S /JavaScript /JS 5 0 R >> ";
  EXPECT_EQ(FieldObjectDictionary(button, 9, Plain),
            button.widget +
                " /DA (/F1 10 Tf 0 0 0 rg ) /T (f) /MK << /CA (Invia)  /BG [ 1 1 1 ] >>  /A << /S "
                "/JavaScript /JS 5 0 R >>  /P 9 0 R >>");
}

TEST(FormField, ScriptsReachFieldsBelowADottedName) {
  std::vector<FieldEntry> fields(4);
  fields[0].name = "addr";
  fields[1].name = "addr.street";
  fields[2].name = "address";
  fields[3].name = "addr.city";
  EXPECT_EQ(AttachFieldScript(fields, kFieldCalculate, "addr", 12), 3);
  EXPECT_EQ(AttachFieldScript(fields, kFieldKeystroke, "addr.city", 13), 1);
  EXPECT_EQ(AttachFieldScript(fields, kFieldActivate, "addr.street", 14), 1);
  EXPECT_EQ(AttachFieldScript(fields, 10, "addr", 15), 0);
  EXPECT_EQ(AttachFieldScript(fields, -1, "addr", 15), 0);
  EXPECT_EQ(fields[0].events, " /C << /S /JavaScript /JS 12 0 R >> ");
  EXPECT_TRUE(fields[0].calculated);
  EXPECT_EQ(fields[1].action, " /A << /S /JavaScript /JS 14 0 R >> ");
  EXPECT_EQ(fields[2].events, "");
  EXPECT_FALSE(fields[2].calculated);
  EXPECT_EQ(fields[3].events,
            " /C << /S /JavaScript /JS 12 0 R >>  /K << /S /JavaScript /JS 13 0 R >> ");
  for (int event = 1; event <= 9; ++event) EXPECT_FALSE(FieldEventKey(event).empty());
  EXPECT_EQ(FieldEventKey(4), " /Fo ");
  EXPECT_EQ(FieldEventKey(0), "");
}

}  // namespace
}  // namespace pagora
