// The fixed layout and texts of the data-entry window, in twips (15 twips = 1 pixel)
// inside the scrolling panel. User-visible texts are UTF-8.
#pragma once

#include <array>
#include <string_view>

namespace pannellonistica {

inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kFieldCount = 13;
inline constexpr int kFieldWidth = 3975;
inline constexpr int kFieldHeight = 315;
inline constexpr int kPanelHeight = 15000;
inline constexpr int kFrameHeight = 8000;  // the visible part of the panel
inline constexpr int kScrollTop = 32767;   // the scroll bar's value at the top of its range
inline constexpr int kScrollStep = 500;    // small and large steps alike

inline constexpr std::string_view kWindowCaption = "Pannellonistica";
inline constexpr std::array<std::string_view, 3> kTitleLines = {
    "Pannellonistica", "Compilazione Contratto Impresa",
    "Progetto Nerova 3 - Bando del 30 giugno 2008"};
inline constexpr std::array<std::string_view, 3> kButtonCaptions = {"&Salva", "&Stampa", "&Help"};

struct OptionSpec {
  std::string_view caption;
  std::string_view code;  // saved under PANNELLONE_TIPO_CENTRO
  int top;
};
inline constexpr int kOptionLeft = 240;
inline constexpr std::array<OptionSpec, 3> kOptions = {{
    {"Centro storico urbano", "CSU", 4920},
    {"Centro storico perifico", "CSP", 5520},
    {"Quartiere perifico", "QP", 6120},
}};

struct FieldSpec {
  std::string_view caption;
  std::string_view key;
  std::string_view tag;
  int max_length;
  int left;
  int top;
};
inline constexpr std::array<FieldSpec, kFieldCount> kFields = {{
    {"dell'edificio sito in ", "PANNELLONE_INDIRIZZO_CONDOMINIO", "", 255, 240, 7800},
    {"Lavori di", "PANNELLONE_TIPOLOGIA_LAVORI", "", 255, 240, 8520},
    {"Titolo Edilizio", "PANNELLONE_TITOLO_EDILIZIO", "", 255, 240, 9240},
    {"Impresa appaltatrice", "PANNELLONE_RAGIONE_SOCIALE_IMPRESA", "", 255, 240, 10080},
    {"Data inizio lavori", "PANNELLONE_DATA_INIZIO_LAVORI", "DATA", 10, 240, 10920},
    {"Data fine lavori", "PANNELLONE_DATA_FINE_LAVORI", "DATA", 10, 240, 11760},
    {"Progettista", "PANNELLONE_PROGETTISTA", "", 255, 240, 12600},
    {"Direttore dei lavori", "PANNELLONE_DIRETTORE_LAVORI", "", 255, 240, 13440},
    {"Coordinatore prog.ne D. leg.vo 81/08 e s.m.i.", "PANNELLONE_COORDINATORE_PROGETTAZIONE", "",
     255, 5280, 10080},
    {"Coordinatore esecuzione D. leg.vo 81/08 e s.m.i.", "PANNELLONE_COORDINATORE_ESECUZIONE", "",
     255, 5280, 10920},
    {"Direttore tecnico di cantiere", "PANNELLONE_DIRETTORE_TECNICO_IMPRESA", "", 255, 5280, 11760},
    {"Impresa subappaltatrice", "PANNELLONE_IMPRESA_SUBAPPALTATRICE", "", 255, 5280, 12600},
    {"Direttore tecnico cantiere Impresa subappaltatrice",
     "PANNELLONE_DIRETTORE_TECNICO_IMPRESA_SUBAPPALTATRICE", "", 255, 5280, 13440},
}};

// Twips to whole pixels, rounded to nearest.
constexpr int TwipsToPixels(double twips) {
  return static_cast<int>(twips >= 0 ? twips / kTwipsPerPixel + 0.5 : twips / kTwipsPerPixel - 0.5);
}

// The panel's top in twips for a scroll bar value from 0 (bottom) to 32767 (top): the top
// of the range shows the panel's top, the bottom moves it up by its height less 8000.
double PanelTopForScroll(int value);

// The scroll bar value that brings a control spanning `top` to `top + height` twips of the
// panel fully into the visible frame, moving as little as possible from `value`; `value`
// itself when the control is already in view.
int ScrollValueShowing(int top, int height, int value);

}  // namespace pannellonistica
