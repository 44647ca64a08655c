// Drawing spaces, and tables whose cells are spaces.
#include <string>

#include "pdf/core/document.h"
#include "pdf/core/error_boundary.h"
#include "pdf/core/number_format.h"
#include "pdf/core/pagora.h"
#include "pdf/graphics/drawing_state.h"

namespace pagora {
namespace {

// Opens the cell of `width` × `height` at the table's cursor: a space with its origin at
// the cell's top-left corner, the background inset by half the line width so that the
// border covers its edge, then the border.
void OpenCell(Pagora& pdf, Document& doc, float width, float height) {
  TableState& table = doc.graphics.table;
  const float k = doc.page.unit_factor;
  const float line_width = doc.graphics.line_width;
  std::string background;
  if (!doc.graphics.fill_color.empty()) {
    const std::string inset = FormatNumber(line_width / 2);
    background = inset + " " + inset + " " + FormatLength(width - line_width / k, k) + " " +
                 FormatLength(height - line_width / k, k) + " re f*";
  }
  std::string border;
  if (line_width > 0) {
    border = "0 0 " + FormatLength(width, k) + " " + FormatLength(height, k) + " re S";
  }
  pdf.BeginSpace(table.cell_x, table.cell_y, 1, 1, 0);
  if (!background.empty()) AppendContent(doc, background);
  if (!border.empty()) AppendContent(doc, border);
  table.cell_open = true;
}

}  // namespace

void Pagora::BeginSpace(float new_x, float new_y, float scale_x, float scale_y, float angle) try {
  Document& doc = *doc_;
  std::string matrix;
  if (scale_x != 1 || scale_y != 1 || new_x != 0 || new_y != 0) {
    const float k = doc.page.unit_factor;
    matrix = FormatNumber(scale_x) + " 0 0 " + FormatNumber(scale_y) + " " +
             FormatLength(new_x, k) + " " + FormatLength(new_y, k) + " cm";
  }
  AppendContent(doc, "q");
  if (!matrix.empty()) AppendContent(doc, matrix);
  if (angle != 0) AxisRotation(angle);
  doc.page.x = 0;
  doc.page.y = 0;
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::EndSpace() try { AppendContent(*doc_, "Q"); } catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::BeginTable(float x, float y) try {
  Document& doc = *doc_;
  TableState& table = doc.graphics.table;
  // One table at a time: an inner table would overwrite the outer one's cursor.
  if (table.table_open) throw RuntimeError(kInvalidCall);
  const float x_points = ToPoints(doc, x);
  const float y_points = ToPoints(doc, y);
  table.cell_x = x;
  table.cell_y = y;
  doc.page.x = x_points;
  doc.page.y = y_points;
  PushDrawingState(doc);
  table.table_open = true;
  table.in_row = false;
  table.in_column = false;
  table.cell_open = false;
  AppendContent(doc, "q");
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::EndTable() try {
  Document& doc = *doc_;
  if (!doc.graphics.table.table_open) return;
  AppendContent(doc, "Q");
  doc.graphics.table.table_open = false;
  PopDrawingState(*this, doc);
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::BeginRow(float height) try {
  Document& doc = *doc_;
  TableState& table = doc.graphics.table;
  // A table has one level of rows and columns: a row is a cell of a column, or holds cells.
  if (table.cell_open || table.in_row) throw RuntimeError(kInvalidCall);
  if (table.in_column) {
    OpenCell(*this, doc, table.column_width, height);
    table.cell_y += height;
    return;
  }
  table.row_height = height;
  PushDrawingState(doc);
  table.in_row = true;
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::EndRow() try {
  Document& doc = *doc_;
  TableState& table = doc.graphics.table;
  if (table.in_column) {
    if (!table.cell_open) return;
    table.cell_open = false;
    EndSpace();
    return;
  }
  if (!table.in_row) return;
  if (table.cell_open) throw RuntimeError(kInvalidCall);
  table.in_row = false;
  PopDrawingState(*this, doc);
  doc.page.y += ToPoints(doc, table.row_height);
  table.cell_x = ToUserUnits(doc, doc.page.x);
  table.cell_y += table.row_height;
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::BeginColumn(float width) try {
  Document& doc = *doc_;
  TableState& table = doc.graphics.table;
  if (table.cell_open || table.in_column) throw RuntimeError(kInvalidCall);
  if (table.in_row) {
    OpenCell(*this, doc, width, table.row_height);
    table.cell_x += width;
    return;
  }
  table.column_width = width;
  PushDrawingState(doc);
  table.in_column = true;
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::EndColumn() try {
  Document& doc = *doc_;
  TableState& table = doc.graphics.table;
  if (table.in_row) {
    if (!table.cell_open) return;
    table.cell_open = false;
    EndSpace();
    return;
  }
  if (!table.in_column) return;
  if (table.cell_open) throw RuntimeError(kInvalidCall);
  table.in_column = false;
  PopDrawingState(*this, doc);
  table.cell_x += table.column_width;
  table.cell_y = ToUserUnits(doc, doc.page.y);
} catch (...) {
  RethrowAsRuntimeError();
}

}  // namespace pagora
