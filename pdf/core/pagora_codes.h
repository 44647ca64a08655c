#pragma once

// Names for the integer codes of the public operations. Every operation keeps its plain
// `int` parameter, so callers may pass numbers or OR these names together.

namespace pagora {

// Painting styles of the path operations (DrawRect, DrawLine, ...); only the low byte counts.
enum PathStyleBits : int {
  kPathStroke = 0x00,    // stroke the open path
  kPathNoStroke = 0x01,  // with kPathFill: fill only; alone: leave the path unpainted
  kPathClose = 0x02,
  kPathFill = 0x04,  // even-odd rule; with neither other bit: fill and stroke
  kPathClip = 0x80,  // also intersect the clipping path with this path
};

// Alignment bits of DrawText (the first three) and DrawTextBox (all).
enum AlignBits : int {
  kAlignLeft = 1,
  kAlignRight = 2,
  kAlignCenter = 4,
  kAlignBottom = 16,
  kAlignMiddle = 32,
  kAlignJustify = 64,
  kAlignShrink = 128,  // squeeze long paragraphs onto one line
  kAlignFit = 256,     // squeeze or stretch every paragraph onto one line
};

// Font style bits of SetFont.
enum FontStyleBits : int {
  kFontBold = 1,
  kFontItalic = 2,
  kFontUnderline = 4,
  kFontOverline = 8,
  kFontStrikeOut = 16,
};

// Unit codes of SetScale and the custom paper code of SetPaperSize.
enum UnitCode : int {
  kUnitPoint = 0,
  kUnitInch = 1,
  kUnitMillimetre = 2,
  kUnitCentimetre = 3,
  kUnitCustom = 255,
};
inline constexpr int kPaperA4 = 0;
inline constexpr int kPaperCustom = 255;

// Encoder bits of SetCompression.
enum CompressionBits : int {
  kCompressRunLength = 0x01,
  kCompressFlate = 0x02,
  kCompressLzw = 0x04,
  kCompressAscii85 = 0x08,
  kCompressAsciiHex = 0x10,
};

// Permission bits of SetProtection, and the bit that asks for a 128-bit key.
enum PermissionBits : int {
  kAllowPrint = 4,
  kAllowModify = 8,
  kAllowCopy = 16,
  kAllowNotes = 32,
  kAllowFillForms = 256,  // 128-bit keys only, as the three below
  kAllowAccessibility = 512,
  kAllowAssemble = 1024,
  kAllowPrintHighQuality = 2048,
  kProtect128Bit = 4096,
};

// Flag word of SetViewerPreferences: the low four bits choose the page mode, 0x10..0x200
// are the display preferences, and the top bits of the 16-bit word the page layout.
enum ViewerFlags : int {
  kPageModeFullScreen = 1,
  kPageModeOutlines = 2,
  kPageModeThumbnails = 4,
  kPageModeLayers = 8,
  kHideMenubar = 0x10,
  kHideToolbar = 0x20,
  kHideWindowUi = 0x40,
  kDisplayDocTitle = 0x80,
  kCenterWindow = 0x100,
  kFitWindow = 0x200,
  kLayoutOneColumn = 0x2000,
  kLayoutTwoColumnLeft = 0x4000,
  kLayoutTwoColumnRight = -0x8000,  // the 16-bit 0x8000, sign-widened
};

// Template flags: the Options of BeginObject. A written form object with these flags is
// drawn on every page they select, under the page's content or, with kTemplateOverContent,
// over it.
enum TemplateBits : int {
  kTemplateFirstPage = 0x01,
  kTemplateEvenPages = 0x02,
  kTemplateOddPages = 0x04,
  kTemplateEveryPage = 0x07,
  kTemplateNotFirstPage = 0x08,  // overrides the others on page 1
  kTemplateOverContent = 0x10,
};

// Style of AddGradient; any other value draws an axial gradient.
inline constexpr int kGradientRadial = 1;
// Styles of BeginTiling: a coloured cell, or an uncoloured one painted in the colour given
// with the pattern's name. Style 1 also ignores the colour operations inside the cell.
inline constexpr int kTilingColoured = 0;
inline constexpr int kTilingUncoloured = 1;

// Destination types of AddBookmark, DefineRef and LinkTo: how the target page is shown.
enum DestinationType : int {
  kDestinationFitPage = 0,       // the whole page in the window
  kDestinationFitHeight = 1,     // the page's height, its left edge at x
  kDestinationFitWidth = 2,      // the page's width, its top at y
  kDestinationFitRectangle = 3,  // the box at x, y of width × height
  kDestinationXyz = 4,           // x, y at the window's top-left corner, at a zoom
};

// Icons of AddNoteIcon; any other value leaves the viewer's default.
enum NoteIcon : int {
  kIconNote = 0,
  kIconComment = 1,
  kIconKey = 2,
  kIconHelp = 3,
  kIconParagraph = 4,
  kIconNewParagraph = 5,
  kIconInsert = 6,
};

// Border styles of AddNoteBox.
enum NoteBorder : int {
  kBorderSolid = 0,
  kBorderDashed = 1,
  kBorderBeveled = 2,
  kBorderInset = 3,
  kBorderUnderline = 4,
};

// Highlight modes of LinkTo: how a link reacts when clicked.
enum LinkHighlight : int {
  kHighlightNone = 0,
  kHighlightInvert = 1,
  kHighlightOutline = 2,
  kHighlightPush = 3,
};

}  // namespace pagora
