#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "pdf/core/area.h"
#include "pdf/core/local_time.h"
#include "pdf/core/pagora_codes.h"
#include "pdf/core/runtime_error.h"

namespace pagora {

struct Document;

// A PDF writer: one instance produces one PDF file at a time. The caller begins a document
// on a file, adds pages and draws on them, and ends the document, which writes every
// shared object, the cross-reference table and the trailer.
//
// Texts are byte strings of the Windows-1252 code page. Lengths are in user units of
// `UnitFactor` points (SetScale) unless stated otherwise, with the origin at the top-left
// corner of the margin box and y growing downward. Failures reach the caller as
// RuntimeError, except in the operations documented to record them in the error state
// (ErrNumber, ErrSource, ErrDescription) and carry on.
class Pagora {
 public:
  // A document with every setting at its default, dated by the machine's local time.
  Pagora();
  // As above, with the creation date and temporary names taken from `clock`; the same calls
  // with the same clock give the same bytes.
  explicit Pagora(Clock clock);
  Pagora(const Pagora&) = delete;
  Pagora& operator=(const Pagora&) = delete;
  // An output file left open is closed as it is, unfinished.
  ~Pagora();

  // --- Document -------------------------------------------------------------------------

  // Closes an open output file without finishing it and resets every setting to its default
  // (A4 portrait, points, no margins, title "(senza titolo)", a new creation date). The
  // error number becomes 0; the error source and description are kept.
  void Abort();
  // Opens (creates or truncates) the output file and writes the header. An empty name makes
  // a temporary name "~<hex>.pdf" in the current folder. Failures are recorded, not raised:
  // 52 when the file is locked, busy or not writable, 76 when its folder is missing.
  // Returns the name used. Settings are not reset: call Abort first to reuse the object.
  std::string BeginDoc(const std::string& file_name = "");
  // Ends the open page (beginning one if the document has none), writes the closing
  // objects, the cross-reference table and the trailer, and closes the file.
  void EndDoc();
  // The last recorded error: number (0 for none), source "Pagora.<operation>", description.
  int ErrNumber() const;
  const std::string& ErrSource() const;
  const std::string& ErrDescription() const;
  // The engine's version number, "2.4.4".
  static std::string Version();
  // Bytes written so far to the open output file, or the size of the last finished one.
  std::int32_t FileSize() const;
  // Asks the desktop to open the last output file with its default application; does not
  // wait for it.
  void OpenDoc() const;
  // Sets the memory-usage factor M (1..10) that sizes the growth of the internal tables.
  // Values above 10 are ignored; a negative factor is RuntimeError 6.
  void SetMemoryUsage(int factor);

  // --- Pages and units ------------------------------------------------------------------

  // Ends an open page and begins the next; returns its number (from 1).
  int BeginPage();
  // Writes the open page: its content stream, page object and annotation array. Nothing
  // happens when no page is open.
  void EndPage();
  // The page count; while a page is open, its number.
  int GetPage() const;
  // Paper size by code: 0 A4 portrait (596 × 842 pt), 1 A4 landscape, 2/3 A5, 4/5 A6, 6/7 A7,
  // 8/9 Letter, 10 Tabloid, 11 Ledger, 12/13 Legal, 14/15 Statement, 16/17 Executive,
  // -1/-2 A3 landscape/portrait ... -7/-8 A0; 255 takes `width` × `height` in user units.
  // Any other code changes nothing. Every page uses the size current when it ends.
  void SetPaperSize(int code, float width = 0, float height = 0);
  // User unit by code: 0 point, 1 inch, 2 millimetre, 3 centimetre, 255 `factor` points.
  // Any other code changes nothing; values already set are not converted.
  void SetScale(int code, float factor = 0);
  // Margins in user units; with `clip`, drawing is clipped to the margin box.
  void SetMargins(float left, float right, float top, float bottom, bool clip = false);
  // Page rotation: 1 rotates by 270°, 2 by 180°, 3 by 90°, anything else none. Applies to
  // the open page, or to the pages begun later when none is open.
  void SetPageView(int rotation);
  // Page width/height in user units, inside the margins or whole. RuntimeError 11 when the
  // unit factor is 0.
  float GetPageWidth(bool inside_margins) const;
  float GetPageHeight(bool inside_margins) const;
  // The current position, user units from the margin box's top-left corner.
  void SetXY(float x, float y);
  float GetX() const;
  float GetY() const;

  // --- Document information and viewer options ------------------------------------------

  // Title, subject and keywords are always replaced; author, creator and producer only by
  // texts that are not empty.
  void SetDocProperty(const std::string& title, const std::string& subject,
                      const std::string& author, const std::string& creator,
                      const std::string& producer, const std::string& keywords);
  // Page mode (low four bits: 1 full screen, 2 outlines, 4 thumbnails, 8 layers), display
  // preferences (0x10 hide menu bar, 0x20 tool bar, 0x40 window controls, 0x80 show the
  // title, 0x100 centre, 0x200 fit window) and page layout (0x2000 one column, 0x4000 two
  // columns left, the 16-bit 0x8000 sign-widened: two columns right). The last call wins.
  void SetViewerPreferences(std::int32_t flags);
  // Numbers pages from the open page (or the next one) with style 1 decimal, 2 upper-case
  // roman, 3 lower-case roman, 4 upper-case letters, 5 lower-case letters, after `prefix`,
  // starting at `first` (-1: the style's first value). Any other style does nothing.
  void SetLabel(int style, const std::string& prefix, int first = -1);
  // Transition into the open page (or the pages begun later when none is open): code 1..17
  // (split, wipe, box, blinds, dissolve, glitter, replace), `display` seconds on screen,
  // `effect` seconds for the effect. Code 0 and codes outside 1..17 set no transition.
  void SetPageTransition(int code, float display, float effect);

  // --- Colours and graphics state -------------------------------------------------------
  // Colours are texts: "#RRGGBB", "%" grey percentage (0 white, 100 black), "@R;G;B"
  // (0..255), "@C;M;Y;K" (percentages), one of 35 names ("RED" is #F7120D), or a pattern
  // name optionally followed by ";" and the colour to paint an uncoloured pattern with.
  // A malformed "#" or "@" colour is RuntimeError 13. An empty text changes nothing.

  // Fill colour of paths and text boxes: "rg", or "cs"/"scn" for patterns.
  void SetColorFill(const std::string& color);
  // Line (stroke) colour: "RG", or "CS"/"SCN" for patterns.
  void SetColorLine(const std::string& color);
  // Colour of text; writes nothing until text is drawn.
  void SetColorText(const std::string& color);
  // Dash pattern "d": "SOLID" (or empty), "DASH", "DOT", "DASHDOT", "DASHDOTDOT", or
  // lengths in user units separated by ";". `phase` in user units.
  void SetDash(const std::string& pattern, float phase = 0);
  // Line cap "J" from bits 0x20 (round) and 0x40 (square), line join "j" from bits 2
  // (round) and 4 (bevel), and the miter limit "M" when it is at least 1.
  void SetLineStyle(int style, float miter_limit = 0);
  // Line width "w" in user units; a negative width is ignored.
  void SetLineWidth(float width);
  // Fill and stroke opacity in percent (clamped to 0..100): writes a new ExtGState object
  // and selects it with "gs". Raises the file version to 1.4.
  void SetAlpha(int percent);
  // Rotates the axes by `angle` degrees with the matrix cos −sin sin cos ("cm"); in the
  // page's y-down space a positive angle turns the drawing counter-clockwise as seen on
  // the page. Angles that round to whole turns write nothing.
  void AxisRotation(float angle);
  // Scales the axes ("cm").
  void AxisScaling(float scale_x, float scale_y);
  // Skews the axes by angles in degrees ("cm"); an odd multiple of 90° is RuntimeError 6.
  void AxisSkewing(float angle_x, float angle_y);
  // Moves the origin by user lengths ("cm") and the current position to (0, 0).
  void AxisTranslation(float translate_x, float translate_y);

  // --- Paths ------------------------------------------------------------------------------
  // Coordinates in user units. `style` (low byte): 0x04 fill (even-odd), 0x02 close, 0x01
  // fill only (with 0x04) or leave unpainted (without), 0x80 also clip. Painting lines:
  // S, (none), h S, h, B*, f*, b*, f*.

  // Begins a path at (x, y) ("m").
  void MoveTo(float x, float y);
  // A line from (x1, y1) to (x2, y2).
  void DrawLine(float x1, float y1, float x2, float y2, int style = 0);
  // Continues the open path with a line to (x, y).
  void DrawLineTo(float x, float y, int style = 0);
  // A rectangle at (x, y) of `width` × `height`, "re"; with `ray` > 0 the corners in the
  // mask (1 top-left, 2 top-right, 4 bottom-right, 8 bottom-left) are rounded with that
  // radius, limited to half the width and height.
  void DrawRect(float x, float y, float width, float height, int style = 0, float ray = 0,
                int rounded_corners = 15);
  // An ellipse of radii `rx`, `ry` around (cx, cy): four Bézier curves.
  void DrawEllipse(float cx, float cy, float rx, float ry, int style = 0);
  // A circle of radius `ray` around (cx, cy).
  void DrawCircle(float cx, float cy, float ray, int style = 0);
  // An arc of straight segments every `quality` degrees from `start_angle` to `end_angle`
  // (clockwise on the page), y radius `ratio` × `ray`; a pie slice when `pie` or when
  // filled. A `quality` of 0 is RuntimeError 5.
  void DrawArc(float cx, float cy, float ray, float start_angle, float end_angle, float ratio,
               bool pie, int quality, int style = 0);
  // Continues the path with a curve: kind 1 "c" through (x1, y1), (x2, y2) to (x3, y3);
  // kind 2 "v" and kind 3 "y" with (x1, y1) and the end (x2, y2).
  void DrawCurve(int kind, float x1, float y1, float x2, float y2, float x3, float y3,
                 int style = 0);
  // A closed regular polygon of `sides` around (cx, cy), first vertex at angle 0; a
  // negative count turns it by 180°. 0 sides is RuntimeError 11.
  void DrawPolygon(float cx, float cy, float ray, int sides, int style = 0);
  // A polyline through x1, y1, x2, y2, ...; an odd or empty list is RuntimeError 9.
  void DrawPolyline(const std::vector<float>& points, int style = 0);
  // The box of the last element drawn, in points in the PDF default space (y up).
  const Area& LastArea() const;

  // --- Patterns, form objects and layers -------------------------------------------------

  // Writes a gradient pattern, used by naming `alias` (trimmed, any case) as a colour. From
  // (x_start, y_start) to (x_end, y_end) in user units, measured like all drawing from the
  // margin box's top-left corner (inside a form object being recorded, from the form's
  // origin); style kGradientRadial (1) runs between the circles of radius `r_start` and
  // `r_end` around them, any other style along the axis between them. The colours are
  // solid colour texts; the extend flags paint beyond the start and the end. RuntimeError
  // 13 for a colour that is not a solid colour.
  void AddGradient(const std::string& alias, int style, const std::string& start_color,
                   const std::string& end_color, float x_start, float y_start, float x_end,
                   float y_end, float r_start = 0, float r_end = 0, bool extend_before = true,
                   bool extend_after = true);
  // Starts a tiling pattern `alias`: until EndTiling, drawing goes into its cell, the box
  // (x_min, y_min)-(x_max, y_max) drawn top-down like a page, repeated every `x_step`,
  // `y_step` (user units). Style kTilingColoured (0) keeps the cell's colours; any other
  // style makes an uncoloured pattern painted in the colour named with it ("name;colour"),
  // and style kTilingUncoloured (1) also ignores the colour operations inside the cell.
  // Ignored while a tiling pattern is open (except for the colour suppression).
  void BeginTiling(const std::string& alias, float x_min, float y_min, float x_max, float y_max,
                   float x_step, float y_step, int style = kTilingColoured);
  // Writes the open tiling pattern; nothing happens when none is open.
  void EndTiling();
  // Starts recording a form object named `alias` (case kept): until EndObject, drawing goes
  // into it, even inside an open page. `options` are template flags (TemplateBits): a
  // written form object is then drawn on every page they select. Ignored while a form
  // object is open.
  void BeginObject(const std::string& alias, int options = 0);
  // Writes the form object being recorded; nothing happens when none is.
  void EndObject();
  // Draws form object `name` ("q /name Do Q"); the name is matched with its case.
  void PlayObject(const std::string& name);
  // Opens a section of layer `layer` ("/OC /_LAY_n BDC"), created on first use (names are
  // matched in any case; the first call's settings stay): visible at start when
  // `start_state`, listed in the viewer's layer panel when `show_in_list`. A layer named
  // SCREEN shows on screen only and always starts visible; PRINTER prints only and starts
  // hidden. Documents with layers are PDF 1.5.
  void BeginLayer(const std::string& layer, bool start_state = true, bool show_in_list = true);
  // Closes the innermost open layer section ("EMC").
  void EndLayer();

  // --- Tables and spaces ------------------------------------------------------------------

  // Opens a drawing space ("q"): the origin moves to (new_x, new_y), the axes are scaled
  // and turned by `angle` degrees, and the current position becomes (0, 0).
  void BeginSpace(float new_x, float new_y, float scale_x = 1, float scale_y = 1, float angle = 0);
  // Closes the innermost drawing space ("Q").
  void EndSpace();
  // Opens a table with its top-left corner at (x, y): the drawing state is saved until
  // EndTable. RuntimeError 5 while a table is open.
  void BeginTable(float x, float y);
  void EndTable();
  // In an open top-level column, a cell of `height` below the previous one; otherwise a
  // top-level row of that height, whose cells are columns. A cell is a drawing space with
  // its origin at its top-left corner, filled with the fill colour (when set) inset by half
  // the line width and bordered with the line colour (when the line width is above 0).
  // RuntimeError 5, before anything is drawn, for a row inside a row or inside a cell.
  void BeginRow(float height);
  // Closes the cell, or the top-level row (restoring the drawing state and moving the
  // current position down by its height). RuntimeError 5 while a cell in the row is open.
  void EndRow();
  // The mirror image of BeginRow: a cell of `width` right of the previous one in an open
  // top-level row, otherwise a top-level column.
  void BeginColumn(float width);
  void EndColumn();

  // --- Fonts and text -------------------------------------------------------------------

  // Selects the font for the text operations, creating it and writing its font object on
  // first use. `family` (spaces ignored, any case): Arial or Helvetica, CourierNew or
  // Courier, TimesNewRoman or Times, Symbol, ZapfDingbats, a TrueType font's name; any other
  // name is drawn with Arial's metrics under its own resource name. `size` in points, 0
  // keeping the current size (10 when none). `style` bits: 1 bold, 2 italic (Arial, Courier
  // and Times only), 4 underline, 8 overline, 16 strike-through. `encoding` 1 Mac Roman,
  // any other WinAnsi.
  void SetFont(const std::string& family, float size = 0, int style = 0, int encoding = 0);
  // Sets the font size in points as given, 0 included.
  void SetFontSize(float points);
  // Draws one line with its baseline at (x, y): `align` 1 starts it at x, 2 ends it at x,
  // 4 centres it on x (other bits ignored). Style bits 4, 8, 16 add the decorations.
  void DrawText(float x, float y, const std::string& text, int align = 1);
  // Draws at the current position and moves x past the text. `text_style` 1 superscript,
  // 2 subscript, 3 small, each at `percent_size` per cent of the font size; 0, and any
  // other value, normal text.
  void WriteText(const std::string& text, int text_style = 0, float percent_size = 100);
  // Draws at the current position, then moves to x 0 on the next line (none for a text
  // of spaces only).
  void WriteTextLn(const std::string& text);
  // The advance of `phrase` with the current font, size and text state; 0 with no font.
  float TextLength(const std::string& phrase) const;
  // The line height of the current font and size; 0 with no font.
  float TextHeight() const;
  // Text-state operators, written as plain numbers: character spacing in points (Tc), word
  // spacing in points (Tw), horizontal scaling in per cent (Tz), rendering mode 0..7 (Tr,
  // RuntimeError 6 outside the 16-bit range). Spacing and scaling also enter TextLength.
  void SetCharSpacing(float points);
  void SetWordSpacing(float points);
  void SetTextHorizontalScaling(float percent);
  void SetTextMode(int mode);
  // Multiplier of the line height between lines; a negative value is ignored.
  void SetTextLineSpacing(float factor);
  // Lays `text` out in the box whose top-left corner is (x, y): paragraphs at CR LF,
  // wrapped at spaces into `width`, the first line of each paragraph indented by
  // `indentation`. `align`: 1 left, 2 right, 4 centre, 64 justify, 128 squeeze long
  // paragraphs, 256 squeeze or stretch them (both without wrapping), plus 16 bottom or 32
  // middle. `options` is the path style of the box drawn under the text, 1 for none.
  // A `height` of 0 or less has no limit. Returns what did not fit: a rest that begins
  // inside a paragraph starts with byte 0, which the next box takes as a continuation.
  std::string DrawTextBox(float x, float y, float width, float height, const std::string& text,
                          float indentation = 0, int align = 1, int options = 1);
  // Loads the TrueType font file `ttf_file` and writes its font resource (/Subtype
  // /TrueType with /Widths and a /FontDescriptor; with `embedded`, the whole file as its
  // /FontFile2). SetFont then selects it by `font_alias` (spaces ignored, any case; empty
  // takes the font's full name without spaces) and the same `encoding`, 1 Mac Roman, any
  // other WinAnsi; style bits add no suffix to it. A font loaded under a name already in
  // use takes the name over; text drawn before keeps its font. Call with a document begun.
  // Failures are recorded under "AddFont" and register nothing: 53, 75 or 76 for the file,
  // 321 for a damaged font or one without a Windows character map, 6 when its metrics
  // overflow, a write error of the output file.
  void AddFont(const std::string& ttf_file, const std::string& font_alias = "",
               bool embedded = false, int encoding = 0);

  // --- Compression ----------------------------------------------------------------------

  // Chooses the encoders of every stream written from now on, in this and later documents:
  // `flags` ORs 0x01 RunLength (/RunLengthDecode), 0x02 Deflate (/FlateDecode), 0x04 LZW
  // (/LZWDecode), 0x08 ASCII base-85 (/ASCII85Decode) and 0x10 hexadecimal
  // (/ASCIIHexDecode); other bits are ignored. `level` 0 to 3 (larger counts as 3) is the
  // Deflate effort and sets the LZW table size. Never fails.
  void SetCompression(int flags, std::uint8_t level);
  // Compresses `data` in place into a zlib stream for the /FlateDecode filter (the whole
  // input as one Deflate block, then its Adler-32 checksum) and sets `count` to its size in
  // bytes. `level` 0 to 3 (larger counts as 3) trades speed for size. Empty data gives the
  // stream of an empty block. Data or a stream longer than 2^31 - 1 bytes is RuntimeError 6.
  void zzToFlateDecode(std::vector<std::uint8_t>& data, int& count, std::uint8_t level);

  // Protects the document with the standard security handler (RC4): every string and
  // stream is encrypted and readers grant only the permissions in `flags`: 4 print,
  // 8 modify, 16 copy, 32 add notes; with 4096 the key is 128-bit (PDF 1.4) and 256 fill
  // forms, 512 extract for accessibility, 1024 assemble, 2048 print in high quality count
  // too. An empty `owner_password` takes the user's; an empty `user_password` lets anyone
  // open the file. Call before BeginDoc. RuntimeError 6 for 40-bit flags whose permission
  // byte falls below 16.
  void SetProtection(std::int32_t flags, const std::string& owner_password,
                     const std::string& user_password);

  // --- Pictures ---------------------------------------------------------------------------

  // Draws the picture file `file_name` with its top-left corner at (x, y), `width` ×
  // `height` user units ("q W 0 0 H x y cm /_IMG_n Do Q"). A width and height of 0 give
  // one point per pixel; one of them 0 keeps the picture's aspect ratio; negative values
  // mirror it. Raster pictures (.GIF, .BMP, .TGA, .JPG, .JPEG, .JPE) are read once per
  // document into an image XObject, keyed by the upper-cased name and `frame` (which
  // image of an animated GIF, from 1); later calls only place them. Vector pictures
  // (.EPS, .AI, .WMF) are translated into page content on every call. `transparent_color`
  // is the colour key of BMP pictures. A picture that cannot be read records its error
  // (source "Pagora.DrawImage", the upper-cased name after the description) and draws
  // nothing; any other extension draws nothing.
  // RuntimeError 6 for a frame outside -32768..32767 or past 32767 pictures; RuntimeError
  // 11 for a picture sized from its pixels when the unit factor is 0.
  void DrawImage(const std::string& file_name, float x, float y, float width = 0, float height = 0,
                 int frame = 1, const std::string& transparent_color = "");

  // --- Barcodes ---------------------------------------------------------------------------

  // Draws a one-dimensional barcode in the current fill colour, one filled rectangle
  // ("x y w h re f*") per bar, its box's top-left corner (quiet zone included) at (x, y).
  // `symbology`: 0 EAN-13, 1 Code 39 (full ASCII), 2 Interleaved 2 of 5, 3 POSTNET,
  // 4 Code 128 (sets B and C), 5 EAN-8; any other code draws nothing. `magnification`
  // (clamped to 0.8..2.0) scales every size; `height` is bars plus text, 0 for the
  // symbology's default (POSTNET ignores it). `check_character` appends the optional
  // check character of Code 39 and Interleaved 2 of 5. `show_text` adds the
  // human-readable line in CourierNew at 10.08 × magnification points, the drawing state
  // saved and restored around it. `width` receives the width taken, quiet zones included,
  // 0 when nothing was drawn. Failures are recorded under "DrawBarCode", not raised: 5 for
  // a character the symbology cannot carry (nothing drawn), 13 after drawing a numeric
  // symbology whose text held a non-digit (drawn as 0). Code 128 text that is empty or
  // outside codes 32..126 draws nothing and is not an error.
  void DrawBarCode(int symbology, std::string text, float x, float y, bool show_text,
                   float magnification, float height, bool check_character, float& width);

  // --- Pages of other PDF files ---------------------------------------------------------

  // Reads another PDF file's page count and its /Title, /Subject and /Author (as
  // Windows-1252 text, empty when absent); each file is read once per document and found
  // again by its upper-cased path. Returns the page count. Failures are recorded, not
  // raised (source "Pagora.GetInfo", the path after the description), and return 0 with
  // the texts emptied: 53 when the file does not exist, 76 when its folder is missing, 75
  // when it cannot be read, 321 when it is not a PDF file that can be read or is encrypted
  // (`encrypted` is then true).
  int GetInfo(const std::string& file, std::string& title, std::string& subject,
              std::string& author, bool& encrypted);
  // Draws page `page` (from 1) of the PDF file `file` with its top-left corner at (x, y),
  // `width` × `height` user units, like a picture: width and height 0 give one point per
  // point of the page (its crop box, turned by its /Rotate); one of them 0 keeps the page's
  // proportions. The page becomes the form XObject "/_PDF_d.p" (d the file's number in the
  // document, p the page) the first time, its resources copied once per file, and is only
  // placed later ("q sx 0 0 -sy x y+h cm /_PDF_d.p Do Q"); LastArea receives its box. The
  // file is opened as by GetInfo, which records its errors; a page number out of range
  // draws nothing; a page that cannot be read records 321 (source "Pagora.ImportPage") and
  // draws nothing. RuntimeError 11 for a natural size when the unit factor is 0.
  void ImportPage(const std::string& file, int page, float x, float y, float width = 0,
                  float height = 0);

  // --- Bookmarks, destinations, notes and links ------------------------------------------
  // Destinations show their page by `destination_type` (kDestinationFitPage ...): 0 the
  // whole page, 1 its height with x at the left, 2 its width with y at the top, 3 the box
  // x, y, width × height, 4 x, y at the top-left corner at `zoom` per cent. x and y are user
  // lengths from the page's top-left corner (margins not added). Any other type gives no
  // view. RuntimeError 6 when a coordinate overflows.

  // Adds an outline item under the document's top item, which carries the document title
  // and is made anew by construction and Abort (not by BeginDoc). `level` 1 is the first
  // level below the top item; -1 makes a child of the previous item, 0 its sibling; a level
  // deeper than the previous plus one is brought up to it, and one that would be 0 or below
  // -1 counts as 1. Deeper than 254: nothing is added and the result is empty. The item
  // points at the current page (page 1 before the first page). `color` (any colour text;
  // RuntimeError 13 for a pattern or a malformed one) and `style` (1 bold, 2 italic) raise
  // the file version to 1.4. Returns "@n", n the item's number (the top item is 1), which
  // "bookmark:@n" links take.
  std::string AddBookmark(const std::string& title, int level, int destination_type = 0,
                          float x = 0, float y = 0, float width = 0, float height = 0,
                          float zoom = 0, const std::string& color = "", int style = 0);
  // Names a destination on the current page for "ref:name" links. x = 0 and y = 0 take the
  // current position. A destination defined before the first page shows page 1.
  void DefineRef(const std::string& name, int destination_type = 0, float x = 0, float y = 0,
                 float width = 0, float height = 0, float zoom = 0);
  // A free-text note printed on the page in the box at (x, y), `width` × `height`, with the
  // current font and size, the line colour for the text and the fill colour for the
  // background, bordered by the current line width in `border_style` (kBorderSolid ...;
  // `dash` and `gap` in points for dashed borders). `alignment` 2 right, 4 centred, other
  // left. `flags` are the PDF annotation flags. The document author is its title.
  void AddNoteBox(const std::string& text, float x, float y, float width, float height,
                  int alignment = 1, int border_style = 0, float dash = 0, float gap = 0,
                  std::int32_t flags = 0);
  // A sticky note at (x, y) whose pop-up holds `text`: `icon` kIconNote ... kIconInsert (other
  // values the viewer's default), in the fill colour, opened at first with `open`.
  void AddNoteIcon(const std::string& text, int icon, float x, float y, bool open = false,
                   std::int32_t flags = 0);
  // Makes the area of the last drawn element (LastArea) a link to `target`:
  // "http:...", "https:..." or "mailto:..." addresses; "file:name" another PDF file; "script:code" a
  // script; "layer:ON(a,b)OFF(c)TOGGLE(d)" layers switched by name; "ref:name" a DefineRef
  // destination; "bookmark:@n" a bookmark's destination; "page:" with "+k"/"-k" pages from
  // the current one, "#FIRST", "#LAST", "#NEXT", "#PREV", or a page number, shown by
  // `destination_type` as above. Any other target, an unknown page keyword, a page number
  // below 1 or a bookmark that does not exist writes nothing. `border_width` in points (0
  // for none); `highlight` kHighlightNone ... kHighlightPush, others the viewer's default.
  void LinkTo(const std::string& target, int border_width = 0, int highlight = 1,
              int destination_type = 0, float x = 0, float y = 0, float width = 0,
              float height = 0, float zoom = 0);

 private:
  Clock clock_;
  // Every subsystem's state; see pdf/core/document.h. Replaced whole by Abort.
  std::unique_ptr<Document> doc_;
};

}  // namespace pagora
