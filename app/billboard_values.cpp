#include "app/billboard_values.h"

#include "app/billboard_record.h"
#include "app/stored_date.h"

namespace pannellonistica {
namespace {

// Sibling keys read besides the billboard's own. The council-authorisation flag is read
// with them, though no wording depends on it yet.
constexpr const char* kSiblingKeys[] = {
    "INDIRIZZO_CONDOMINIO",
    "RAGIONE_SOCIALE_IMPRESA",
    "TITOLO_PROGETTISTA",
    "NOME_PROGETTISTA",
    "COGNOME_PROGETTISTA",
    "TITOLO_DIRETTORE_LAVORI",
    "NOME_DIRETTORE_LAVORI",
    "COGNOME_DIRETTORE_LAVORI",
    "TITOLO_DIRETTORE_TECNICO_IMPRESA",
    "NOME_DIRETTORE_TECNICO_IMPRESA",
    "COGNOME_DIRETTORE_TECNICO_IMPRESA",
    "DIA_SI_NO",
    "DISPOSIZIONE_DIRIGENZIALE_NUM",
    "DATA_DISPOSIZIONE_DIRIGENZIALE",
    "RELAZIONE_ASSEVERATA",
    "AUTORIZZAZIONE_COMUNE_VESOLA",
};

class KeyReader {
 public:
  explicit KeyReader(const std::map<std::string, std::string>& keys) : keys_(keys) {}

  std::string operator()(const std::string& key) const {
    const auto found = keys_.find(key);
    return found == keys_.end() ? std::string() : found->second;
  }
  // The billboard's key, or the fallback when it is empty.
  std::string Or(const std::string& key, const std::string& fallback) const {
    const std::string value = (*this)(key);
    return value.empty() ? fallback : value;
  }
  // Title, first name and surname of a person, with both separating spaces kept.
  std::string Person(const std::string& role) const {
    return (*this)("TITOLO_" + role) + " " + (*this)("NOME_" + role) + " " +
           (*this)("COGNOME_" + role);
  }
  std::string Date(const std::string& key) const { return StoredDateToText((*this)(key)); }

 private:
  const std::map<std::string, std::string>& keys_;
};

// The permit's wording when the billboard gives none: each rule that applies replaces
// what the earlier ones gave.
std::string PermitWording(const KeyReader& read) {
  std::string wording;
  if (read("DIA_SI_NO") == "S") wording = "DIA";
  if (const std::string number = read("DISPOSIZIONE_DIRIGENZIALE_NUM"); !number.empty()) {
    wording = "Provv. aut. Comune Vesola n." + number + " del " +
              read.Date("DATA_DISPOSIZIONE_DIRIGENZIALE");
  }
  if (read("RELAZIONE_ASSEVERATA") == "S") wording = "Relazione asseverata";
  return wording;
}

std::string UpperCase(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

}  // namespace

std::vector<std::string> BillboardSourceKeys() {
  std::vector<std::string> keys = BillboardKeyList();
  keys.insert(keys.end(), std::begin(kSiblingKeys), std::end(kSiblingKeys));
  return keys;
}

BillboardValues ComposeBillboardValues(const std::map<std::string, std::string>& keys) {
  const KeyReader read(keys);
  BillboardValues v;
  v.site_class = UpperCase(read("PANNELLONE_TIPO_CENTRO"));
  v.address = read.Or("PANNELLONE_INDIRIZZO_CONDOMINIO", read("INDIRIZZO_CONDOMINIO"));
  v.kind_of_works = read("PANNELLONE_TIPOLOGIA_LAVORI");
  v.building_permit = read.Or("PANNELLONE_TITOLO_EDILIZIO", PermitWording(read));
  v.contractor = read.Or("PANNELLONE_RAGIONE_SOCIALE_IMPRESA", read("RAGIONE_SOCIALE_IMPRESA"));
  v.start_date = read.Date("PANNELLONE_DATA_INIZIO_LAVORI");
  v.end_date = read.Date("PANNELLONE_DATA_FINE_LAVORI");
  v.designer = read.Or("PANNELLONE_PROGETTISTA", read.Person("PROGETTISTA"));
  v.works_director = read.Or("PANNELLONE_DIRETTORE_LAVORI", read.Person("DIRETTORE_LAVORI"));
  v.design_coordinator = read("PANNELLONE_COORDINATORE_PROGETTAZIONE");
  v.execution_coordinator = read("PANNELLONE_COORDINATORE_ESECUZIONE");
  v.site_technical_director =
      read.Or("PANNELLONE_DIRETTORE_TECNICO_IMPRESA", read.Person("DIRETTORE_TECNICO_IMPRESA"));
  v.subcontractor = read("PANNELLONE_IMPRESA_SUBAPPALTATRICE");
  v.subcontractor_technical_director = read("PANNELLONE_DIRETTORE_TECNICO_IMPRESA_SUBAPPALTATRICE");
  return v;
}

}  // namespace pannellonistica
