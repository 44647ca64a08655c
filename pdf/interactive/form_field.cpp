#include "pdf/interactive/form_field.h"

#include <charconv>
#include <string>

#include "pdf/core/number_format.h"
#include "pdf/graphics/color.h"
#include "pdf/interactive/annotation_text.h"

namespace pagora {
namespace {

bool Has(std::int32_t options, std::int32_t bit) {
  return (options & bit) != 0;
}

std::string_view BorderWidth(std::int32_t options) {
  if (Has(options, kFieldBorder2)) return "2 ";
  if (Has(options, kFieldBorder3)) return "3 ";
  return "1 ";
}

std::string_view BorderStyle(std::int32_t options) {
  if (Has(options, kFieldBorderDashed)) return "/S /D /D [ 1 1 ]";
  if (Has(options, kFieldBorderInset)) return "/S /I";
  if (Has(options, kFieldBorderBeveled)) return "/S /B";
  if (Has(options, kFieldBorderUnderline)) return "/S /U";
  return "/S /S";
}

std::string_view Rotation(std::int32_t options) {
  if (Has(options, kFieldRotate90)) return "/R 90 ";
  if (Has(options, kFieldRotate180)) return "/R 180 ";
  if (Has(options, kFieldRotate270)) return "/R 270 ";
  return "";
}

// " /FT /Btn /Ff " and the flags of a check box or radio button, starting checked (on
// state S#EC, "Sì") when the value is "true" in any case.
std::string ButtonText(std::int32_t field_flags, std::string_view value) {
  std::string lower(value);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return " /FT /Btn /Ff " + std::to_string(field_flags) +
         (lower == "true" ? " /V /S#EC /DV /S#EC " : " ");
}

std::vector<std::string_view> SplitItems(std::string_view value) {
  std::vector<std::string_view> items;
  for (;;) {
    const std::size_t bar = value.find('|');
    items.push_back(value.substr(0, bar));
    if (bar == std::string_view::npos) return items;
    value.remove_prefix(bar + 1);
  }
}

}  // namespace

std::int32_t FieldAnnotationFlags(std::int32_t options) {
  return (Has(options, kFieldHidden) ? 2 : 0) + (Has(options, kFieldNotPrinted) ? 0 : 4);
}

std::int32_t FieldFlags(std::int32_t options) {
  std::int32_t flags = 0;
  if (Has(options, kFieldReadOnly)) flags += 1;
  if (Has(options, kFieldMultiLine)) flags += 4096;
  if (Has(options, kFieldPassword)) flags += 8192;
  if (Has(options, kFieldMultiSelect)) flags += 2097152;
  if (Has(options, kFieldNoSpellCheck)) flags += 4194304;
  if (Has(options, kFieldNoScroll)) flags += 8388608;
  if (Has(options, kFieldComb)) flags += 16777216;
  return flags;
}

int FieldVersionBump(std::int32_t options) {
  if (Has(options, kFieldComb)) return 2;
  if (Has(options, kFieldNoSpellCheck) || Has(options, kFieldNoScroll)) return 1;
  return 0;
}

std::string_view CheckStyle(std::int32_t options) {
  if (Has(options, kFieldCheckCross)) return "5";
  if (Has(options, kFieldCheckSquare)) return "F";
  if (Has(options, kFieldCheckCircle)) return "l";
  if (Has(options, kFieldCheckStar)) return "H";
  if (Has(options, kFieldCheckDiamond)) return "n";
  return "4";
}

int FieldNumber(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || number < 0) {
    return 0;
  }
  return number;
}

FieldEntry BuildFieldEntry(const FieldRequest& request) {
  const std::int32_t options = request.options;
  FieldEntry field;
  field.widget = "<< /Type /Annot /Subtype /Widget \r /Rect [ " + RectangleText(request.box) + "]";
  if (const std::int32_t f = FieldAnnotationFlags(options); f != 0) {
    field.widget += " /F " + std::to_string(f) + " ";
  }
  if (IsSolidColor(request.fill_color) && !Has(options, kFieldNoBackground)) {
    field.characteristics = " /BG [ " + FormatColor(request.fill_color) + " ] ";
  }
  if (IsSolidColor(request.line_color) && !Has(options, kFieldNoBorder)) {
    field.widget += "\r/BS << /Type /Border /W ";
    field.widget += BorderWidth(options);
    field.widget += BorderStyle(options);
    field.widget += ">>";
    field.characteristics += " /BC [ " + FormatColor(request.line_color) + " ] ";
  }
  field.characteristics += Rotation(options);

  const std::int32_t flags = FieldFlags(options);
  switch (request.kind) {
    case kFieldText: {
      field.widget += " /FT /Tx /Ff " + std::to_string(flags) + " ";
      if (Has(options, kFieldAlignRight)) {
        field.widget += "\r/Q 2 ";
      } else if (Has(options, kFieldAlignCenter)) {
        field.widget += "\r/Q 1 ";
      }
      if (const int length = FieldNumber(request.extra); length > 0) {
        field.widget += " /MaxLen " + std::to_string(length) + " ";
      }
      field.value = request.value;
      break;
    }
    case kFieldCheckBox:
      field.caption = CheckStyle(options);
      field.widget += ButtonText(flags, request.value);
      break;
    case kFieldListBox:
    case kFieldComboBox: {
      const std::int32_t choice = request.kind == kFieldComboBox ? flags + 131072 : flags;
      field.widget += " /FT /Ch /Ff " + std::to_string(choice) + " ";
      field.value = request.value;
      field.selected = FieldNumber(request.extra);
      break;
    }
    case kFieldRadioButton:
      field.caption = "l";
      field.widget += ButtonText(flags + 32768 + 16384, request.value);
      break;
    case kFieldPushButton:
      field.widget += " /FT /Btn /Ff " + std::to_string(flags + 65536);
      field.caption = request.value;
      break;
    default:
      break;
  }
  field.name = request.name;
  field.appearance = request.appearance;
  field.tooltip = request.tooltip;
  field.kind = request.kind;
  return field;
}

std::string FieldObjectDictionary(const FieldEntry& field, int page_object,
                                  const StringEncoder& encode, std::string_view appearance) {
  std::string text =
      field.widget + " /DA " + encode(field.appearance) + " /T " + encode(field.name);
  if (!field.tooltip.empty()) text += " /TU " + encode(field.tooltip);
  switch (field.kind) {
    case kFieldText:
      text += " /MK <<" + field.characteristics + ">> \r /V " + encode(field.value) + " /DV " +
              encode(field.value) + " ";
      break;
    case kFieldListBox:
    case kFieldComboBox: {
      text += " /MK <<" + field.characteristics + ">> /Opt [ ";
      const std::vector<std::string_view> items = SplitItems(field.value);
      for (std::string_view item : items) text += encode(item);
      text += " ] ";
      // A selection past the last item names nothing: no default rather than a wrong one.
      if (field.selected >= 1 && static_cast<std::size_t>(field.selected) <= items.size()) {
        const std::string item = encode(items[static_cast<std::size_t>(field.selected) - 1]);
        text += " /DV " + item + " /V " + item;
      }
      break;
    }
    case kFieldCheckBox:
    case kFieldRadioButton:
    case kFieldPushButton:
      text += " /MK << /CA " + encode(field.caption) + " " + field.characteristics + ">> ";
      break;
    default:
      break;
  }
  if (!field.events.empty()) text += " /AA << " + field.events + " >> ";
  text += field.action;
  text += appearance;
  text += " /P " + std::to_string(page_object) + " 0 R >>";
  return text;
}

bool FieldNameMatches(std::string_view name, std::string_view target) {
  return name.starts_with(target) && (name.size() == target.size() || name[target.size()] == '.');
}

std::string_view FieldEventKey(int event) {
  static constexpr std::string_view kKeys[] = {"",      " /D ", " /E ", " /X ", " /Fo ",
                                               " /Bl ", " /K ", " /V ", " /C ", " /F "};
  return event >= 1 && event <= 9 ? kKeys[event] : "";
}

int AttachFieldScript(std::vector<FieldEntry>& fields, int event, std::string_view target,
                      int script_object) {
  if (event < 0 || event > 9) return 0;
  const std::string action = "<< /S /JavaScript /JS " + std::to_string(script_object) + " 0 R >> ";
  int reached = 0;
  for (auto field = fields.rbegin(); field != fields.rend(); ++field) {
    if (!FieldNameMatches(field->name, target)) continue;
    ++reached;
    if (event == 0) {
      field->action = " /A " + action;
    } else {
      field->events += FieldEventKey(event);
      field->events += action;
      if (event == 8) field->calculated = true;
    }
  }
  return reached;
}

}  // namespace pagora
