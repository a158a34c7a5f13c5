// VBScript.RegExp and its Match, MatchCollection and SubMatches objects.
//
// Patterns use VBScript's own (ECMAScript-like) dialect. They are rewritten
// into an equivalent PCRE2 pattern rather than handed over as they are, since
// the two disagree on escapes (\v, \cX, octal, identity escapes), on anchors,
// on "[]" and "[^]" and on what is a syntax error.
#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <algorithm>
#include <memory>

#include "objects.h"

namespace pw {
namespace {

using objimpl::expectCall;
using objimpl::expectProp;
using objimpl::findMember;
using objimpl::isPut;

struct PatternError {
  int32_t number;
};

bool isDigit(char16_t c) { return c >= '0' && c <= '9'; }
bool isOctal(char16_t c) { return c >= '0' && c <= '7'; }
bool isAsciiLetter(char16_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
int hexValue(char16_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

class Translator {
 public:
  Translator(u16v src, bool icase, bool multiline) : s_(src), icase_(icase), multiline_(multiline) {}

  u16 run() {
    countGroups();
    disjunction();
    if (p_ < s_.size()) throw PatternError{5017};  // a ')' without its '('
    return out_;
  }

 private:
  u16v s_;
  size_t p_ = 0;
  bool icase_, multiline_;
  int groups_ = 0;
  u16 out_;

  bool at(char16_t c) const { return p_ < s_.size() && s_[p_] == c; }

  // Decides "\12" between back-reference and octal, which needs the total.
  void countGroups() {
    for (size_t i = 0; i < s_.size(); ++i) {
      char16_t c = s_[i];
      if (c == '\\') {
        ++i;
      } else if (c == '[') {
        for (++i; i < s_.size() && s_[i] != ']'; ++i)
          if (s_[i] == '\\') ++i;
      } else if (c == '(' && !(i + 1 < s_.size() && s_[i + 1] == '?')) {
        ++groups_;
      }
    }
  }

  void disjunction() {
    alternative();
    while (at('|')) {
      ++p_;
      out_ += '|';
      alternative();
    }
  }

  void alternative() {
    while (p_ < s_.size() && s_[p_] != '|' && s_[p_] != ')') term();
  }

  // "{n}", "{n,}" or "{n,m}" at i; otherwise '{' is an ordinary character.
  bool braceQuantifierAt(size_t i) const {
    if (i >= s_.size() || s_[i] != '{') return false;
    ++i;
    size_t d = i;
    while (i < s_.size() && isDigit(s_[i])) ++i;
    if (i == d) return false;
    if (i < s_.size() && s_[i] == ',') {
      ++i;
      while (i < s_.size() && isDigit(s_[i])) ++i;
    }
    return i < s_.size() && s_[i] == '}';
  }

  bool atQuantifier() const {
    return at('*') || at('+') || at('?') || braceQuantifierAt(p_);
  }

  void assertion(const char16_t* text) {
    out_ += text;
    if (atQuantifier()) throw PatternError{5018};
  }

  void term() {
    char16_t c = s_[p_];
    if (c == '^') {
      ++p_;
      return assertion(multiline_ ? u"(?<![^\\n\\r])" : u"\\A");
    }
    if (c == '$') {
      ++p_;
      return assertion(multiline_ ? u"(?![^\\n\\r])" : u"\\z");
    }
    if (c == '\\' && p_ + 1 < s_.size() && (s_[p_ + 1] == 'b' || s_[p_ + 1] == 'B')) {
      p_ += 2;
      return assertion(s_[p_ - 1] == 'b' ? u"\\b" : u"\\B");
    }
    atom();
    quantifier();
  }

  void quantifier() {
    if (at('*') || at('+') || at('?')) {
      out_ += s_[p_++];
    } else if (braceQuantifierAt(p_)) {
      size_t close = s_.find(u'}', p_);
      u16v body = s_.substr(p_ + 1, close - p_ - 1);
      size_t comma = body.find(u',');
      if (comma != u16v::npos && comma + 1 < body.size()) {
        // Compare as digit strings: the counts may exceed any integer type.
        u16v lo = body.substr(0, comma), hi = body.substr(comma + 1);
        while (lo.size() > 1 && lo[0] == '0') lo.remove_prefix(1);
        while (hi.size() > 1 && hi[0] == '0') hi.remove_prefix(1);
        if (lo.size() > hi.size() || (lo.size() == hi.size() && lo > hi)) throw PatternError{5017};
      }
      out_ += s_.substr(p_, close - p_ + 1);
      p_ = close + 1;
    } else {
      return;
    }
    if (at('?')) {
      ++p_;
      out_ += '?';
    }
  }

  void atom() {
    char16_t c = s_[p_];
    switch (c) {
      case '*':
      case '+':
      case '?':
        throw PatternError{5018};
      case '{':
        if (braceQuantifierAt(p_)) throw PatternError{5018};
        ++p_;
        return literal(c);
      case '(':
        return group();
      case '[':
        return charClass();
      case '.':
        ++p_;
        out_ += u"[^\\n]";
        return;
      case '\\':
        return escape();
      default:
        ++p_;
        return literal(c);
    }
  }

  void group() {
    ++p_;
    if (at('?')) {
      if (p_ + 1 < s_.size() && (s_[p_ + 1] == ':' || s_[p_ + 1] == '=' || s_[p_ + 1] == '!')) {
        out_ += u"(?";
        out_ += s_[p_ + 1];
        p_ += 2;
      } else {
        throw PatternError{5017};
      }
    } else {
      out_ += '(';
    }
    disjunction();
    if (!at(')')) throw PatternError{5020};
    ++p_;
    out_ += ')';
  }

  // The value of up to three octal digits starting at p_ (the first already
  // known to be octal), stopping before the value would pass 255.
  char16_t octal() {
    unsigned v = 0;
    for (int k = 0; k < 3 && p_ < s_.size() && isOctal(s_[p_]); ++k) {
      unsigned nv = v * 8 + (s_[p_] - '0');
      if (nv > 255) break;
      v = nv;
      ++p_;
    }
    return static_cast<char16_t>(v);
  }

  // \xHH and \uHHHH with exactly that many hex digits; false leaves p_ alone.
  bool hexEscape(int digits, char16_t& out) {
    if (p_ + digits > s_.size()) return false;
    unsigned v = 0;
    for (int k = 0; k < digits; ++k) {
      int h = hexValue(s_[p_ + k]);
      if (h < 0) return false;
      v = v * 16 + h;
    }
    p_ += digits;
    out = static_cast<char16_t>(v);
    return true;
  }

  // Escapes whose meaning is the same inside and outside a class. Returns
  // false for the rest, leaving p_ on the escaped character.
  bool commonEscape(char16_t& out) {
    char16_t e = s_[p_];
    switch (e) {
      case 'f': out = 0x0C; break;
      case 'n': out = 0x0A; break;
      case 'r': out = 0x0D; break;
      case 't': out = 0x09; break;
      case 'v': out = 0x0B; break;
      case 'x':
      case 'u':
        ++p_;
        if (!hexEscape(e == 'x' ? 2 : 4, out)) out = e;
        return true;
      case 'c':
        if (p_ + 1 < s_.size() && isAsciiLetter(s_[p_ + 1])) {
          out = s_[p_ + 1] % 32;
          p_ += 2;
          return true;
        }
        // "\c" without a letter is a backslash; the 'c' is read again.
        out = '\\';
        return true;
      default:
        return false;
    }
    ++p_;
    return true;
  }

  static bool isClassEscape(char16_t e) {
    return e == 'd' || e == 'D' || e == 'w' || e == 'W' || e == 's' || e == 'S';
  }

  void escape() {
    ++p_;
    if (p_ >= s_.size()) throw PatternError{5017};
    char16_t e = s_[p_];
    char16_t ch;
    if (isClassEscape(e)) {
      ++p_;
      out_ += '\\';
      out_ += e;
    } else if (commonEscape(ch)) {
      literal(ch);
    } else if (e == '0') {
      literal(octal());
    } else if (isDigit(e)) {
      int one = e - '0';
      if (p_ + 1 < s_.size() && isDigit(s_[p_ + 1]) && one * 10 + (s_[p_ + 1] - '0') <= groups_) {
        backref(one * 10 + (s_[p_ + 1] - '0'));
        p_ += 2;
      } else if (one <= groups_) {
        backref(one);
        ++p_;
      } else if (isOctal(e)) {
        literal(octal());
      } else {
        ++p_;
        literal(e);
      }
    } else {
      ++p_;
      literal(e);
    }
  }

  void backref(int n) {
    out_ += u"\\g{";
    out_ += fromUtf8(std::to_string(n));
    out_ += '}';
  }

  void hex(char16_t c) {
    static const char16_t digits[] = u"0123456789abcdef";
    out_ += u"\\x{";
    for (int shift = 12; shift >= 0; shift -= 4) out_ += digits[(c >> shift) & 15];
    out_ += '}';
  }

  // The other cases of a character beyond ASCII, which PCRE2 folds only when
  // in UTF mode; that mode would reject strings with lone surrogates.
  static void caseVariants(char16_t c, std::vector<char16_t>& out) {
    char16_t lo = foldCase(c);
    u16 up = toUpperCopy(u16v(&c, 1));
    if (lo >= 128 && lo != c) out.push_back(lo);
    if (up.size() == 1 && up[0] >= 128 && up[0] != c) out.push_back(up[0]);
  }

  void literal(char16_t c) {
    if (icase_ && c >= 128) {
      std::vector<char16_t> v;
      caseVariants(c, v);
      if (!v.empty()) {
        out_ += '[';
        hex(c);
        for (char16_t x : v) hex(x);
        out_ += ']';
        return;
      }
    }
    if ((c >= '0' && c <= '9') || isAsciiLetter(c)) out_ += c;
    else hex(c);
  }

  struct ClassAtom {
    bool isClass;
    char16_t ch;
  };

  ClassAtom classAtom() {
    char16_t c = s_[p_++];
    if (c != '\\') return {false, c};
    if (p_ >= s_.size()) throw PatternError{5019};
    char16_t e = s_[p_];
    char16_t ch;
    if (isClassEscape(e)) {
      ++p_;
      return {true, e};
    }
    if (e == 'b') {
      ++p_;
      return {false, 0x08};
    }
    if (commonEscape(ch)) return {false, ch};
    if (isOctal(e)) return {false, octal()};
    ++p_;
    return {false, e};
  }

  void charClass() {
    ++p_;
    bool negate = false;
    if (at('^')) {
      negate = true;
      ++p_;
    }
    std::vector<std::pair<char16_t, char16_t>> ranges;
    u16 escapes;
    for (;;) {
      if (p_ >= s_.size()) throw PatternError{5019};
      if (s_[p_] == ']') {
        ++p_;
        break;
      }
      ClassAtom a = classAtom();
      if (a.isClass) {
        escapes += a.ch;
        continue;
      }
      if (p_ + 1 < s_.size() && s_[p_] == '-' && s_[p_ + 1] != ']') {
        ++p_;
        ClassAtom b = classAtom();
        if (b.isClass) {  // "[a-\d]": the '-' is an ordinary character
          ranges.push_back({a.ch, a.ch});
          ranges.push_back({'-', '-'});
          escapes += b.ch;
        } else {
          if (a.ch > b.ch) throw PatternError{5021};
          ranges.push_back({a.ch, b.ch});
        }
      } else {
        ranges.push_back({a.ch, a.ch});
      }
    }
    if (icase_) addCaseVariants(ranges);
    if (ranges.empty() && escapes.empty()) {
      // "[]" matches nothing and "[^]" any character; both stay quantifiable.
      out_ += negate ? u"[\\x{0}-\\x{ffff}]" : u"[^\\x{0}-\\x{ffff}]";
      return;
    }
    out_ += '[';
    if (negate) out_ += '^';
    for (char16_t e : escapes) {
      out_ += '\\';
      out_ += e;
    }
    for (auto [lo, hi] : ranges) {
      hex(lo);
      if (hi != lo) {
        out_ += '-';
        hex(hi);
      }
    }
    out_ += ']';
  }

  static void addCaseVariants(std::vector<std::pair<char16_t, char16_t>>& ranges) {
    std::vector<char16_t> extra;
    for (auto [lo, hi] : ranges) {
      if (hi < 128) continue;
      char16_t from = std::max<char16_t>(lo, 128);
      // One bulk upper-casing call for the whole range when lengths allow.
      u16 chars;
      for (uint32_t c = from; c <= hi; ++c) chars += static_cast<char16_t>(c);
      u16 upper = toUpperCopy(chars);
      for (size_t k = 0; k < chars.size(); ++k) {
        char16_t c = chars[k];
        if (upper.size() != chars.size()) {
          caseVariants(c, extra);
          continue;
        }
        char16_t l = foldCase(c);
        if (l >= 128 && l != c) extra.push_back(l);
        if (upper[k] >= 128 && upper[k] != c) extra.push_back(upper[k]);
      }
    }
    std::sort(extra.begin(), extra.end());
    extra.erase(std::unique(extra.begin(), extra.end()), extra.end());
    for (size_t i = 0; i < extra.size();) {
      size_t j = i;
      while (j + 1 < extra.size() && extra[j + 1] == extra[j] + 1) ++j;
      ranges.push_back({extra[i], extra[j]});
      i = j + 1;
    }
  }
};

// Offsets of every match: for match i and group g (0 = whole match) the pair
// at (i * (groups + 1) + g) * 2; PCRE2_UNSET for groups that took no part.
struct MatchSet {
  u16 subject;
  int groups = 0;
  std::vector<PCRE2_SIZE> ov;

  size_t count() const { return ov.size() / (2 * (groups + 1)); }
  PCRE2_SIZE start(size_t i, int g = 0) const { return ov[(i * (groups + 1) + g) * 2]; }
  PCRE2_SIZE end(size_t i, int g = 0) const { return ov[(i * (groups + 1) + g) * 2 + 1]; }
  bool isSet(size_t i, int g) const { return start(i, g) != PCRE2_UNSET; }
  u16v text(size_t i, int g = 0) const {
    if (!isSet(i, g)) return u16v();
    return u16v(subject).substr(start(i, g), end(i, g) - start(i, g));
  }
  Variant subMatch(size_t i, int g) const {
    return isSet(i, g) ? Variant::str(text(i, g)) : Variant();
  }
};

using MatchSetPtr = std::shared_ptr<const MatchSet>;

class SubMatchesObj : public Object {
 public:
  SubMatchesObj(MatchSetPtr set, size_t index) : set_(std::move(set)), index_(index) {}

  int32_t getIdOfName(u16v name) override {
    return findMember({{u"Item", 0}, {u"Count", 1}}, name);
  }

  Variant invoke(int32_t id, InvokeKind kind, Args args) override {
    switch (id) {
      case 0: {
        expectCall(kind, args, 1, 1);
        int32_t i = toLong(args[0]);
        if (i < 0 || i >= set_->groups) raise(5);
        return set_->subMatch(index_, i + 1);
      }
      case 1:
        expectCall(kind, args, 0, 0);
        return Variant::lng(set_->groups);
    }
    raise(438);
  }

  u16 typeName() const override { return u"ISubMatches"; }

  Enumerator* newEnum() override {
    std::vector<Variant> items;
    for (int g = 1; g <= set_->groups; ++g) items.push_back(set_->subMatch(index_, g));
    return new objimpl::ListEnum(std::move(items));
  }

 private:
  MatchSetPtr set_;
  size_t index_;
};

class MatchObj : public Object {
 public:
  MatchObj(MatchSetPtr set, size_t index) : set_(std::move(set)), index_(index) {}

  int32_t getIdOfName(u16v name) override {
    return findMember({{u"Value", 0}, {u"FirstIndex", 1}, {u"Length", 2}, {u"SubMatches", 3}}, name);
  }

  Variant invoke(int32_t id, InvokeKind kind, Args args) override {
    if (id < 0 || id > 3) raise(438);
    if (id == 3) return objimpl::objectProp(kind, args, new SubMatchesObj(set_, index_));
    expectCall(kind, args, 0, 0);
    switch (id) {
      case 0:
        return Variant::str(set_->text(index_));
      case 1:
        return Variant::lng(static_cast<int32_t>(set_->start(index_)));
      case 2:
        return Variant::lng(static_cast<int32_t>(set_->end(index_) - set_->start(index_)));
    }
    raise(438);
  }

  u16 typeName() const override { return u"IMatch2"; }

 private:
  MatchSetPtr set_;
  size_t index_;
};

class MatchCollectionObj : public Object {
 public:
  explicit MatchCollectionObj(MatchSetPtr set) : set_(std::move(set)), cache_(set_->count()) {}

  int32_t getIdOfName(u16v name) override {
    return findMember({{u"Item", 0}, {u"Count", 1}}, name);
  }

  Variant invoke(int32_t id, InvokeKind kind, Args args) override {
    switch (id) {
      case 0: {
        expectCall(kind, args, 1, 1);
        int32_t i = toLong(args[0]);
        if (i < 0 || static_cast<size_t>(i) >= cache_.size()) raise(5);
        return Variant::object(match(i));
      }
      case 1:
        expectCall(kind, args, 0, 0);
        return Variant::lng(static_cast<int32_t>(cache_.size()));
    }
    raise(438);
  }

  u16 typeName() const override { return u"IMatchCollection2"; }

  Enumerator* newEnum() override {
    std::vector<Variant> items;
    for (size_t i = 0; i < cache_.size(); ++i) items.push_back(Variant::object(match(i)));
    return new objimpl::ListEnum(std::move(items));
  }

 private:
  MatchSetPtr set_;
  std::vector<Ref<MatchObj>> cache_;  // made on first use; the same object each time

  MatchObj* match(size_t i) {
    if (!cache_[i]) cache_[i] = Ref<MatchObj>(new MatchObj(set_, i));
    return cache_[i].get();
  }
};

class RegExpObj : public Object {
 public:
  ~RegExpObj() override {
    if (code_) pcre2_code_free(code_);
  }

  int32_t getIdOfName(u16v name) override {
    return findMember({{u"Pattern", 1}, {u"IgnoreCase", 2}, {u"Global", 3}, {u"Multiline", 4},
                       {u"Execute", 5}, {u"Test", 6}, {u"Replace", 7}},
                      name);
  }

  Variant invoke(int32_t id, InvokeKind kind, Args args) override {
    switch (id) {
      case 1:
        expectProp(kind, args);
        if (!isPut(kind)) return Variant::str(pattern_);
        pattern_ = toAutomationText(args[0]);
        invalidate();
        return Variant();
      case 2:
        return flag(kind, args, icase_, true);
      case 3:
        return flag(kind, args, global_, false);
      case 4:
        return flag(kind, args, multiline_, true);
      case 5: {
        expectCall(kind, args, 1, 1);
        u16 subject = toAutomationText(args[0]);
        return Variant::object(new MatchCollectionObj(run(std::move(subject), global_)));
      }
      case 6: {
        expectCall(kind, args, 1, 1);
        return Variant::boolean(run(toAutomationText(args[0]), false)->count() > 0);
      }
      case 7:
        expectCall(kind, args, 2, 2);
        return replace(toAutomationText(args[0]), args[1]);
    }
    raise(438);
  }

  u16 typeName() const override { return u"IRegExp2"; }

 private:
  u16 pattern_;
  bool icase_ = false, global_ = false, multiline_ = false;
  pcre2_code* code_ = nullptr;

  void invalidate() {
    if (code_) pcre2_code_free(code_);
    code_ = nullptr;
  }

  Variant flag(InvokeKind kind, Args args, bool& value, bool affectsCode) {
    expectProp(kind, args);
    if (!isPut(kind)) return Variant::boolean(value);
    bool nv = toBool(args[0]);
    if (nv != value && affectsCode) invalidate();
    value = nv;
    return Variant();
  }

  // Compiled lazily: a bad pattern is reported by the method that uses it.
  pcre2_code* code() {
    if (code_) return code_;
    u16 translated;
    try {
      translated = Translator(pattern_, icase_, multiline_).run();
    } catch (const PatternError& e) {
      raise(e.number);
    }
    int errcode = 0;
    PCRE2_SIZE erroff = 0;
    uint32_t options = PCRE2_MATCH_UNSET_BACKREF | PCRE2_NEVER_UTF | PCRE2_NEVER_UCP |
                       (icase_ ? PCRE2_CASELESS : 0);
    code_ = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(translated.data()), translated.size(),
                          options, &errcode, &erroff, nullptr);
    if (!code_) raise(5017);
    pcre2_jit_compile(code_, PCRE2_JIT_COMPLETE);  // a failure only costs speed
    return code_;
  }

  MatchSetPtr run(u16 subject, bool all) {
    pcre2_code* re = code();
    auto set = std::make_shared<MatchSet>();
    set->subject = std::move(subject);
    uint32_t groups = 0;
    pcre2_pattern_info(re, PCRE2_INFO_CAPTURECOUNT, &groups);
    set->groups = static_cast<int>(groups);
    std::unique_ptr<pcre2_match_data, void (*)(pcre2_match_data*)> md(
        pcre2_match_data_create_from_pattern(re, nullptr), pcre2_match_data_free);
    if (!md) raise(7);
    auto subj = reinterpret_cast<PCRE2_SPTR>(set->subject.data());
    size_t len = set->subject.size();
    size_t pos = 0;
    while (pos <= len) {
      int rc = pcre2_match(re, subj, len, pos, 0, md.get(), nullptr);
      if (rc == PCRE2_ERROR_NOMATCH) break;
      if (rc == PCRE2_ERROR_NOMEMORY) raise(7);
      if (rc < 0) raise(28);  // match or depth limit: runaway backtracking
      const PCRE2_SIZE* ov = pcre2_get_ovector_pointer(md.get());
      set->ov.insert(set->ov.end(), ov, ov + 2 * (groups + 1));
      if (!all) break;
      // An empty match moves the next search on by one, as lastIndex does.
      pos = ov[1] == ov[0] ? ov[1] + 1 : ov[1];
    }
    return set;
  }

  Variant replace(u16 source, const Variant& with) {
    Object* callback = with.isObject() ? with.o : nullptr;
    u16 text = callback ? u16() : toAutomationText(with);
    MatchSetPtr set = run(std::move(source), global_);
    const u16& s = set->subject;
    u16 out;
    size_t last = 0;
    for (size_t i = 0; i < set->count(); ++i) {
      out.append(s, last, set->start(i) - last);
      if (callback) out += callBack(callback, *set, i);
      else expand(out, text, *set, i);
      last = set->end(i);
    }
    out.append(s, last, u16::npos);
    return Variant::str(out);
  }

  // A function reference (GetRef) as the replacement: it receives the match,
  // each submatch, the match position and the whole source.
  static u16 callBack(Object* fn, const MatchSet& set, size_t i) {
    std::vector<Variant> argv;
    argv.push_back(Variant::str(set.text(i)));
    for (int g = 1; g <= set.groups; ++g) argv.push_back(set.subMatch(i, g));
    argv.push_back(Variant::lng(static_cast<int32_t>(set.start(i))));
    argv.push_back(Variant::str(set.subject));
    Args a{argv.data(), static_cast<int>(argv.size())};
    return toText(fn->invoke(DISPID_VALUE, InvokeKind::Method, a));
  }

  static void expand(u16& out, u16v repl, const MatchSet& set, size_t i) {
    for (size_t k = 0; k < repl.size(); ++k) {
      char16_t c = repl[k];
      if (c != '$' || k + 1 >= repl.size()) {
        out += c;
        continue;
      }
      char16_t n = repl[k + 1];
      if (n == '$') {
        out += '$';
      } else if (n == '&') {
        out += set.text(i);
      } else if (n == '`') {
        out += u16v(set.subject).substr(0, set.start(i));
      } else if (n == '\'') {
        out += u16v(set.subject).substr(set.end(i));
      } else if (isDigit(n)) {
        int one = n - '0';
        int two = k + 2 < repl.size() && isDigit(repl[k + 2]) ? one * 10 + (repl[k + 2] - '0') : -1;
        if (two >= 1 && two <= set.groups) {
          out += set.text(i, two);
          k += 2;
        } else if (one >= 1 && one <= set.groups) {
          out += set.text(i, one);
          ++k;
        } else {
          out += '$';
        }
        continue;
      } else {
        out += '$';
        continue;
      }
      ++k;
    }
  }
};

}  // namespace

Object* newRegExp() { return new RegExpObj; }

}  // namespace pw
