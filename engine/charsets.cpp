// Named character sets through iconv; the engine's strings are UTF-16 in host order.
#include "charsets.h"

#include <errno.h>
#include <iconv.h>

#include <bit>
#include <cctype>

namespace pw {
namespace {

static_assert(std::endian::native == std::endian::little, "strings are handed to iconv as UTF-16LE");

std::string lower(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return r;
}

// iconv descriptor that closes itself.
class Iconv {
 public:
  Iconv(const std::string& to, const std::string& from) : cd_(iconv_open(to.c_str(), from.c_str())) {}
  ~Iconv() {
    if (ok()) iconv_close(cd_);
  }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const { return cd_; }

 private:
  iconv_t cd_;
};

bool isCp1252Hole(unsigned c) { return c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D; }

}  // namespace

Charset::Charset(std::string_view name) {
  std::string n = lower(name);
  while (!n.empty() && n.back() == ' ') n.pop_back();
  while (!n.empty() && n.front() == ' ') n.erase(0, 1);
  if (n == "unicode" || n == "utf-16" || n == "utf-16le") {
    iconvName_ = "UTF-16LE";
    bom_ = "\xFF\xFE";
  } else if (n == "unicodefffe" || n == "utf-16be") {
    iconvName_ = "UTF-16BE";
    bom_ = "\xFE\xFF";
  } else if (n == "utf-8" || n == "utf8" || n == "unicode-1-1-utf-8") {
    iconvName_ = "UTF-8";
    bom_ = "\xEF\xBB\xBF";
  } else if (n == "windows-1252" || n == "cp1252" || n == "x-ansi") {
    iconvName_ = "CP1252";
    cp1252_ = true;
  } else if (n == "iso-8859-1" || n == "latin1" || n == "iso8859-1") {
    iconvName_ = "ISO-8859-1";
  } else if (n == "us-ascii" || n == "ascii") {
    iconvName_ = "ASCII";
  } else if (!n.empty() && n.find('/') == std::string::npos) {
    // Anything else iconv knows by the same name (big5, shift_jis, koi8-r, ...).
    Iconv probe("UTF-16LE", n);
    if (probe.ok()) iconvName_ = n;
  }
}

u16 Charset::decode(std::string_view bytes, long long maxUnits, size_t* used) const {
  u16 out;
  size_t consumed = 0;
  Iconv cd("UTF-16LE", iconvName_);
  if (!cd.ok() || maxUnits == 0) {
    if (used) *used = 0;
    return out;
  }
  const size_t unit = iconvName_.starts_with("UTF-16") ? 2 : 1;
  char* in = const_cast<char*>(bytes.data());
  size_t inLeft = bytes.size();
  std::u16string buf;
  bool bounded = maxUnits > 0;
  auto room = [&]() -> size_t {
    return bounded ? static_cast<size_t>(maxUnits) - out.size() : size_t(4096);
  };
  while (inLeft > 0) {
    size_t want = room();
    if (want == 0) break;
    buf.resize(want);
    char* o = reinterpret_cast<char*>(buf.data());
    size_t oLeft = want * 2;
    size_t r = iconv(cd.get(), &in, &inLeft, &o, &oLeft);
    int err = r == static_cast<size_t>(-1) ? errno : 0;
    out.append(buf.data(), (want * 2 - oLeft) / 2);
    if (err == 0) break;
    if (err == E2BIG) {
      if (bounded && room() <= 1) {
        // A surrogate pair that needs two units where one is left: stop here.
        break;
      }
      continue;
    }
    // EILSEQ or EINVAL (cut short at the end): one replacement per bad unit.
    if (bounded && room() == 0) break;
    unsigned char b = static_cast<unsigned char>(*in);
    out.push_back(cp1252_ && isCp1252Hole(b) ? char16_t(b) : char16_t(0xFFFD));
    size_t skip = std::min(unit, inLeft);
    in += skip;
    inLeft -= skip;
  }
  consumed = bytes.size() - inLeft;
  if (used) *used = consumed;
  return out;
}

std::string Charset::encode(u16v text) const {
  std::string out;
  Iconv cd(iconvName_, "UTF-16LE");
  if (!cd.ok()) return out;
  std::string question;
  {
    Iconv q(iconvName_, "UTF-16LE");
    char16_t qm = u'?';
    char* in = reinterpret_cast<char*>(&qm);
    size_t inLeft = 2;
    char tmp[8];
    char* o = tmp;
    size_t oLeft = sizeof tmp;
    if (iconv(q.get(), &in, &inLeft, &o, &oLeft) != static_cast<size_t>(-1)) question.assign(tmp, o);
  }
  char* in = reinterpret_cast<char*>(const_cast<char16_t*>(text.data()));
  size_t inLeft = text.size() * 2;
  std::string buf(text.size() * 4 + 16, '\0');
  while (inLeft > 0) {
    char* o = buf.data();
    size_t oLeft = buf.size();
    size_t r = iconv(cd.get(), &in, &inLeft, &o, &oLeft);
    int err = r == static_cast<size_t>(-1) ? errno : 0;
    out.append(buf.data(), o);
    if (err == 0 || err == E2BIG) continue;
    char16_t c = *reinterpret_cast<const char16_t*>(in);
    if (cp1252_ && isCp1252Hole(c)) out.push_back(static_cast<char>(c));
    else out += question;
    in += 2;
    inLeft -= 2;
  }
  // Shift sequences of stateful sets (ISO-2022-JP) end in the initial state.
  char* o = buf.data();
  size_t oLeft = buf.size();
  if (iconv(cd.get(), nullptr, nullptr, &o, &oLeft) != static_cast<size_t>(-1)) out.append(buf.data(), o);
  return out;
}

std::string charsetOfContentType(std::string_view contentType) {
  std::string ct = lower(contentType);
  size_t p = 0;
  while ((p = ct.find("charset", p)) != std::string::npos) {
    size_t q = p + 7;
    bool atParam = p == 0 || ct[p - 1] == ';' || ct[p - 1] == ' ' || ct[p - 1] == '\t';
    while (q < ct.size() && (ct[q] == ' ' || ct[q] == '\t')) ++q;
    if (!atParam || q >= ct.size() || ct[q] != '=') {
      p = q;
      continue;
    }
    ++q;
    while (q < ct.size() && (ct[q] == ' ' || ct[q] == '\t')) ++q;
    std::string v;
    if (q < ct.size() && ct[q] == '"') {
      size_t e = ct.find('"', q + 1);
      v = ct.substr(q + 1, e == std::string::npos ? std::string::npos : e - q - 1);
    } else {
      size_t e = ct.find_first_of("; \t", q);
      v = ct.substr(q, e == std::string::npos ? std::string::npos : e - q);
    }
    return v;
  }
  return {};
}

}  // namespace pw
