// MSXML's DOMDocument on libxml2, for the objects that hand out parsed XML
// (XMLHTTP's responseXML) as well as CreateObject.
#pragma once

#include <string_view>

#include "variant.h"

namespace pw {

class Engine;

// A new, empty DOMDocument; version6 gives the MSXML 6 flavour (XPath as the
// selection language, TypeName "DOMDocument60"). The engine may be nullptr.
Object* newDomDocument(Engine* engine, bool version6 = false);

// A DOMDocument holding the parsed text, or an empty one whose parseError
// tells why the text is not well-formed: never raises for bad XML.
// FromBytes reads the encoding from a byte order mark or the XML declaration
// (UTF-8 when neither says), as load() does for a file.
Variant newXmlDocumentFromText(Engine* engine, u16v text);
Variant newXmlDocumentFromBytes(Engine* engine, std::string_view bytes);

}  // namespace pw
