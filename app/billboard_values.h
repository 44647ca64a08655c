// The billboard's working values, composed from the data file's keys: the billboard's own
// where they are set, the sibling application's particulars otherwise.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace pannellonistica {

struct BillboardValues {
  std::string site_class;  // "CSU", "CSP", "QP" or as saved, upper-cased
  std::string address;
  std::string kind_of_works;
  std::string building_permit;
  std::string contractor;
  std::string start_date;  // dd/mm/yyyy, or empty
  std::string end_date;
  std::string designer;
  std::string works_director;
  std::string design_coordinator;
  std::string execution_coordinator;
  std::string site_technical_director;
  std::string subcontractor;
  std::string subcontractor_technical_director;
};

// Every key the billboard reads: its own fourteen and the sibling application's.
std::vector<std::string> BillboardSourceKeys();

// The working values from trimmed key values (a missing key counts as empty). Values are
// bytes of the Windows-1252 code page, as stored.
BillboardValues ComposeBillboardValues(const std::map<std::string, std::string>& keys);

}  // namespace pannellonistica
