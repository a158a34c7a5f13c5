// MSXML2.XMLHTTP, MSXML2.ServerXMLHTTP and WinHttp.WinHttpRequest.5.1 on libcurl.
//
// Requests run to completion inside Send, also when Open asked for async: the
// engine has one thread, and scripts that poll readyState or call
// WaitForResponse see the finished request at once. While the transfer waits,
// curl's progress callback checks the script time-out and lets the host poll
// for Ctrl-C, so a slow server cannot hold the script past either.
#include <curl/curl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "charsets.h"
#include "engine.h"
#include "obj_net.h"

namespace pw {
namespace {

using objimpl::expectCall;
using objimpl::findMember;
using objimpl::isPut;

std::string lowerAscii(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return s;
}

std::string trim(std::string_view s) {
  size_t a = 0, b = s.size();
  while (a < b && (s[a] == ' ' || s[a] == '\t')) ++a;
  while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t' || s[b - 1] == '\r' || s[b - 1] == '\n')) --b;
  return std::string(s.substr(a, b - a));
}

// HTTP/2 responses carry no reason phrase; Windows shows the usual one.
const char* reasonPhrase(long code) {
  switch (code) {
    case 200: return "OK";
    case 201: return "Created";
    case 202: return "Accepted";
    case 204: return "No Content";
    case 206: return "Partial Content";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 303: return "See Other";
    case 304: return "Not Modified";
    case 307: return "Temporary Redirect";
    case 308: return "Permanent Redirect";
    case 400: return "Bad Request";
    case 401: return "Unauthorized";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 409: return "Conflict";
    case 429: return "Too Many Requests";
    case 500: return "Internal Server Error";
    case 502: return "Bad Gateway";
    case 503: return "Service Unavailable";
    case 504: return "Gateway Timeout";
    default: return "";
  }
}

void curlGlobalInit() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

constexpr int32_t hr(uint32_t v) { return static_cast<int32_t>(v); }

// WinHttp's error numbers (0x80070000 + ERROR_WINHTTP_*), which ServerXMLHTTP reports too.
constexpr int32_t kWinTimeout = hr(0x80072EE2);
constexpr int32_t kWinBadUrl = hr(0x80072EE5);
constexpr int32_t kWinBadProtocol = hr(0x80072EE6);
constexpr int32_t kWinNoName = hr(0x80072EE7);
constexpr int32_t kWinCannotConnect = hr(0x80072EFD);
constexpr int32_t kWinConnReset = hr(0x80072EFE);
constexpr int32_t kWinBadCa = hr(0x80072F0D);
constexpr int32_t kWinBadCertName = hr(0x80072F06);
constexpr int32_t kWinSecure = hr(0x80072F8F);
constexpr int32_t kWinRedirect = hr(0x80072F7C);
constexpr int32_t kWinHeaderMissing = hr(0x80072F76);
constexpr int32_t kWinBeforeOpen = hr(0x80072F44);
constexpr int32_t kWinBeforeSend = hr(0x80072F45);
constexpr int32_t kWinAfterSend = hr(0x80072F46);
// MSXML's XMLHTTP goes through the browser's URL monikers.
constexpr int32_t kInetNotFound = hr(0x800C0005);
constexpr int32_t kInetBadUrl = hr(0x800C0002);
constexpr int32_t kInetTimeout = hr(0x800C000B);
constexpr int32_t kInetSecurity = hr(0x800C000E);
constexpr int32_t kNotReady = hr(0x8000000A);
constexpr int32_t kUnexpected = hr(0x8000FFFF);

class HttpRequestObj : public Object {
 public:
  HttpRequestObj(HttpFlavor f, Engine* e) : flavor_(f), eng_(e) {
    curlGlobalInit();
    if (!isXml()) {
      resolveMs_ = 0;
      connectMs_ = 60000;
      sendMs_ = 30000;
      receiveMs_ = 30000;
    }
    userAgent_ = isXml() ? "Mozilla/4.0 (compatible; MSIE 7.0; Windows NT 10.0; Win64; x64)"
                         : "Mozilla/4.0 (compatible; Win32; WinHttp.WinHttpRequest.5)";
  }

  enum Id {
    kOpen = 1, kSetRequestHeader, kSend, kAbort, kStatus, kStatusText, kResponseText, kResponseBody,
    kResponseXML, kGetResponseHeader, kGetAllResponseHeaders, kReadyState, kSetTimeouts,
    kWaitForResponse, kOption, kGetOption, kSetOption, kSetProxy, kSetCredentials, kOnReadyStateChange,
    kSetAutoLogonPolicy, kSetProxyCredentials, kResponseStream,
  };

  int32_t getIdOfName(u16v name) override {
    int32_t id = findMember(
        {{u"open", kOpen}, {u"setRequestHeader", kSetRequestHeader}, {u"send", kSend}, {u"abort", kAbort},
         {u"status", kStatus}, {u"statusText", kStatusText}, {u"responseText", kResponseText},
         {u"responseBody", kResponseBody}, {u"responseXML", kResponseXML},
         {u"getResponseHeader", kGetResponseHeader}, {u"getAllResponseHeaders", kGetAllResponseHeaders},
         {u"readyState", kReadyState}, {u"setTimeouts", kSetTimeouts}, {u"waitForResponse", kWaitForResponse},
         {u"Option", kOption}, {u"getOption", kGetOption}, {u"setOption", kSetOption}, {u"setProxy", kSetProxy},
         {u"SetCredentials", kSetCredentials}, {u"onreadystatechange", kOnReadyStateChange},
         {u"SetAutoLogonPolicy", kSetAutoLogonPolicy}, {u"setProxyCredentials", kSetProxyCredentials}},
        name);
    return available(id) ? id : DISPID_UNKNOWN;
  }

  Variant invoke(int32_t id, InvokeKind kind, Args a) override {
    if (!available(id)) raise(438);
    switch (id) {
      case kOpen: return open(kind, a);
      case kSetRequestHeader: {
        expectCall(kind, a, 2, 2);
        if (readyState_ == 0) fail(isXml() ? kUnexpected : kWinBeforeOpen);
        if (sent_) fail(isXml() ? kUnexpected : kWinAfterSend);
        std::string name = trim(toUtf8(toString(a[0])));
        if (name.empty() || name.find_first_of(":\r\n") != std::string::npos) raise(5);
        std::string value = toUtf8(toString(a[1]));
        if (value.find_first_of("\r\n") != std::string::npos) raise(5);
        reqHeaders_.emplace_back(name, value);
        return Variant();
      }
      case kSend: return send(kind, a);
      case kAbort:
        expectCall(kind, a, 0, 0);
        resetResponse();
        readyState_ = 0;
        return Variant();
      case kStatus:
        expectCall(kind, a, 0, 0);
        needResponse();
        return Variant::lng(static_cast<int32_t>(status_));
      case kStatusText:
        expectCall(kind, a, 0, 0);
        needResponse();
        return Variant::str(fromUtf8(statusText_));
      case kResponseText:
        expectCall(kind, a, 0, 0);
        needResponse();
        return Variant::str(responseText());
      case kResponseBody:
        expectCall(kind, a, 0, 0);
        needResponse();
        return objimpl::makeByteArray(body_);
      case kResponseXML:
        expectCall(kind, a, 0, 0);
        needResponse();
        return responseXml();
      case kGetResponseHeader: {
        expectCall(kind, a, 1, 1);
        needResponse();
        std::string want = lowerAscii(trim(toUtf8(toString(a[0]))));
        std::string out;
        bool found = false;
        for (const auto& [n, v] : respHeaders_) {
          if (lowerAscii(n) != want) continue;
          if (found) out += ", ";
          out += v;
          found = true;
        }
        if (!found && flavor_ == HttpFlavor::WinHttp) fail(kWinHeaderMissing);
        return Variant::str(fromUtf8(out));
      }
      case kGetAllResponseHeaders: {
        expectCall(kind, a, 0, 0);
        needResponse();
        std::string out;
        for (const auto& [n, v] : respHeaders_) out += n + ": " + v + "\r\n";
        out += "\r\n";
        return Variant::str(fromUtf8(out));
      }
      case kReadyState:
        expectCall(kind, a, 0, 0);
        return Variant::lng(readyState_);
      case kSetTimeouts:
        expectCall(kind, a, 4, 4);
        resolveMs_ = toLong(a[0]);
        connectMs_ = toLong(a[1]);
        sendMs_ = toLong(a[2]);
        receiveMs_ = toLong(a[3]);
        if (resolveMs_ < -1 || connectMs_ < -1 || sendMs_ < -1 || receiveMs_ < -1) raise(5);
        return Variant();
      case kWaitForResponse:
        // Send has already finished the request.
        expectCall(kind, a, 0, 1);
        if (flavor_ == HttpFlavor::WinHttp && !sent_) fail(kWinBeforeSend);
        return Variant::boolean(true);
      case kOption: return winOption(kind, a);
      case kGetOption:
        expectCall(kind, a, 1, 1);
        return sxhOption(toLong(a[0]), nullptr);
      case kSetOption:
        expectCall(kind, a, 2, 2);
        sxhOption(toLong(a[0]), &a[1]);
        return Variant();
      case kSetProxy: {
        expectCall(kind, a, 1, 3);
        int32_t setting = toLong(a[0]);
        if (setting == 2) {  // named proxy
          proxy_ = a.missing(1) ? std::string() : toUtf8(toString(a[1]));
          noProxy_ = a.missing(2) ? std::string() : toUtf8(toString(a[2]));
          for (char& c : noProxy_)
            if (c == ';') c = ',';
          proxyMode_ = 2;
        } else if (setting == 0 || setting == 1) {
          proxyMode_ = setting;
        } else {
          raise(5);
        }
        return Variant();
      }
      case kSetCredentials:
        expectCall(kind, a, 2, 3);
        if (readyState_ == 0) fail(kWinBeforeOpen);
        user_ = toUtf8(toString(a[0]));
        password_ = toUtf8(toString(a[1]));
        hasCredentials_ = true;
        return Variant();
      case kSetProxyCredentials:
        expectCall(kind, a, 2, 2);
        proxyUser_ = toUtf8(toString(a[0])) + ":" + toUtf8(toString(a[1]));
        return Variant();
      case kSetAutoLogonPolicy:
        expectCall(kind, a, 1, 1);
        return Variant();
      case kOnReadyStateChange:
        // Called once, when an async request has finished (at the end of Send).
        if (isPut(kind)) {
          if (a.size() != 1) raise(450);
          onChange_ = a[0];
          return Variant();
        }
        return onChange_;
    }
    raise(438);
  }

  u16 typeName() const override {
    switch (flavor_) {
      case HttpFlavor::XmlHttp:
      case HttpFlavor::XmlHttp6: return u"IXMLHTTPRequest";
      case HttpFlavor::ServerXmlHttp:
      case HttpFlavor::ServerXmlHttp6: return u"IServerXMLHTTPRequest2";
      default: return u"IWinHttpRequest";
    }
  }
  bool safeForScripting() const override { return false; }

 private:
  HttpFlavor flavor_;
  Engine* eng_;
  int32_t readyState_ = 0;
  bool sent_ = false, done_ = false;
  std::string method_, url_;
  bool async_ = false;
  bool hasCredentials_ = false;
  std::string user_, password_;
  std::vector<std::pair<std::string, std::string>> reqHeaders_;
  int32_t resolveMs_ = 0, connectMs_ = 0, sendMs_ = 0, receiveMs_ = 0;  // <= 0: no limit
  std::string userAgent_;
  bool followRedirects_ = true, httpsToHttp_ = false;
  int32_t maxRedirects_ = 10;
  int32_t sslIgnore_ = 0;
  int32_t codePage_ = 65001;
  bool escapePercent_ = false;
  std::map<int32_t, Variant> otherOptions_;
  int32_t proxyMode_ = 0;
  std::string proxy_, noProxy_, proxyUser_;
  Variant onChange_;

  // The response.
  long status_ = 0;
  std::string statusText_, body_, finalUrl_, contentType_;
  std::vector<std::pair<std::string, std::string>> respHeaders_;
  Variant xmlDoc_;

  bool isXml() const { return flavor_ == HttpFlavor::XmlHttp || flavor_ == HttpFlavor::XmlHttp6; }
  bool isServer() const { return flavor_ == HttpFlavor::ServerXmlHttp || flavor_ == HttpFlavor::ServerXmlHttp6; }

  // Members each interface has.
  bool available(int32_t id) const {
    switch (id) {
      case DISPID_UNKNOWN: return false;
      case kResponseXML:
      case kReadyState:
      case kOnReadyStateChange:
      case kSetProxyCredentials:
        return flavor_ != HttpFlavor::WinHttp;
      case kSetTimeouts:
      case kWaitForResponse:
      case kSetProxy:
        return !isXml();
      case kGetOption:
      case kSetOption:
        return isServer();
      case kOption:
      case kSetCredentials:
      case kSetAutoLogonPolicy:
        return flavor_ == HttpFlavor::WinHttp;
      default: return true;
    }
  }

  u16 source() const {
    switch (flavor_) {
      case HttpFlavor::XmlHttp:
      case HttpFlavor::ServerXmlHttp: return u"msxml3.dll";
      case HttpFlavor::XmlHttp6:
      case HttpFlavor::ServerXmlHttp6: return u"msxml6.dll";
      default: return u"WinHttp.WinHttpRequest";
    }
  }

  static const char16_t* describe(int32_t code) {
    switch (code) {
      case kWinTimeout:
      case kInetTimeout: return u"The operation timed out";
      case kWinBadUrl:
      case kInetBadUrl: return u"The URL is invalid";
      case kWinBadProtocol: return u"The URL does not use a recognized protocol";
      case kWinNoName: return u"The server name or address could not be resolved";
      case kWinCannotConnect: return u"A connection with the server could not be established";
      case kWinConnReset: return u"The connection with the server was terminated abnormally";
      case kWinBadCa: return u"The certificate authority is invalid or incorrect";
      case kWinBadCertName: return u"The host name in the certificate is invalid or does not match";
      case kWinSecure:
      case kInetSecurity: return u"A security error occurred";
      case kWinRedirect: return u"The HTTP redirect request failed";
      case kWinHeaderMissing: return u"The requested header was not found";
      case kWinBeforeOpen: return u"The requested operation cannot be carried out before the Open method is called";
      case kWinBeforeSend: return u"The requested operation cannot be carried out before the Send method is called";
      case kWinAfterSend: return u"The requested operation cannot be carried out after the Send method has been called";
      case kInetNotFound: return u"The system cannot locate the resource specified";
      case kNotReady: return u"The data necessary to complete this operation is not yet available.";
      default: return u"Unspecified error";
    }
  }

  [[noreturn]] void fail(int32_t code, const std::string& url = std::string()) const {
    u16 text = describe(code);
    if (!url.empty()) text += u": " + fromUtf8(url);
    raise(code, source(), text);
  }

  void needResponse() const {
    if (done_) return;
    if (flavor_ == HttpFlavor::WinHttp) fail(readyState_ == 0 ? kWinBeforeOpen : kWinBeforeSend);
    fail(kNotReady);
  }

  void resetResponse() {
    sent_ = done_ = false;
    status_ = 0;
    statusText_.clear();
    body_.clear();
    finalUrl_.clear();
    contentType_.clear();
    respHeaders_.clear();
    xmlDoc_.clear();
  }

  Variant open(InvokeKind kind, Args a) {
    expectCall(kind, a, 2, 5);
    std::string method = toUtf8(toString(a[0]));
    std::string url = trim(toUtf8(toString(a[1])));
    if (method.empty() || method.find_first_of(" \t\r\n") != std::string::npos) raise(5);
    static const char* known[] = {"GET", "POST", "PUT", "DELETE", "HEAD", "OPTIONS", "PATCH", "TRACE"};
    for (const char* k : known)
      if (lowerAscii(method) == lowerAscii(k)) method = k;
    std::string scheme = lowerAscii(url.substr(0, url.find(':')));
    if (url.find("://") == std::string::npos) fail(isXml() ? kInetBadUrl : kWinBadUrl, url);
    if (scheme != "http" && scheme != "https") fail(isXml() ? kInetBadUrl : kWinBadProtocol, url);
    resetResponse();
    reqHeaders_.clear();
    method_ = method;
    url_ = url;
    async_ = a.missing(2) ? isXml() : toBool(a[2]);
    hasCredentials_ = !a.missing(3) && !a[3].isEmpty() && !a[3].isNull();
    user_ = hasCredentials_ ? toUtf8(toString(a[3])) : std::string();
    password_ = hasCredentials_ && !a.missing(4) ? toUtf8(toString(a[4])) : std::string();
    readyState_ = 1;
    return Variant();
  }

  // What Send's argument puts on the wire: text goes as UTF-8, Byte() arrays as
  // they are, an XML document as its markup.
  std::string requestBody(const Variant& v) {
    if (v.isMissing() || v.isEmpty() || v.isNull()) return {};
    std::string bytes;
    if (objimpl::byteArrayBytes(v, bytes)) return bytes;
    if (v.isObject() && v.o) {
      int32_t id = v.o->getIdOfName(u"xml");
      if (id == DISPID_UNKNOWN) raise(13);
      return toUtf8(toString(v.o->invoke(id, InvokeKind::Get, Args{})));
    }
    if (v.isArray()) raise(13);
    return toUtf8(toString(v));
  }

  struct Transfer {
    HttpRequestObj* self;
    std::string body, headerBlockStatus;
    std::vector<std::pair<std::string, std::string>> headers;
    std::chrono::steady_clock::time_point lastActivity;
    curl_off_t lastDown = -1, lastUp = -1;
    bool idleTimedOut = false;
    std::exception_ptr scriptStop;
  };

  // Nothing may be thrown through curl: a failure ends the transfer and is
  // thrown again once curl has returned.
  static size_t onBody(char* p, size_t size, size_t n, void* ud) {
    auto* t = static_cast<Transfer*>(ud);
    try {
      t->body.append(p, size * n);
    } catch (...) {
      t->scriptStop = std::current_exception();
      return 0;
    }
    return size * n;
  }

  static size_t onHeader(char* p, size_t size, size_t n, void* ud) {
    auto* t = static_cast<Transfer*>(ud);
    try {
      addHeader(*t, std::string_view(p, size * n));
    } catch (...) {
      t->scriptStop = std::current_exception();
      return 0;
    }
    return size * n;
  }

  static void addHeader(Transfer& t, std::string_view raw) {
    std::string line = trim(raw);
    if (line.rfind("HTTP/", 0) == 0) {
      // A new response (after a redirect or a 100 Continue): only the last one counts.
      t.headers.clear();
      t.headerBlockStatus = line;
    } else if (!line.empty()) {
      size_t colon = line.find(':');
      if (colon != std::string::npos) t.headers.emplace_back(trim(line.substr(0, colon)), trim(line.substr(colon + 1)));
    }
  }

  // Runs often during the transfer: the script's time-out and the idle limit.
  static int onProgress(void* ud, curl_off_t, curl_off_t dlnow, curl_off_t, curl_off_t ulnow) {
    auto* t = static_cast<Transfer*>(ud);
    auto now = std::chrono::steady_clock::now();
    Engine* e = t->self->eng_;
    if (dlnow != t->lastDown || ulnow != t->lastUp) {
      t->lastDown = dlnow;
      t->lastUp = ulnow;
      t->lastActivity = now;
      if (e) e->hostCalled();  // data flowing is not a hung script
    }
    int32_t idle = t->self->receiveMs_;
    if (idle > 0 && now - t->lastActivity > std::chrono::milliseconds(idle)) {
      t->idleTimedOut = true;
      return 1;
    }
    if (e) {
      try {
        if (e->host) e->host->pollWhileWaiting();
        e->checkTimeout();
      } catch (...) {
        t->scriptStop = std::current_exception();
        return 1;
      }
    }
    return 0;
  }

  Variant send(InvokeKind kind, Args a) {
    expectCall(kind, a, 0, 1);
    if (readyState_ == 0) fail(isXml() ? kUnexpected : kWinBeforeOpen);
    std::string payload = a.missing(0) ? std::string() : requestBody(a[0]);
    resetResponse();
    sent_ = true;

    CURL* c = curl_easy_init();
    if (!c) raise(7);
    struct CurlFree {
      CURL* c;
      curl_slist* h = nullptr;
      ~CurlFree() {
        curl_slist_free_all(h);
        curl_easy_cleanup(c);
      }
    } guard{c};
    Transfer t{this, {}, {}, {}, std::chrono::steady_clock::now(), -1, -1, false, nullptr};
    char errbuf[CURL_ERROR_SIZE] = {0};

    curl_easy_setopt(c, CURLOPT_URL, url_.c_str());
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errbuf);
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, followRedirects_ ? 1L : 0L);
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, static_cast<long>(maxRedirects_));
    bool https = lowerAscii(url_.substr(0, 6)) == "https:";
    curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, https && !httpsToHttp_ ? "https" : "http,https");
    curl_easy_setopt(c, CURLOPT_POSTREDIR, 0L);  // 301/302/303 turn a POST into a GET, as browsers do
    curl_easy_setopt(c, CURLOPT_ACCEPT_ENCODING, "");  // whatever curl can decode
    curl_easy_setopt(c, CURLOPT_USERAGENT, userAgent_.c_str());
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &HttpRequestObj::onBody);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &t);
    curl_easy_setopt(c, CURLOPT_HEADERFUNCTION, &HttpRequestObj::onHeader);
    curl_easy_setopt(c, CURLOPT_HEADERDATA, &t);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, &HttpRequestObj::onProgress);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &t);
    long connect = 0;
    if (connectMs_ > 0) connect = connectMs_ + (resolveMs_ > 0 ? resolveMs_ : 0);
    if (connect > 0) curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, connect);
    if (sslIgnore_ & 0x2300) curl_easy_setopt(c, CURLOPT_SSL_VERIFYPEER, 0L);
    if (sslIgnore_ & 0x1000) curl_easy_setopt(c, CURLOPT_SSL_VERIFYHOST, 0L);
    if (proxyMode_ == 1) curl_easy_setopt(c, CURLOPT_PROXY, "");
    if (proxyMode_ == 2) {
      curl_easy_setopt(c, CURLOPT_PROXY, proxy_.c_str());
      if (!noProxy_.empty()) curl_easy_setopt(c, CURLOPT_NOPROXY, noProxy_.c_str());
    }
    if (!proxyUser_.empty()) curl_easy_setopt(c, CURLOPT_PROXYUSERPWD, proxyUser_.c_str());
    if (hasCredentials_) {
      curl_easy_setopt(c, CURLOPT_USERNAME, user_.c_str());
      curl_easy_setopt(c, CURLOPT_PASSWORD, password_.c_str());
      curl_easy_setopt(c, CURLOPT_HTTPAUTH, CURLAUTH_ANY);
    }

    bool hasType = false;
    for (const auto& [n, v] : reqHeaders_) {
      std::string line = v.empty() ? n + ";" : n + ": " + v;  // "Name;" sends an empty value
      if (lowerAscii(n) == "content-type") hasType = true;
      guard.h = curl_slist_append(guard.h, line.c_str());
    }
    // Neither Windows object adds these on its own.
    if (!hasType) guard.h = curl_slist_append(guard.h, "Content-Type:");
    guard.h = curl_slist_append(guard.h, "Expect:");
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, guard.h);

    if (method_ == "GET") {
      curl_easy_setopt(c, CURLOPT_HTTPGET, 1L);
    } else if (method_ == "HEAD") {
      curl_easy_setopt(c, CURLOPT_NOBODY, 1L);
    } else {
      if (method_ != "POST") curl_easy_setopt(c, CURLOPT_CUSTOMREQUEST, method_.c_str());
      curl_easy_setopt(c, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(payload.size()));
      curl_easy_setopt(c, CURLOPT_POSTFIELDS, payload.data());
    }

    if (eng_) eng_->hostCalled();
    CURLcode rc = curl_easy_perform(c);
    if (t.scriptStop) {
      readyState_ = 4;
      std::rethrow_exception(t.scriptStop);
    }
    if (rc != CURLE_OK) {
      readyState_ = 4;
      sent_ = false;
      failTransfer(rc, t.idleTimedOut);
    }
    long code = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &code);
    char* eff = nullptr;
    curl_easy_getinfo(c, CURLINFO_EFFECTIVE_URL, &eff);
    finalUrl_ = eff ? eff : url_;
    status_ = code;
    // "HTTP/1.1 404 Not Found": the reason phrase is what follows the code.
    std::string reason;
    size_t sp1 = t.headerBlockStatus.find(' ');
    if (sp1 != std::string::npos) {
      size_t sp2 = t.headerBlockStatus.find(' ', sp1 + 1);
      if (sp2 != std::string::npos) reason = trim(t.headerBlockStatus.substr(sp2 + 1));
    }
    statusText_ = reason.empty() ? reasonPhrase(code) : reason;
    respHeaders_ = std::move(t.headers);
    body_ = std::move(t.body);
    for (const auto& [n, v] : respHeaders_)
      if (lowerAscii(n) == "content-type") contentType_ = v;
    done_ = true;
    readyState_ = 4;
    // An async request's handler hears of the end; Send has done the waiting.
    if (async_ && onChange_.isObject() && onChange_.o) {
      Variant keep = onChange_;
      keep.o->invoke(DISPID_VALUE, InvokeKind::Method, Args{});
    }
    return Variant();
  }

  [[noreturn]] void failTransfer(CURLcode rc, bool idle) const {
    bool x = isXml();
    int32_t code;
    switch (rc) {
      case CURLE_OPERATION_TIMEDOUT: code = x ? kInetTimeout : kWinTimeout; break;
      case CURLE_ABORTED_BY_CALLBACK: code = idle ? (x ? kInetTimeout : kWinTimeout) : kWinConnReset; break;
      case CURLE_COULDNT_RESOLVE_HOST:
      case CURLE_COULDNT_RESOLVE_PROXY: code = x ? kInetNotFound : kWinNoName; break;
      case CURLE_COULDNT_CONNECT: code = x ? kInetNotFound : kWinCannotConnect; break;
      case CURLE_URL_MALFORMAT: code = x ? kInetBadUrl : kWinBadUrl; break;
      // Open let only http and https through: this is a redirect to a refused
      // scheme (https to http unless allowed).
      case CURLE_UNSUPPORTED_PROTOCOL: code = x ? kInetSecurity : kWinRedirect; break;
      case CURLE_PEER_FAILED_VERIFICATION: code = x ? kInetSecurity : kWinBadCa; break;
      case CURLE_SSL_CONNECT_ERROR:
      case CURLE_SSL_CERTPROBLEM:
      case CURLE_SSL_CIPHER:
      case CURLE_SSL_CACERT_BADFILE: code = x ? kInetSecurity : kWinSecure; break;
      case CURLE_TOO_MANY_REDIRECTS: code = x ? kInetNotFound : kWinRedirect; break;
      default: code = x ? kInetNotFound : kWinConnReset; break;
    }
    fail(code, method_ + " " + url_);
  }

  u16 responseText() const {
    std::string_view b = body_;
    if (b.starts_with("\xEF\xBB\xBF")) return Charset("utf-8").decode(b.substr(3));
    if (b.starts_with("\xFF\xFE")) return Charset("unicode").decode(b.substr(2));
    if (b.starts_with("\xFE\xFF")) return Charset("unicodeFFFE").decode(b.substr(2));
    std::string name = charsetOfContentType(contentType_);
    Charset cs(name.empty() ? "utf-8" : name);
    if (!cs.valid()) return Charset("utf-8").decode(b);
    return cs.decode(b);
  }

  Variant responseXml() {
    if (!xmlDoc_.isEmpty()) return xmlDoc_;
    const char16_t* progId =
        flavor_ == HttpFlavor::XmlHttp6 || flavor_ == HttpFlavor::ServerXmlHttp6 ? u"MSXML2.DOMDocument.6.0"
                                                                                 : u"MSXML2.DOMDocument";
    Object* doc = createBuiltinObject(progId, eng_);
    if (!doc) raise(429);
    Variant holder = Variant::object(doc);
    // Only XML media types are parsed; anything else gives an empty document.
    std::string type = lowerAscii(contentType_.substr(0, contentType_.find(';')));
    type = trim(type);
    if (type == "text/xml" || type == "application/xml" || type.ends_with("+xml")) {
      int32_t id = doc->getIdOfName(u"loadXML");
      if (id == DISPID_UNKNOWN) raise(438);
      Variant text = Variant::str(responseText());
      doc->invoke(id, InvokeKind::Method, Args{&text, 1});
    }
    xmlDoc_ = holder;
    return holder;
  }

  Variant winOption(InvokeKind kind, Args a) {
    if (isPut(kind)) {
      if (a.size() != 2) raise(450);
    } else if (a.size() != 1) {
      raise(450);
    }
    int32_t opt = toLong(a[0]);
    const Variant* value = isPut(kind) ? &a[1] : nullptr;
    switch (opt) {
      case 0:  // UserAgentString
        if (value) userAgent_ = toUtf8(toString(*value));
        return Variant::str(fromUtf8(userAgent_));
      case 1:  // URL: the one the response came from
        if (value) raise(5);
        return Variant::str(fromUtf8(done_ ? finalUrl_ : url_));
      case 2:  // URLCodePage
        if (value) codePage_ = toLong(*value);
        return Variant::lng(codePage_);
      case 3:  // EscapePercentInURL
        if (value) escapePercent_ = toBool(*value);
        return Variant::boolean(escapePercent_);
      case 4:  // SslErrorIgnoreFlags
        if (value) sslIgnore_ = toLong(*value);
        return Variant::lng(sslIgnore_);
      case 6:  // EnableRedirects
        if (value) followRedirects_ = toBool(*value);
        return Variant::boolean(followRedirects_);
      case 12:  // EnableHttpsToHttpRedirects
        if (value) httpsToHttp_ = toBool(*value);
        return Variant::boolean(httpsToHttp_);
      case 14:  // MaxAutomaticRedirects
        if (value) {
          int32_t n = toLong(*value);
          if (n < 0) raise(5);
          maxRedirects_ = n;
        }
        return Variant::lng(maxRedirects_);
      default:
        if (opt < 0 || opt > 19) raise(5);
        if (value) otherOptions_[opt] = *value;
        auto it = otherOptions_.find(opt);
        return it == otherOptions_.end() ? Variant() : it->second;
    }
  }

  // ServerXMLHTTP's getOption/setOption (SXH_OPTION_*).
  Variant sxhOption(int32_t opt, const Variant* value) {
    switch (opt) {
      case -1:  // URL
        if (value) raise(5);
        return Variant::str(fromUtf8(done_ ? finalUrl_ : url_));
      case 0:  // URL_CODEPAGE
        if (value) codePage_ = toLong(*value);
        return Variant::lng(codePage_);
      case 1:  // ESCAPE_PERCENT_IN_URL
        if (value) escapePercent_ = toBool(*value);
        return Variant::boolean(escapePercent_);
      case 2:  // IGNORE_SERVER_SSL_CERT_ERROR_FLAGS
        if (value) sslIgnore_ = toLong(*value);
        return Variant::lng(sslIgnore_);
      case 3:  // SELECT_CLIENT_SSL_CERT
        if (value) otherOptions_[3] = *value;
        return otherOptions_.count(3) ? otherOptions_[3] : Variant();
      default: raise(5);
    }
  }
};

}  // namespace

Object* newHttpRequest(HttpFlavor flavor, Engine* engine) { return new HttpRequestObj(flavor, engine); }

}  // namespace pw
