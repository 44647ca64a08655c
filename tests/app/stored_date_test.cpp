#include "app/stored_date.h"

#include <gtest/gtest.h>

namespace pannellonistica {
namespace {

TEST(StoredDateTest, TextDateToStored) {
  const struct {
    const char* text;
    const char* stored;
  } cases[] = {
      {"12/03/2008", "20080312"},   {"5/3/2008", "20080305"},   {"", "000000"},
      {"12/05", "00000012"},        {"gg/mm/aaaa", "aaaammgg"}, {"1/2/08", "00080201"},
      {"01/13/20080", "200801301"}, {"/03/2008", "200803"},     {" 7/ 3/2008", "20080307"},
  };
  for (const auto& c : cases) EXPECT_EQ(TextDateToStored(c.text), c.stored) << c.text;
}

TEST(StoredDateTest, StoredDateToText) {
  const struct {
    const char* stored;
    const char* text;
  } cases[] = {
      {"20080305", "05/03/2008"},
      {"", ""},
      {"0", ""},
      {"000000", ""},
      {" 000000 ", ""},
      {"200803051430", "05/03/2008 14:30"},
      {"200803051", "05/03/2008 1:"},
  };
  for (const auto& c : cases) EXPECT_EQ(StoredDateToText(c.stored), c.text) << c.stored;
}

TEST(StoredDateTest, CheckStoredDate) {
  const struct {
    const char* date;  // typed in the form
    int result;
  } cases[] = {
      {"29/02/2008", 0}, {"29/02/2007", 1}, {"29/02/1900", 1}, {"29/02/2100", 0}, {"29/02/1800", 0},
      {"01/01/1799", 1}, {"01/01/2101", 1}, {"00/05/2008", 1}, {"32/01/2008", 1}, {"01/13/2008", 2},
      {"31/04/2008", 1}, {"30/04/2008", 0}, {"31/12/2008", 0}, {"12/05", 1},      {"01/00/2008", 2},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CheckStoredDate(TextDateToStored(c.date)), c.result) << c.date;
  }
  EXPECT_EQ(CheckStoredDate("aaaammgg"), 1);
  EXPECT_EQ(CheckStoredDate("200803"), 0);  // no day: month and year only are checked
}

TEST(StoredDateTest, CompareNumbersIgnoresLeadingZeros) {
  EXPECT_LT(CompareNumbers("20081231", "20090101"), 0);
  EXPECT_EQ(CompareNumbers("000000", "0"), 0);
  EXPECT_GT(CompareNumbers("100000000", "20091231"), 0);
}

}  // namespace
}  // namespace pannellonistica
