// A one-page invoice: a heading, a table of items drawn with text and lines, and the total.
// Usage: invoice OUTPUT.pdf
#include <pagora/pagora.h>

#include <cstdio>
#include <iostream>
#include <string>

namespace {

struct Item {
  const char* description;
  int quantity;
  float unit_price;
};

constexpr Item kItems[] = {
    {"Scaffolding, monthly hire", 3, 420.00f},
    {"Site billboard, 1 m x 1.3 m", 1, 185.50f},
    {"Safety netting, 50 m roll", 4, 62.90f},
    {"Delivery and collection", 2, 75.00f},
};

// Column edges in millimetres from the left margin: description, quantity, price, amount.
constexpr float kColumns[] = {0, 95, 120, 150, 180};
constexpr float kRowHeight = 8;

std::string Money(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", static_cast<double>(value));
  return text;
}

// One row: the description from the left, the numbers right-aligned in their columns.
void DrawRow(pagora::Pagora& pdf, float y, const std::string& description,
             const std::string& quantity, const std::string& price, const std::string& amount) {
  const float baseline = y + kRowHeight - 2.5f;
  pdf.DrawText(kColumns[0] + 2, baseline, description, pagora::kAlignLeft);
  pdf.DrawText(kColumns[2] - 2, baseline, quantity, pagora::kAlignRight);
  pdf.DrawText(kColumns[3] - 2, baseline, price, pagora::kAlignRight);
  pdf.DrawText(kColumns[4] - 2, baseline, amount, pagora::kAlignRight);
  pdf.DrawLine(kColumns[0], y + kRowHeight, kColumns[4], y + kRowHeight);
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 2) {
    std::cerr << "usage: invoice OUTPUT.pdf\n";
    return 2;
  }
  try {
    pagora::Pagora pdf;
    pdf.SetScale(pagora::kUnitMillimetre);
    pdf.SetMargins(15, 15, 20, 20);
    pdf.SetDocProperty("Invoice 2025/117", "Site equipment", "Example Works Ltd", "", "", "");
    pdf.BeginDoc(argv[1]);
    if (pdf.ErrNumber() != 0) throw pagora::RuntimeError(pdf.ErrNumber());
    pdf.BeginPage();

    pdf.SetColorText("#1F4E8C");
    pdf.SetFont("Helvetica", 22, pagora::kFontBold);
    pdf.DrawText(0, 10, "Example Works Ltd");
    pdf.SetColorText("BLACK");
    pdf.SetFont("Helvetica", 10);
    pdf.DrawText(0, 17, "12 Harbour Road, Portside");
    pdf.SetFont("Helvetica", 14, pagora::kFontBold);
    pdf.DrawText(kColumns[4], 10, "INVOICE 2025/117", pagora::kAlignRight);
    pdf.SetFont("Helvetica", 10);
    pdf.DrawText(kColumns[4], 17, "8 December 2025", pagora::kAlignRight);

    // The heading row on a grey band, then one row per item under thin lines.
    float y = 35;
    pdf.SetColorFill("%15");
    pdf.SetColorLine("%15");
    pdf.DrawRect(kColumns[0], y, kColumns[4], kRowHeight, pagora::kPathFill);
    pdf.SetColorLine("BLACK");
    pdf.SetLineWidth(0.2f);
    pdf.SetFont("Helvetica", 10, pagora::kFontBold);
    DrawRow(pdf, y, "Description", "Qty", "Unit price", "Amount");
    pdf.SetFont("Helvetica", 10);
    float total = 0;
    for (const Item& item : kItems) {
      y += kRowHeight;
      const float amount = static_cast<float>(item.quantity) * item.unit_price;
      total += amount;
      DrawRow(pdf, y, item.description, std::to_string(item.quantity), Money(item.unit_price),
              Money(amount));
    }
    for (const float x : kColumns) pdf.DrawLine(x, 35, x, y + kRowHeight);

    y += kRowHeight + 8;
    pdf.SetFont("Helvetica", 12, pagora::kFontBold);
    pdf.DrawText(kColumns[3] - 2, y, "Total EUR", pagora::kAlignRight);
    pdf.DrawText(kColumns[4] - 2, y, Money(total), pagora::kAlignRight);
    pdf.SetLineWidth(0.6f);
    pdf.DrawLine(kColumns[3], y + 2, kColumns[4], y + 2);

    pdf.EndDoc();
    return 0;
  } catch (const pagora::RuntimeError& e) {
    std::cerr << "invoice: " << e.number() << " " << e.description() << '\n';
    return 1;
  }
}
