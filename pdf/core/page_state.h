#pragma once

#include <optional>
#include <string>
#include <vector>

namespace pagora {

// A page transition: the /Trans dictionary text (empty for none) and how long the page is
// displayed, in seconds.
struct PageTransition {
  std::string text;
  float display_duration = 0;
};

// Page geometry and bookkeeping. Lengths are held in points; the public interface converts
// from user units of `unit_factor` points. User space has its origin at the top-left corner
// of the margin box with y growing downward.
struct PageState {
  float width = 596;
  float height = 842;
  float unit_factor = 1;
  float margin_left = 0;
  float margin_right = 0;
  float margin_top = 0;
  float margin_bottom = 0;
  bool clip_to_margins = false;
  int default_rotation = 0;
  int rotation = 0;  // of the open page
  // Pages begun so far; while a page is open, its number (from 1).
  int count = 0;
  // Object number of each finished page, indexed by page number; index 0 unused.
  std::vector<int> object_numbers;
  // "P 0 R " for each finished page, in page order: the page tree's /Kids.
  std::string kids;
  // "n 0 R " for each annotation of the open page.
  std::string annotations;
  // The open page's object number when an annotation named it before the page was
  // written; EndPage writes the page under it.
  std::optional<int> reserved_object;
  // Current position, points.
  float x = 0;
  float y = 0;
  PageTransition default_transition;
  PageTransition transition;  // of the open page
};

// The operator lines every page's content starts with: the matrix that turns top-down user
// space into PDF space, "1 0 0 -1 L H-T cm " CR, then the margin clip "0 0 w h re W n" CR
// when clipping is on.
std::string BuildContentPrefix(const PageState& page);

// The objects a page dictionary names besides the shared ones.
struct PageReferences {
  int contents = 0;
  std::optional<int> annotations;  // the array of the page's annotations
  std::optional<int> open_script;
  std::optional<int> close_script;
};

// The page object's dictionary, one line.
std::string BuildPageDictionary(const PageState& page, const PageReferences& references);

}  // namespace pagora
