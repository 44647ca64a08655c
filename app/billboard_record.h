// The billboard's own fields in the data file: fourteen keys, in the order a save writes them.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace pannellonistica {

inline constexpr std::string_view kSiteClassKey = "PANNELLONE_TIPO_CENTRO";

// BillboardRecord's keys: the site class, then text fields 0 to 12 in index order.
inline constexpr std::array<std::string_view, 14> kBillboardKeys = {
    kSiteClassKey,
    "PANNELLONE_INDIRIZZO_CONDOMINIO",
    "PANNELLONE_TIPOLOGIA_LAVORI",
    "PANNELLONE_TITOLO_EDILIZIO",
    "PANNELLONE_RAGIONE_SOCIALE_IMPRESA",
    "PANNELLONE_DATA_INIZIO_LAVORI",
    "PANNELLONE_DATA_FINE_LAVORI",
    "PANNELLONE_PROGETTISTA",
    "PANNELLONE_DIRETTORE_LAVORI",
    "PANNELLONE_COORDINATORE_PROGETTAZIONE",
    "PANNELLONE_COORDINATORE_ESECUZIONE",
    "PANNELLONE_DIRETTORE_TECNICO_IMPRESA",
    "PANNELLONE_IMPRESA_SUBAPPALTATRICE",
    "PANNELLONE_DIRETTORE_TECNICO_IMPRESA_SUBAPPALTATRICE",
};

inline constexpr std::string_view kDataFileName = "dati2.dat";

// The fourteen keys as a list, for ReadKeys.
std::vector<std::string> BillboardKeyList();

}  // namespace pannellonistica
