// Any bytes as the text of any symbology: the encoder must finish, and a symbol it draws
// must stay inside its own box with bars of the right kinds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "pdf/barcode/barcode_layout.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

bool AllOf(std::string_view text, std::string_view alphabet) {
  return text.find_first_not_of(alphabet) == std::string_view::npos;
}

int TotalModules(const pagora::BarcodeSymbol& symbol) {
  int modules = 0;
  for (const pagora::BarElement& element : symbol.elements) modules += element.modules;
  return modules;
}

}  // namespace

// The first byte picks the symbology (low 3 bits, 6 and 7 wrap), the check character and
// whether text is shown; the rest is the text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using pagora::BarcodeSymbology;
  if (size == 0) return 0;
  const auto symbology = static_cast<BarcodeSymbology>((data[0] & 7) % 6);
  const bool check = (data[0] & 8) != 0;
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  const pagora::BarcodeSymbol symbol = pagora::EncodeBarcode(symbology, text, check);
  Require(symbol.symbology == symbology);
  Require(pagora::HasBars(symbol.status) == !symbol.elements.empty());

  constexpr std::string_view kDigits = "0123456789";
  if (pagora::HasBars(symbol.status)) {
    switch (symbology) {
      case BarcodeSymbology::kEan13:
        Require(symbol.data.size() == 13 && AllOf(symbol.data, kDigits));
        Require(TotalModules(symbol) == 95);
        break;
      case BarcodeSymbology::kEan8:
        Require(symbol.data.size() == 8 && AllOf(symbol.data, kDigits));
        Require(TotalModules(symbol) == 67);
        break;
      case BarcodeSymbology::kInterleaved2Of5:
        Require(symbol.data.size() % 2 == 0 && AllOf(symbol.data, kDigits));
        break;
      case BarcodeSymbology::kCode39:
        Require(AllOf(symbol.data, "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%"));
        Require(TotalModules(symbol) == 16 * static_cast<int>(symbol.data.size() + 2));
        break;
      case BarcodeSymbology::kCode128:
        Require(symbol.data == text && symbol.code_values.back() == 106);
        Require(TotalModules(symbol) == 11 * static_cast<int>(symbol.code_values.size()) + 2);
        break;
      case BarcodeSymbology::kPostnet:
        Require(symbol.data.size() == 6 || symbol.data.size() == 10);
        break;
    }
  }

  pagora::BarcodePlacement placement;
  placement.x = 5;
  placement.y = 7;
  placement.show_text = (data[0] & 16) != 0;
  const pagora::BarcodeLayout layout = pagora::LayoutBarcode(symbol, placement);
  Require((layout.width > 0) == pagora::HasBars(symbol.status));
  for (const pagora::BarcodeRectangle& r : layout.rectangles) {
    Require(r.width > 0 && r.height > 0);
    Require(r.x >= placement.x && r.x + r.width <= placement.x + layout.width);
    Require(r.y >= placement.y);
  }
  Require(placement.show_text || layout.texts.empty());
  return 0;
}
