// Where everything sits on the billboard, in millimetres from the page's top-left corner.
#pragma once

#include <array>
#include <string_view>

#include "app/billboard_values.h"

namespace pannellonistica {

// The page, given in points before the unit becomes the millimetre.
inline constexpr float kPageWidthPoints = 2836;
inline constexpr float kPageHeightPoints = 3689.84f;

// Pictures at 0.25 mm per pixel of their nominal size. The site-class picture's file is
// the class code followed by ".GIF"; the others are named here.
struct PicturePlace {
  std::string_view file;
  float x, y, width, height;
};
inline constexpr std::array<PicturePlace, 3> kFixedPictures = {{
    {"loghi.gif", 508, 60, 276.5f, 107.5f},
    {"comune_vesola.gif", 55, 197, 838.5f, 220.5f},
    {"LOGO_NEROVA.gif", 392, 435, 101.75f, 194},
}};
inline constexpr PicturePlace kSiteClassPicture = {"", 517, 434, 428.5f, 201};

// Captions: white Arial bold in a box 5 mm high and as wide as the page.
struct Caption {
  std::string_view text;
  float x, y;
};
inline constexpr float kCaptionBoxHeight = 5;
inline constexpr float kLeftCaptionSize = 50;
inline constexpr float kRightCaptionSize = 51;
inline constexpr std::array<Caption, 8> kLeftCaptions = {{
    {" condominio dell'edificio sito in", 52, 725},
    {" lavori di ", 52, 791},
    {" titolo edilizio", 52, 857},
    {" impresa appaltatrice", 52, 923},
    {" data inizio lavori", 52, 990},
    {" data fine lavori", 52, 1055},
    {" progettista", 52, 1121},
    {" direttore dei lavori", 52, 1187},
}};
inline constexpr std::array<Caption, 5> kRightCaptions = {{
    {" coordinatore prog.ne D. leg.vo 81/08 e s.m.i.", 531, 921},
    {" coordinatore esecuzione D. leg.vo 81/08 e s.m.i.", 531, 990},
    {" direttore tecnico di cantiere impresa", 531, 1053},
    {" impresa subappaltatrice", 531, 1121},
    {" direttore tecnico cantiere impresa subappaltatrice", 531, 1187},
}};

// Values: black Arial bold 46 in white boxes, one space before the value.
struct ValueBox {
  std::string BillboardValues::*value;
  float x, y;
};
inline constexpr float kValueSize = 46;
inline constexpr float kValueBoxWidth = 439.05f;
inline constexpr float kValueBoxHeight = 25.63f;
inline constexpr std::array<ValueBox, 13> kValueBoxes = {{
    {&BillboardValues::address, 52.57f, 748.25f},
    {&BillboardValues::kind_of_works, 52.57f, 814.25f},
    {&BillboardValues::building_permit, 52.57f, 880.25f},
    {&BillboardValues::contractor, 52.57f, 946.25f},
    {&BillboardValues::start_date, 52.57f, 1012.25f},
    {&BillboardValues::end_date, 52.57f, 1078.25f},
    {&BillboardValues::designer, 52.57f, 1144.25f},
    {&BillboardValues::works_director, 52.57f, 1210.25f},
    {&BillboardValues::design_coordinator, 531.57f, 946.25f},
    {&BillboardValues::execution_coordinator, 531.57f, 1012.25f},
    {&BillboardValues::site_technical_director, 531.57f, 1078.25f},
    {&BillboardValues::subcontractor, 531.57f, 1144.25f},
    {&BillboardValues::subcontractor_technical_director, 531.57f, 1210.25f},
}};

}  // namespace pannellonistica
