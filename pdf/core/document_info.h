#pragma once

#include <string>

namespace pagora {

// The library banner: the product name and a notice carrying the byte 0xA9 (the copyright
// sign of the single-byte code page). It is the default Producer and the header comment.
inline constexpr char kLibraryBanner[] = "Pagora Library \xA9 2026 the Pagora authors";
inline constexpr char kLibraryVersion[] = "2.4.4";

// The seven texts of the information dictionary, as single-byte text.
struct DocumentInfo {
  std::string title = "(senza titolo)";
  std::string subject;
  std::string keywords;
  std::string author = "Pagora";
  std::string creator = "Pagora Library";
  std::string producer = kLibraryBanner;
  // "D:YYYYMMDDHHmmSS" followed by "Z+01'00'" whatever the machine's time zone.
  std::string creation_date;
};

// The XMP metadata packet of the information texts, lines separated by CR. The texts are
// converted from the single-byte code page to UTF-8 and XML-escaped, so that the packet is
// well-formed whatever they hold; the header's bytes= counts the packet as written.
std::string BuildXmpPacket(const DocumentInfo& info);

// The information dictionary line, each value given already as a PDF literal string
// (escaped and, in a protected document, encrypted under the dictionary's key).
struct InfoStrings {
  std::string title, author, creator, producer, creation_date, subject, keywords;
};
std::string BuildInfoDictionary(const InfoStrings& strings);

}  // namespace pagora
