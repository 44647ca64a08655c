#include "app/billboard_values.h"

#include <gtest/gtest.h>

#include "app/billboard_generator.h"

namespace pannellonistica {
namespace {

using Keys = std::map<std::string, std::string>;

TEST(BillboardValues, OwnKeysWinAndSiblingKeysFillTheGaps) {
  Keys keys = {
      {"INDIRIZZO_CONDOMINIO", "Via Verdi 3"}, {"RAGIONE_SOCIALE_IMPRESA", "Edil Vesola srl"},
      {"COGNOME_PROGETTISTA", "Rossi"},        {"TITOLO_DIRETTORE_LAVORI", "Ing."},
      {"NOME_DIRETTORE_LAVORI", "Anna"},       {"COGNOME_DIRETTORE_LAVORI", "Bianchi"},
      {"PANNELLONE_TIPO_CENTRO", "qp"},        {"PANNELLONE_DATA_INIZIO_LAVORI", "20080305"},
      {"PANNELLONE_DATA_FINE_LAVORI", "0"}};
  BillboardValues v = ComposeBillboardValues(keys);
  EXPECT_EQ(v.site_class, "QP");
  EXPECT_EQ(v.address, "Via Verdi 3");
  EXPECT_EQ(v.contractor, "Edil Vesola srl");
  EXPECT_EQ(v.designer, "  Rossi");  // both separating spaces stay
  EXPECT_EQ(v.works_director, "Ing. Anna Bianchi");
  EXPECT_EQ(v.site_technical_director, "  ");
  EXPECT_EQ(v.start_date, "05/03/2008");
  EXPECT_EQ(v.end_date, "");

  keys["PANNELLONE_INDIRIZZO_CONDOMINIO"] = "Via Roma 1";
  keys["PANNELLONE_PROGETTISTA"] = "Arch. Neri";
  v = ComposeBillboardValues(keys);
  EXPECT_EQ(v.address, "Via Roma 1");
  EXPECT_EQ(v.designer, "Arch. Neri");
}

TEST(BillboardValues, PermitWordingTakesTheLastRuleThatApplies) {
  const struct {
    Keys keys;
    const char* permit;
  } cases[] = {
      {{}, ""},
      {{{"DIA_SI_NO", "S"}}, "DIA"},
      {{{"DIA_SI_NO", "s"}}, ""},  // exact comparison
      {{{"DIA_SI_NO", "S"},
        {"DISPOSIZIONE_DIRIGENZIALE_NUM", "123"},
        {"DATA_DISPOSIZIONE_DIRIGENZIALE", "20080305"}},
       "Provv. aut. Comune Vesola n.123 del 05/03/2008"},
      {{{"DISPOSIZIONE_DIRIGENZIALE_NUM", "7"}}, "Provv. aut. Comune Vesola n.7 del "},
      {{{"DIA_SI_NO", "S"},
        {"DISPOSIZIONE_DIRIGENZIALE_NUM", "123"},
        {"RELAZIONE_ASSEVERATA", "S"}},
       "Relazione asseverata"},
      {{{"DIA_SI_NO", "S"}, {"PANNELLONE_TITOLO_EDILIZIO", "Permesso n. 9"}}, "Permesso n. 9"},
  };
  for (const auto& c : cases) EXPECT_EQ(ComposeBillboardValues(c.keys).building_permit, c.permit);
}

TEST(BillboardGenerator, FailuresAfterBeginDocBecomeItalianMessages) {
  const BillboardOutcome open =
      FailureOutcome(52, "Pagora.BeginDoc", "Nome o numero di file non valido");
  EXPECT_FALSE(open.printed);
  EXPECT_FALSE(open.critical);
  EXPECT_EQ(open.message, "Il file è aperto, mi è impossibile generarlo !");
  const BillboardOutcome other =
      FailureOutcome(76, "Pagora.BeginDoc", "Impossibile trovare il percorso - /x/p.pdf");
  EXPECT_TRUE(other.critical);
  EXPECT_EQ(other.message, "Pagora.BeginDoc - Impossibile trovare il percorso - /x/p.pdf");
}

}  // namespace
}  // namespace pannellonistica
