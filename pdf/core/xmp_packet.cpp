#include <cstdint>
#include <string>
#include <string_view>

#include "pdf/core/document_info.h"
#include "pdf/core/windows1252.h"

namespace pagora {
namespace {

constexpr char kRdfNamespace[] = "http://www.w3.org/1999/02/22-rdf-syntax-ns#";
constexpr char kIxNamespace[] = "http://ns.adobe.com/iX/1.0/";
constexpr char kPdfNamespace[] = "http://ns.adobe.com/pdf/1.3/";
constexpr char kXapNamespace[] = "http://ns.adobe.com/xap/1.0/";
constexpr char kDublinCoreNamespace[] = "http://purl.org/dc/elements/1.1/";

// Character data for the packet: UTF-8, with the XML special characters escaped and the
// control bytes XML 1.0 forbids dropped.
std::string XmlText(std::string_view text) {
  std::string xml;
  xml.reserve(text.size() + 8);
  for (const char c : text) {
    switch (c) {
      case '<':
        xml += "&lt;";
        break;
      case '>':
        xml += "&gt;";
        break;
      case '&':
        xml += "&amp;";
        break;
      case '\'':
        xml += "&apos;";
        break;
      case '"':
        xml += "&quot;";
        break;
      default: {
        const auto byte = static_cast<std::uint8_t>(c);
        if (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r') break;
        AppendUtf8(xml, Windows1252ToUnicode(byte));
      }
    }
  }
  return xml;
}

}  // namespace

std::string BuildXmpPacket(const DocumentInfo& info) {
  const std::string title = XmlText(info.title);
  const std::string subject = XmlText(info.subject);
  const std::string author = XmlText(info.author);
  const std::string creator = XmlText(info.creator);
  const std::string date = XmlText(info.creation_date);
  const std::string ns_rdf = kRdfNamespace;
  const std::string ns_pdf = kPdfNamespace;
  const std::string ns_xap = kXapNamespace;
  const std::string ns_dc = kDublinCoreNamespace;

  const std::string body =
      "<rdf:RDF xmlns:rdf='" + ns_rdf + "' xmlns:iX='" + kIxNamespace + "'>\r" +
      " <rdf:Description about='' xmlns='" + ns_pdf + "' xmlns:pdf='" + ns_pdf + "'>\r" +
      "  <pdf:Producer>" + XmlText(info.producer) + "</pdf:Producer>\r" + "  <pdf:Author>" +
      author + "</pdf:Author>\r" + "  <pdf:Creator>" + creator + "</pdf:Creator>\r" +
      "  <pdf:ModDate>" + date + "</pdf:ModDate>\r" + "  <pdf:Title>" + title + "</pdf:Title>\r" +
      "  <pdf:CreationDate>" + date + "</pdf:CreationDate>\r" + "  <pdf:Subject>" + subject +
      "</pdf:Subject>\r" + "  <pdf:Keywords>" + XmlText(info.keywords) + "</pdf:Keywords>\r" +
      " </rdf:Description>\r" + " <rdf:Description about='' xmlns='" + ns_xap + "' xmlns:xap='" +
      ns_xap + "'>\r" + "  <xap:Author>" + author + "</xap:Author>\r" + "  <xap:ModifyDate>" +
      date + "</xap:ModifyDate>\r" + "  <xap:Title>\r" + "   <rdf:Alt>\r" +
      "  <rdf:li xml:lang='x-default'>" + title + "</rdf:li>\r" + "   </rdf:Alt>\r" +
      "  </xap:Title>\r" + "  <xap:CreateDate>" + date + "</xap:CreateDate>\r" +
      "  <xap:Description>\r" + "   <rdf:Alt>\r" + "  <rdf:li xml:lang='x-default'>" + subject +
      "</rdf:li>\r" + "   </rdf:Alt>\r" + "  </xap:Description>\r" + "  <xap:MetadataDate>" + date +
      "</xap:MetadataDate>\r" + " </rdf:Description>\r" + " <rdf:Description about='' xmlns='" +
      ns_dc + "' xmlns:dc='" + ns_dc + "'>\r" + "  <dc:creator>" + creator + "</dc:creator>\r" +
      "  <dc:title>" + title + "</dc:title>\r" + "  <dc:description>" + subject +
      "</dc:description>\r" + " </rdf:Description>\r" + "</rdf:RDF>\r" + "<?xpacket end='r'?>";
  // bytes= gives the length of the whole packet, its header included; the header's length
  // depends on the digits of the count itself.
  const std::string header_start = "<?xpacket begin='' id='W5M0MpCehiHzreSzNTczkc9d' bytes='";
  const std::string header_end = "'?>\r";
  std::size_t total = header_start.size() + header_end.size() + body.size();
  std::string count = std::to_string(total);
  // Writing the count lengthens the header; settle on a count that includes its own digits.
  while (std::to_string(total + count.size()) != count)
    count = std::to_string(total + count.size());
  return header_start + count + header_end + body;
}

std::string BuildInfoDictionary(const InfoStrings& s) {
  return "<<\r/Title " + s.title + "\r/Author " + s.author + "\r/Creator " + s.creator +
         "\r/Producer " + s.producer + "\r/CreationDate " + s.creation_date + "\r/Subject " +
         s.subject + "\r/Keywords " + s.keywords + "\r>>";
}

}  // namespace pagora
