// System.Text.StringBuilder through its COM class interface: overloads reach
// late binding as Append, Append_2, Append_3 ... (Append_3 is the String one).
#include <cmath>

#include "obj_net.h"

namespace pw {
namespace {

using objimpl::expectCall;
using objimpl::expectProp;
using objimpl::findMember;
using objimpl::isPut;

constexpr int32_t kArgOutOfRange = static_cast<int32_t>(0x80131502u);
constexpr int32_t kArgumentNull = static_cast<int32_t>(0x80004003u);
constexpr int32_t kArgument = static_cast<int32_t>(0x80070057u);
constexpr int32_t kFormat = static_cast<int32_t>(0x80131537u);
constexpr char16_t kNetSource[] = u"mscorlib";

[[noreturn]] void outOfRange(u16v text, u16v param) {
  raise(kArgOutOfRange, kNetSource, u16(text) + u"\r\nParameter name: " + u16(param));
}

[[noreturn]] void badFormat() {
  raise(kFormat, kNetSource, u"Input string was not in a correct format.");
}

// Object.ToString of the value the marshaller made: DateTime always shows
// the time, Boolean is True/False, null and DBNull are empty.
u16 netText(const Variant& v) {
  switch (v.vt) {
    case vtEmpty:
    case vtNull: return u16();
    case vtBoolean: return v.b ? u"True" : u"False";
    case vtDate:
      if (v.d == std::trunc(v.d)) return formatDate(v.d) + u" 12:00:00 AM";
      if (std::trunc(v.d) == 0) return u"12/30/1899 " + formatDate(v.d);
      return formatDate(v.d);
    case vtObject: return netText(defaultValue(v));
    default: return toText(v);
  }
}

int32_t argInt(const Variant& v) { return toLong(v); }

class StringBuilderObj : public Object {
 public:
  enum Id {
    kChars = DISPID_VALUE,  // the indexer is the class's default member
    kToString, kToString2, kAppend, kAppendFormat, kAppendLine, kLength, kCapacity,
    kMaxCapacity, kInsert, kRemove, kReplace, kClear, kEnsureCapacity, kEquals,
  };

  int32_t getIdOfName(u16v name) override {
    if (overload(name, u"Append")) return kAppend;
    if (overload(name, u"AppendFormat")) return kAppendFormat;
    if (overload(name, u"Insert")) return kInsert;
    if (overload(name, u"Replace")) return kReplace;
    return findMember({{u"ToString", kToString}, {u"ToString_2", kToString2}, {u"AppendLine", kAppendLine},
                       {u"AppendLine_2", kAppendLine}, {u"Length", kLength}, {u"Capacity", kCapacity},
                       {u"MaxCapacity", kMaxCapacity}, {u"Remove", kRemove}, {u"Clear", kClear},
                       {u"EnsureCapacity", kEnsureCapacity}, {u"Chars", kChars}, {u"Equals", kEquals}},
                      name);
  }

  Variant invoke(int32_t id, InvokeKind kind, Args a) override {
    Variant result = call(id, kind, a);
    capacity();  // the buffer grows as text is added, not when asked
    return result;
  }

  u16 typeName() const override { return u"StringBuilder"; }
  bool safeForScripting() const override { return false; }

 private:
  u16 text_;
  int32_t capacity_ = 16;

  Variant call(int32_t id, InvokeKind kind, Args a) {
    switch (id) {
      case kToString:
        expectCall(kind, a, 0, 0);
        return Variant::str(text_);
      case kToString2: {
        expectCall(kind, a, 2, 2);
        int32_t start = argInt(a[0]), n = argInt(a[1]);
        if (start < 0) outOfRange(u"StartIndex cannot be less than zero.", u"startIndex");
        if (n < 0) outOfRange(u"Length cannot be less than zero.", u"length");
        if (static_cast<size_t>(start) + static_cast<size_t>(n) > text_.size())
          outOfRange(u"Index and length must refer to a location within the string.", u"length");
        return Variant::str(u16v(text_).substr(static_cast<size_t>(start), static_cast<size_t>(n)));
      }
      case kAppend:
        expectCall(kind, a, 1, 3);
        if (a.size() == 1) {
          text_ += netText(a[0]);
        } else if (a.size() == 2) {  // (Char, repeatCount)
          int32_t n = argInt(a[1]);
          if (n < 0) outOfRange(u"Count cannot be less than zero.", u"repeatCount");
          u16 one = netText(a[0]);
          if (one.size() != 1) raise(13);
          text_.append(static_cast<size_t>(n), one[0]);
        } else {  // (String, startIndex, count)
          u16 s = netText(a[0]);
          int32_t start = argInt(a[1]), n = argInt(a[2]);
          if (start < 0) outOfRange(u"StartIndex cannot be less than zero.", u"startIndex");
          if (n < 0) outOfRange(u"Count cannot be less than zero.", u"count");
          if (static_cast<size_t>(start) + static_cast<size_t>(n) > s.size())
            outOfRange(u"Index and count must refer to a location within the buffer.", u"startIndex");
          text_.append(s, static_cast<size_t>(start), static_cast<size_t>(n));
        }
        return self();
      case kAppendFormat:
        if (isPut(kind)) raise(438);
        if (a.size() < 1) raise(450);
        appendFormat(a);
        return self();
      case kAppendLine:
        expectCall(kind, a, 0, 1);
        if (a.size() == 1) text_ += netText(a[0]);
        text_ += u"\r\n";
        return self();
      case kLength:
        expectProp(kind, a);
        if (isPut(kind)) {
          int32_t n = argInt(a[0]);
          if (n < 0) outOfRange(u"Length cannot be less than zero.", u"value");
          text_.resize(static_cast<size_t>(n), u'\0');
          return Variant();
        }
        return Variant::lng(static_cast<int32_t>(text_.size()));
      case kCapacity:
        expectProp(kind, a);
        if (isPut(kind)) {
          int32_t n = argInt(a[0]);
          if (n < static_cast<int32_t>(text_.size()))
            outOfRange(u"capacity was less than the current size.", u"value");
          capacity_ = n;
          return Variant();
        }
        return Variant::lng(capacity());
      case kMaxCapacity:
        expectCall(kind, a, 0, 0);
        return Variant::lng(0x7fffffff);
      case kEnsureCapacity: {
        expectCall(kind, a, 1, 1);
        int32_t n = argInt(a[0]);
        if (n < 0) outOfRange(u"Capacity must be positive.", u"capacity");
        if (capacity() < n) capacity_ = n;
        return Variant::lng(capacity());
      }
      case kInsert: {
        expectCall(kind, a, 2, 3);
        int32_t at = argInt(a[0]);
        if (at < 0 || static_cast<size_t>(at) > text_.size())
          outOfRange(u"Index was out of range. Must be non-negative and less than the size of the collection.", u"index");
        u16 s = netText(a[1]);
        int32_t times = a.size() == 3 ? argInt(a[2]) : 1;
        if (times < 0) outOfRange(u"Non-negative number required.", u"count");
        u16 all;
        for (int32_t k = 0; k < times; ++k) all += s;
        text_.insert(static_cast<size_t>(at), all);
        return self();
      }
      case kRemove: {
        expectCall(kind, a, 2, 2);
        int32_t start = argInt(a[0]), n = argInt(a[1]);
        if (n < 0) outOfRange(u"Length cannot be less than zero.", u"length");
        if (start < 0) outOfRange(u"StartIndex cannot be less than zero.", u"startIndex");
        if (static_cast<size_t>(start) + static_cast<size_t>(n) > text_.size())
          outOfRange(u"Index was out of range. Must be non-negative and less than the size of the collection.", u"index");
        text_.erase(static_cast<size_t>(start), static_cast<size_t>(n));
        return self();
      }
      case kReplace: {
        if (isPut(kind)) raise(438);
        if (a.size() != 2 && a.size() != 4) raise(450);
        u16 from = netText(a[0]), to = netText(a[1]);
        size_t start = 0, end = text_.size();
        if (a.size() == 4) {
          int32_t s = argInt(a[2]), n = argInt(a[3]);
          if (s < 0 || n < 0 || static_cast<size_t>(s) + static_cast<size_t>(n) > text_.size())
            outOfRange(u"Index was out of range. Must be non-negative and less than the size of the collection.", u"startIndex");
          start = static_cast<size_t>(s);
          end = start + static_cast<size_t>(n);
        }
        if (a[0].isNull() || a[0].isEmpty()) raise(kArgumentNull, kNetSource, u"Value cannot be null.\r\nParameter name: oldValue");
        if (from.empty()) raise(kArgument, kNetSource, u"String cannot be of zero length.\r\nParameter name: oldValue");
        u16 out = text_.substr(0, start);
        size_t i = start;
        while (i < end) {
          if (i + from.size() <= end && u16v(text_).substr(i, from.size()) == from) {
            out += to;
            i += from.size();
          } else {
            out += text_[i++];
          }
        }
        out += u16v(text_).substr(end);
        text_ = std::move(out);
        return self();
      }
      case kClear:
        expectCall(kind, a, 0, 0);
        text_.clear();
        return self();
      case kChars: {
        if (a.size() != (isPut(kind) ? 2 : 1)) raise(450);
        int32_t i = argInt(a[0]);
        if (i < 0 || static_cast<size_t>(i) >= text_.size())
          outOfRange(u"Index was out of range. Must be non-negative and less than the size of the collection.", u"index");
        if (isPut(kind)) {
          u16 c = netText(a[1]);
          if (c.size() != 1) raise(13);
          text_[static_cast<size_t>(i)] = c[0];
          return Variant();
        }
        return Variant::str(u16v(text_).substr(static_cast<size_t>(i), 1));
      }
      case kEquals:
        expectCall(kind, a, 1, 1);
        return Variant::boolean(a[0].isObject() && a[0].o == this);
    }
    raise(438);
  }

  Variant self() { return Variant::object(this); }

  int32_t capacity() {
    while (capacity_ < static_cast<int32_t>(text_.size())) capacity_ = capacity_ * 2;
    return capacity_;
  }

  // Name, Name_2, Name_3 ...: all overloads of one method.
  static bool overload(u16v name, u16v base) {
    if (name.size() < base.size() || !equalsNoCase(name.substr(0, base.size()), base)) return false;
    u16v rest = name.substr(base.size());
    if (rest.empty()) return true;
    if (rest.size() < 2 || rest[0] != u'_') return false;
    for (char16_t c : rest.substr(1))
      if (c < u'0' || c > u'9') return false;
    return true;
  }

  // (format, arg0, arg1 ...) or (format, array), optionally after an
  // IFormatProvider (Nothing) in front.
  void appendFormat(Args a) {
    int first = 0;
    if (a[0].isObject() && a.size() >= 2) first = 1;
    u16 format = toString(a[first]);
    std::vector<Variant> args;
    if (a.size() == first + 2 && a[first + 1].isArray()) {
      args = a[first + 1].a->data;
    } else {
      for (int i = first + 1; i < a.size(); ++i) args.push_back(a[i]);
    }
    u16 out;
    for (size_t i = 0; i < format.size(); ++i) {
      char16_t c = format[i];
      if (c == u'}') {
        if (i + 1 < format.size() && format[i + 1] == u'}') {
          out += u'}';
          ++i;
          continue;
        }
        badFormat();
      }
      if (c != u'{') {
        out += c;
        continue;
      }
      if (i + 1 < format.size() && format[i + 1] == u'{') {
        out += u'{';
        ++i;
        continue;
      }
      size_t close = format.find(u'}', i);
      if (close == u16::npos) badFormat();
      u16v item = u16v(format).substr(i + 1, close - i - 1);
      size_t colon = item.find(u':');
      u16v head = item.substr(0, colon);
      size_t comma = head.find(u',');
      u16v num = head.substr(0, comma);
      while (!num.empty() && num.back() == u' ') num.remove_suffix(1);
      if (num.empty()) badFormat();
      long long index = 0;
      for (char16_t d : num) {
        if (d < u'0' || d > u'9') badFormat();
        index = index * 10 + (d - u'0');
        if (index > 1000000) badFormat();
      }
      long long width = 0;
      if (comma != u16v::npos) {
        double w;
        if (!parseNumber(head.substr(comma + 1), w) || w != std::trunc(w)) badFormat();
        width = static_cast<long long>(w);
      }
      if (index >= static_cast<long long>(args.size()))
        raise(kFormat, kNetSource,
              u"Index (zero based) must be greater than or equal to zero and less than the size of the argument list.");
      u16 text = netText(args[static_cast<size_t>(index)]);
      size_t pad = static_cast<size_t>(std::llabs(width)) > text.size() ? static_cast<size_t>(std::llabs(width)) - text.size() : 0;
      if (width > 0) out.append(pad, u' ');
      out += text;
      if (width < 0) out.append(pad, u' ');
      i = close;
    }
    text_ += out;
  }
};

}  // namespace

Object* newStringBuilder() { return new StringBuilderObj; }

}  // namespace pw
