#include "textcodec.h"

namespace pw {

namespace {
// Windows-1252 bytes 0x80..0x9F; 0 marks the five unassigned ones (kept as C1 controls).
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178,
};
}  // namespace

bool isValidUtf8(std::string_view s) {
  size_t i = 0;
  while (i < s.size()) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    int n;
    uint32_t cp;
    if (c < 0x80) { ++i; continue; }
    if ((c & 0xE0) == 0xC0) { n = 1; cp = c & 0x1F; }
    else if ((c & 0xF0) == 0xE0) { n = 2; cp = c & 0x0F; }
    else if ((c & 0xF8) == 0xF0) { n = 3; cp = c & 0x07; }
    else return false;
    for (int k = 1; k <= n; ++k) {
      if (i + k >= s.size()) return false;
      unsigned char d = static_cast<unsigned char>(s[i + k]);
      if ((d & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (d & 0x3F);
    }
    if ((n == 1 && cp < 0x80) || (n == 2 && cp < 0x800) || (n == 3 && cp < 0x10000) || cp > 0x10FFFF ||
        (cp >= 0xD800 && cp < 0xE000))
      return false;
    i += n + 1;
  }
  return true;
}

u16 decodeText(std::string_view bytes, TextEncoding* used, bool* hadBom) {
  bool bom = bytes.size() >= 3 && static_cast<unsigned char>(bytes[0]) == 0xEF &&
             static_cast<unsigned char>(bytes[1]) == 0xBB && static_cast<unsigned char>(bytes[2]) == 0xBF;
  if (hadBom) *hadBom = bom;
  if (isValidUtf8(bytes)) {
    if (used) *used = TextEncoding::Utf8;
    return fromUtf8(bom ? bytes.substr(3) : bytes);
  }
  if (hadBom) *hadBom = false;
  if (used) *used = TextEncoding::Windows1252;
  u16 out;
  out.reserve(bytes.size());
  for (char ch : bytes) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c >= 0x80 && c < 0xA0 && kCp1252High[c - 0x80]) out.push_back(kCp1252High[c - 0x80]);
    else out.push_back(c);
  }
  return out;
}

std::string encodeText(u16v text, TextEncoding enc, bool bom, bool* lossy) {
  if (lossy) *lossy = false;
  if (enc == TextEncoding::Utf8) {
    std::string s = bom ? std::string("\xEF\xBB\xBF") : std::string();
    return s + toUtf8(text);
  }
  std::string out;
  out.reserve(text.size());
  for (char16_t c : text) {
    if (c < 0x80 || (c >= 0xA0 && c < 0x100) || (c >= 0x80 && c < 0xA0 && !kCp1252High[c - 0x80])) {
      out.push_back(static_cast<char>(c));
      continue;
    }
    int found = -1;
    for (int k = 0; k < 32; ++k)
      if (kCp1252High[k] == c) found = k;
    if (found >= 0) out.push_back(static_cast<char>(0x80 + found));
    else {
      out.push_back('?');
      if (lossy) *lossy = true;
    }
  }
  return out;
}

}  // namespace pw
