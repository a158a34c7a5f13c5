// Automation objects that reach the network or files through libcurl and
// plain file I/O: the HTTP request objects and ADODB.Stream.
#pragma once

#include "objects.h"

namespace pw {

enum class HttpFlavor { XmlHttp, XmlHttp6, ServerXmlHttp, ServerXmlHttp6, WinHttp };

// MSXML2.XMLHTTP, MSXML2.ServerXMLHTTP and WinHttp.WinHttpRequest.5.1. The
// engine (may be nullptr) lets a slow request see the script time-out.
Object* newHttpRequest(HttpFlavor flavor, Engine* engine);
Object* newAdoStream();  // ADODB.Stream
// An ADO error (3001, 3021, 3704...) with ADO's text, raised from the named object.
[[noreturn]] void adoError(int32_t number, u16v source);
Object* newRecordset();  // ADODB.Recordset, in memory
Object* newStringBuilder();  // System.Text.StringBuilder

}  // namespace pw
