// ADODB.Recordset as scripts use it without a connection: fields appended,
// records added in memory, then sorted, filtered, searched and walked.
#include <algorithm>
#include <cmath>
#include <cwctype>
#include <memory>

#include "obj_net.h"

namespace pw {
namespace {

using objimpl::expectCall;
using objimpl::expectProp;
using objimpl::findMember;
using objimpl::isPut;

constexpr char16_t kRsSource[] = u"ADODB.Recordset";
constexpr char16_t kFieldSource[] = u"ADODB.Field";
constexpr char16_t kFieldsSource[] = u"ADODB.Fields";

[[noreturn]] void adoError(int32_t number, u16v source = kRsSource) { pw::adoError(number, source); }

// A value the field's type cannot hold: the cursor engine's status error.
[[noreturn]] void multiStep() {
  raise(static_cast<int32_t>(0x80040E21u), u"Microsoft Cursor Engine",
        u"Multiple-step operation generated errors. Check each status value.");
}

// DataTypeEnum values scripts append.
enum : int32_t {
  adEmpty = 0, adSmallInt = 2, adInteger = 3, adSingle = 4, adDouble = 5, adCurrency = 6, adDate = 7,
  adBSTR = 8, adBoolean = 11, adVariant = 12, adDecimal = 14, adTinyInt = 16, adUnsignedTinyInt = 17,
  adUnsignedSmallInt = 18, adUnsignedInt = 19, adBigInt = 20, adUnsignedBigInt = 21, adFileTime = 64,
  adGUID = 72, adChar = 129, adWChar = 130, adNumeric = 131, adDBDate = 133, adDBTime = 134,
  adDBTimeStamp = 135, adVarChar = 200, adLongVarChar = 201, adVarWChar = 202, adLongVarWChar = 203,
};

bool isTextType(int32_t t) {
  switch (t) {
    case adBSTR: case adGUID: case adChar: case adWChar: case adVarChar: case adLongVarChar:
    case adVarWChar: case adLongVarWChar: return true;
  }
  return false;
}

bool isDateType(int32_t t) {
  return t == adDate || t == adDBDate || t == adDBTime || t == adDBTimeStamp || t == adFileTime;
}

bool isKnownType(int32_t t) {
  switch (t) {
    case adSmallInt: case adInteger: case adSingle: case adDouble: case adCurrency: case adBoolean:
    case adVariant: case adDecimal: case adTinyInt: case adUnsignedTinyInt: case adUnsignedSmallInt:
    case adUnsignedInt: case adBigInt: case adUnsignedBigInt: case adNumeric: return true;
  }
  return isTextType(t) || isDateType(t);
}

// Fixed-size types report their own size whatever was asked for.
int32_t fixedSize(int32_t t) {
  switch (t) {
    case adTinyInt: case adUnsignedTinyInt: return 1;
    case adSmallInt: case adUnsignedSmallInt: case adBoolean: return 2;
    case adInteger: case adUnsignedInt: case adSingle: return 4;
    case adDouble: case adCurrency: case adDate: case adBigInt: case adUnsignedBigInt: case adFileTime:
    case adDBTimeStamp: return 8;
    case adDBDate: return 6;
    case adDBTime: return 6;
    case adDecimal: case adNumeric: return 19;
    case adGUID: return 16;
    case adVariant: return 16;
  }
  return -1;
}

struct FieldDef {
  u16 name;
  int32_t type;
  int32_t size;
  int32_t attributes;
};

struct Record {
  std::vector<Variant> values;
  bool deleted = false;
  int32_t id = 0;  // its bookmark
};

using RecordPtr = std::shared_ptr<Record>;

// Stores v as the field's type; what the type cannot hold is refused.
Variant coerce(const FieldDef& f, const Variant& in) {
  Variant v = defaultValue(in);
  if (v.isNull() || v.isEmpty()) return Variant::null();
  if (f.type == adVariant) return v;
  try {
    if (isTextType(f.type)) {
      u16 s = toString(v);
      bool limited = f.type != adLongVarChar && f.type != adLongVarWChar && f.type != adBSTR;
      if (limited && f.size > 0 && s.size() > static_cast<size_t>(f.size)) multiStep();
      if ((f.type == adChar || f.type == adWChar) && f.size > 0) s.resize(static_cast<size_t>(f.size), u' ');
      return Variant::str(s);
    }
    if (isDateType(f.type)) return Variant::date(toDate(v));
    switch (f.type) {
      case adSmallInt: return Variant::integer(toInteger(v));
      case adInteger: return Variant::lng(toLong(v));
      case adTinyInt:
      case adUnsignedTinyInt: return Variant::byteVal(toByte(v));
      case adUnsignedSmallInt: {
        int32_t n = toLong(v);
        if (n < 0 || n > 65535) multiStep();
        return Variant::lng(n);
      }
      case adSingle: return Variant::sng(toSingle(v));
      case adCurrency: return Variant::currency(toCurrency(v));
      case adBoolean: return Variant::boolean(toBool(v));
      default: return Variant::dbl(toDouble(v));
    }
  } catch (const ScriptError& e) {
    if (e.number == static_cast<int32_t>(0x80040E21u)) throw;
    multiStep();
  }
}

// Field order: Null first, text in the locale's order, the rest by value.
int compareValues(const Variant& a, const Variant& b) {
  bool an = a.isNull() || a.isEmpty(), bn = b.isNull() || b.isEmpty();
  if (an || bn) return (bn ? 0 : -1) + (an ? 0 : 1);
  if (a.isString() && b.isString()) {
    return compareTextOrder(a.strView(), b.strView());
  }
  if (a.isString() || b.isString()) {
    u16 x = toText(a), y = toText(b);
    return compareValues(Variant::str(x), Variant::str(y));
  }
  double x = toDouble(a), y = toDouble(b);
  return x < y ? -1 : x > y ? 1 : 0;
}

// LIKE with * or % for any run of characters and _ or ? for one, ignoring case.
bool likeMatch(u16v s, u16v p) {
  size_t si = 0, pi = 0, star = u16v::npos, mark = 0;
  while (si < s.size()) {
    if (pi < p.size() && (p[pi] == u'*' || p[pi] == u'%')) {
      star = pi++;
      mark = si;
    } else if (pi < p.size() && (p[pi] == u'_' || p[pi] == u'?' || foldCase(p[pi]) == foldCase(s[si]))) {
      ++pi;
      ++si;
    } else if (star != u16v::npos) {
      pi = star + 1;
      si = ++mark;
    } else {
      return false;
    }
  }
  while (pi < p.size() && (p[pi] == u'*' || p[pi] == u'%')) ++pi;
  return pi == p.size();
}

// A parsed Filter or Find criterion: comparisons joined by AND and OR.
struct Criterion {
  enum Kind { Compare, And, Or } kind = Compare;
  size_t field = 0;
  u16 op;  // = <> < > <= >= LIKE
  Variant value;
  std::unique_ptr<Criterion> left, right;
};

class CriteriaParser {
 public:
  CriteriaParser(u16v text, const std::vector<FieldDef>& fields) : s_(text), fields_(fields) {}

  std::unique_ptr<Criterion> parse(bool single) {
    auto c = single ? comparison() : orExpr();
    skipBlanks();
    if (i_ != s_.size()) adoError(3001);
    return c;
  }

 private:
  u16v s_;
  const std::vector<FieldDef>& fields_;
  size_t i_ = 0;

  void skipBlanks() {
    while (i_ < s_.size() && (s_[i_] == u' ' || s_[i_] == u'\t')) ++i_;
  }

  bool keyword(u16v word) {
    skipBlanks();
    if (s_.size() - i_ < word.size() || !equalsNoCase(s_.substr(i_, word.size()), word)) return false;
    size_t end = i_ + word.size();
    if (end < s_.size() && (s_[end] == u'_' || std::iswalnum(s_[end]))) return false;
    i_ = end;
    return true;
  }

  std::unique_ptr<Criterion> join(Criterion::Kind k, std::unique_ptr<Criterion> l, std::unique_ptr<Criterion> r) {
    auto c = std::make_unique<Criterion>();
    c->kind = k;
    c->left = std::move(l);
    c->right = std::move(r);
    return c;
  }

  std::unique_ptr<Criterion> orExpr() {
    auto c = andExpr();
    while (keyword(u"OR")) c = join(Criterion::Or, std::move(c), andExpr());
    return c;
  }

  std::unique_ptr<Criterion> andExpr() {
    auto c = primary();
    while (keyword(u"AND")) c = join(Criterion::And, std::move(c), primary());
    return c;
  }

  std::unique_ptr<Criterion> primary() {
    skipBlanks();
    if (i_ < s_.size() && s_[i_] == u'(') {
      ++i_;
      auto c = orExpr();
      skipBlanks();
      if (i_ >= s_.size() || s_[i_] != u')') adoError(3001);
      ++i_;
      return c;
    }
    return comparison();
  }

  std::unique_ptr<Criterion> comparison() {
    auto c = std::make_unique<Criterion>();
    c->field = fieldIndex();
    skipBlanks();
    if (keyword(u"LIKE")) {
      c->op = u"LIKE";
    } else {
      size_t start = i_;
      while (i_ < s_.size() && (s_[i_] == u'<' || s_[i_] == u'>' || s_[i_] == u'=')) ++i_;
      c->op = u16(s_.substr(start, i_ - start));
      if (c->op != u"=" && c->op != u"<>" && c->op != u"<" && c->op != u">" && c->op != u"<=" &&
          c->op != u">=")
        adoError(3001);
    }
    c->value = literal(fields_[c->field]);
    if (c->op == u"LIKE" && !c->value.isString()) adoError(3001);
    return c;
  }

  size_t fieldIndex() {
    skipBlanks();
    u16 name;
    if (i_ < s_.size() && s_[i_] == u'[') {
      size_t end = s_.find(u']', i_);
      if (end == u16v::npos) adoError(3001);
      name = u16(s_.substr(i_ + 1, end - i_ - 1));
      i_ = end + 1;
    } else {
      size_t start = i_;
      while (i_ < s_.size() && (s_[i_] == u'_' || std::iswalnum(s_[i_]))) ++i_;
      name = u16(s_.substr(start, i_ - start));
    }
    if (name.empty()) adoError(3001);
    for (size_t k = 0; k < fields_.size(); ++k)
      if (equalsNoCase(fields_[k].name, name)) return k;
    adoError(3265);
  }

  // 'text' (quotes doubled inside), #date#, a number, or Null.
  Variant literal(const FieldDef& f) {
    skipBlanks();
    if (i_ >= s_.size()) adoError(3001);
    char16_t q = s_[i_];
    if (q == u'\'' || q == u'#') {
      u16 text;
      for (++i_;; ++i_) {
        if (i_ >= s_.size()) adoError(3001);
        if (s_[i_] == q) {
          if (q == u'\'' && i_ + 1 < s_.size() && s_[i_ + 1] == q) {
            text += q;
            ++i_;
            continue;
          }
          ++i_;
          break;
        }
        text += s_[i_];
      }
      if (q == u'#') {
        double d;
        if (!parseDate(text, d)) adoError(3001);
        return Variant::date(d);
      }
      return Variant::str(text);
    }
    if (keyword(u"NULL")) return Variant::null();
    size_t start = i_;
    while (i_ < s_.size() && s_[i_] != u' ' && s_[i_] != u')') ++i_;
    u16v word = s_.substr(start, i_ - start);
    if (f.type == adBoolean && (equalsNoCase(word, u"True") || equalsNoCase(word, u"False")))
      return Variant::boolean(equalsNoCase(word, u"True"));
    double d;
    if (!parseNumber(word, d)) adoError(3001);
    return Variant::dbl(d);
  }
};

class RecordsetObj;

class FieldObj : public Object {
 public:
  FieldObj(RecordsetObj* rs, size_t index);
  int32_t getIdOfName(u16v name) override;
  Variant invoke(int32_t id, InvokeKind kind, Args a) override;
  u16 typeName() const override { return u"Field"; }

 private:
  Ref<RecordsetObj> rs_;
  size_t index_;
};

class FieldsObj : public Object {
 public:
  explicit FieldsObj(RecordsetObj* rs) : rs_(rs) {}
  int32_t getIdOfName(u16v name) override {
    return findMember({{u"Item", DISPID_VALUE}, {u"Count", 1}, {u"Append", 2}, {u"Delete", 3},
                       {u"Refresh", 4}},
                      name);
  }
  Variant invoke(int32_t id, InvokeKind kind, Args a) override;
  u16 typeName() const override { return u"Fields"; }
  Enumerator* newEnum() override;

 private:
  Ref<RecordsetObj> rs_;
};

class RecordsetObj : public Object {
 public:
  enum Id {
    kFields = DISPID_VALUE, kOpen = 1, kClose, kAddNew, kUpdate, kCancelUpdate, kDelete, kMoveFirst, kMoveLast,
    kMoveNext, kMovePrevious, kMove, kEOF, kBOF, kRecordCount, kAbsolutePosition, kSort, kFilter, kFind,
    kGetRows, kState, kCursorType, kLockType, kCursorLocation, kPageSize, kPageCount, kAbsolutePage,
    kBookmark, kEditMode, kCollect, kActiveConnection, kSupports, kGetString, kMaxRecords, kSource,
    kRequery,
  };

  int32_t getIdOfName(u16v name) override {
    return findMember({{u"Fields", kFields}, {u"Open", kOpen}, {u"Close", kClose}, {u"AddNew", kAddNew},
                       {u"Update", kUpdate}, {u"CancelUpdate", kCancelUpdate}, {u"Delete", kDelete},
                       {u"MoveFirst", kMoveFirst}, {u"MoveLast", kMoveLast}, {u"MoveNext", kMoveNext},
                       {u"MovePrevious", kMovePrevious}, {u"Move", kMove}, {u"EOF", kEOF}, {u"BOF", kBOF},
                       {u"RecordCount", kRecordCount}, {u"AbsolutePosition", kAbsolutePosition},
                       {u"Sort", kSort}, {u"Filter", kFilter}, {u"Find", kFind}, {u"GetRows", kGetRows},
                       {u"State", kState}, {u"CursorType", kCursorType}, {u"LockType", kLockType},
                       {u"CursorLocation", kCursorLocation}, {u"PageSize", kPageSize},
                       {u"PageCount", kPageCount}, {u"AbsolutePage", kAbsolutePage},
                       {u"Bookmark", kBookmark}, {u"EditMode", kEditMode}, {u"Collect", kCollect},
                       {u"ActiveConnection", kActiveConnection}, {u"Supports", kSupports},
                       {u"GetString", kGetString}, {u"MaxRecords", kMaxRecords}, {u"Source", kSource},
                       {u"Requery", kRequery}},
                      name);
  }

  Variant invoke(int32_t id, InvokeKind kind, Args a) override {
    switch (id) {
      case kFields: {
        Variant fields = Variant::object(new FieldsObj(this));
        if (a.size() == 0 && !isPut(kind)) return fields;
        return fields.o->invoke(DISPID_VALUE, kind, a);
      }
      case kCollect:
        if (a.size() != (isPut(kind) ? 2 : 1)) raise(450);
        if (isPut(kind)) {
          setValue(fieldIndex(a[0]), a[1]);
          return Variant();
        }
        return value(fieldIndex(a[0]));
      case kOpen:
        expectCall(kind, a, 0, 5);
        if (open_) adoError(3705);
        if (fields_.empty()) adoError(3001);
        open_ = true;
        records_.clear();
        sortText_.clear();
        filter_ = Variant::lng(0);
        filterCrit_.reset();
        editMode_ = 0;
        rebuild();
        return Variant();
      case kClose:
        expectCall(kind, a, 0, 0);
        needOpen();
        open_ = false;
        records_.clear();
        view_.clear();
        live_ = 0;
        pos_ = -1;
        return Variant();
      case kAddNew: {
        expectCall(kind, a, 0, 2);
        needOpen();
        beforeAdd_ = current() ? view_[static_cast<size_t>(pos_)] : nullptr;
        auto r = std::make_shared<Record>();
        r->values.assign(fields_.size(), Variant::null());
        r->id = ++lastId_;
        records_.push_back(r);
        view_.push_back(r);
        ++live_;
        pos_ = static_cast<long>(view_.size()) - 1;
        editMode_ = 2;
        if (!a.missing(0)) {
          assignLists(a[0], a.missing(1) ? Variant() : a[1]);
          editMode_ = 0;
        }
        return Variant();
      }
      case kUpdate:
        expectCall(kind, a, 0, 2);
        needOpen();
        if (!a.missing(0)) {
          needCurrent();
          assignLists(a[0], a.missing(1) ? Variant() : a[1]);
        }
        editMode_ = 0;
        return Variant();
      case kCancelUpdate:
        expectCall(kind, a, 0, 0);
        needOpen();
        if (editMode_ == 2 && current()) {
          RecordPtr r = view_[static_cast<size_t>(pos_)];
          records_.erase(std::find(records_.begin(), records_.end(), r));
          view_.erase(view_.begin() + pos_);
          --live_;
          // Back to the record that was current before AddNew.
          auto it = std::find(view_.begin(), view_.end(), beforeAdd_);
          pos_ = it == view_.end() ? static_cast<long>(view_.size()) : it - view_.begin();
        }
        editMode_ = 0;
        return Variant();
      case kDelete: {
        expectCall(kind, a, 0, 1);
        needOpen();
        int32_t what = objimpl::optLong(a, 0, 1);
        if (what != 1) adoError(3001);
        needCurrent();
        view_[static_cast<size_t>(pos_)]->deleted = true;
        --live_;
        editMode_ = 0;
        return Variant();
      }
      case kMoveFirst:
      case kMoveLast:
        expectCall(kind, a, 0, 0);
        needOpen();
        editMode_ = 0;
        if (count() == 0) adoError(3021);
        pos_ = id == kMoveFirst ? -1 : static_cast<long>(view_.size());
        skip(id == kMoveFirst ? 1 : -1);
        return Variant();
      case kMoveNext:
      case kMovePrevious:
        expectCall(kind, a, 0, 0);
        needOpen();
        editMode_ = 0;
        if (id == kMoveNext ? atEOF() : atBOF()) adoError(3021);
        skip(id == kMoveNext ? 1 : -1);
        return Variant();
      case kMove: {
        expectCall(kind, a, 1, 2);
        needOpen();
        editMode_ = 0;
        int32_t n = toLong(a[0]);
        if (n != 0 && (n > 0 ? atEOF() : atBOF())) adoError(3021);
        if (n == 0 && !current()) adoError(3021);
        for (int32_t k = 0; k < std::abs(n) && !(n > 0 ? atEOF() : atBOF()); ++k) skip(n > 0 ? 1 : -1);
        return Variant();
      }
      case kEOF:
        expectCall(kind, a, 0, 0);
        needOpen();
        return Variant::boolean(atEOF());
      case kBOF:
        expectCall(kind, a, 0, 0);
        needOpen();
        return Variant::boolean(atBOF());
      case kRecordCount:
        expectCall(kind, a, 0, 0);
        needOpen();
        return Variant::lng(count());
      case kAbsolutePosition:
        expectProp(kind, a);
        needOpen();
        if (isPut(kind)) {
          int32_t p = toLong(a[0]);
          if (p < 1 || p > count()) adoError(3001);
          moveToOrdinal(p);
          return Variant();
        }
        if (atBOF()) return Variant::lng(count() == 0 ? -1 : -2);
        if (atEOF()) return Variant::lng(count() == 0 ? -1 : -3);
        return Variant::lng(ordinal());
      case kSort:
        expectProp(kind, a);
        if (isPut(kind)) {
          needOpen();
          u16 text = toString(a[0]);
          sortKeys_ = parseSort(text);
          sortText_ = text;
          rebuild();
          return Variant();
        }
        return Variant::str(sortText_);
      case kFilter:
        expectProp(kind, a);
        if (isPut(kind)) {
          needOpen();
          Variant v = defaultValue(a[0]);
          if (v.isString() && !v.strView().empty()) {
            filterCrit_ = CriteriaParser(v.strView(), fields_).parse(false);
            filter_ = v;
          } else if (v.isString() || v.isEmpty() || toLong(v) == 0) {
            filterCrit_.reset();
            filter_ = Variant::lng(0);
          } else {
            int32_t f = toLong(v);
            if (f < 0 || f > 5) adoError(3001);
            filterCrit_.reset();  // the pending and conflicting sets are empty here
            filter_ = Variant::lng(f);
          }
          rebuild();
          return Variant();
        }
        return filter_;
      case kFind: {
        expectCall(kind, a, 1, 4);
        needOpen();
        auto crit = CriteriaParser(toString(a[0]), fields_).parse(true);
        int32_t skipRows = objimpl::optLong(a, 1, 0);
        int32_t dir = objimpl::optLong(a, 2, 1);
        if (dir != 1 && dir != -1) adoError(3001);
        if (!a.missing(3)) {
          moveToBookmark(a[3]);
        } else {
          needCurrent();
        }
        for (int32_t k = 0; k < skipRows && !(dir > 0 ? atEOF() : atBOF()); ++k) skip(dir);
        while (!(dir > 0 ? atEOF() : atBOF())) {
          const RecordPtr& r = view_[static_cast<size_t>(pos_)];
          if (!r->deleted && matches(*crit, *r)) break;
          skip(dir);
        }
        return Variant();
      }
      case kGetRows:
        expectCall(kind, a, 0, 3);
        needOpen();
        return getRows(a);
      case kGetString:
        expectCall(kind, a, 0, 5);
        needOpen();
        return getString(a);
      case kState:
        expectCall(kind, a, 0, 0);
        return Variant::lng(open_ ? 1 : 0);
      case kCursorType:
        return setting(kind, a, cursorType_);
      case kLockType:
        return setting(kind, a, lockType_);
      case kCursorLocation:
        return setting(kind, a, cursorLocation_);
      case kMaxRecords:
        return setting(kind, a, maxRecords_);
      case kPageSize:
        expectProp(kind, a);
        if (isPut(kind)) {
          int32_t n = toLong(a[0]);
          if (n < 1) adoError(3001);
          pageSize_ = n;
          return Variant();
        }
        return Variant::lng(pageSize_);
      case kPageCount:
        expectCall(kind, a, 0, 0);
        needOpen();
        return Variant::lng((count() + pageSize_ - 1) / pageSize_);
      case kAbsolutePage:
        expectProp(kind, a);
        needOpen();
        if (isPut(kind)) {
          int32_t p = toLong(a[0]);
          if (p < 1 || static_cast<long long>(p - 1) * pageSize_ >= count()) adoError(3001);
          moveToOrdinal((p - 1) * pageSize_ + 1);
          return Variant();
        }
        if (atBOF()) return Variant::lng(count() == 0 ? -1 : -2);
        if (atEOF()) return Variant::lng(count() == 0 ? -1 : -3);
        return Variant::lng((ordinal() - 1) / pageSize_ + 1);
      case kBookmark:
        expectProp(kind, a);
        needOpen();
        if (isPut(kind)) {
          moveToBookmark(a[0]);
          return Variant();
        }
        needCurrent();
        return Variant::dbl(view_[static_cast<size_t>(pos_)]->id);
      case kEditMode:
        expectCall(kind, a, 0, 0);
        needOpen();
        return Variant::lng(current() ? editMode_ : 0);
      case kActiveConnection:
        if (isPut(kind)) return Variant();
        expectCall(kind, a, 0, 0);
        return Variant::object(nullptr);
      case kSource:
        if (isPut(kind)) return Variant();
        expectCall(kind, a, 0, 0);
        return Variant::str(u"");
      case kSupports:
        expectCall(kind, a, 1, 1);
        return Variant::boolean(true);
      case kRequery:
        expectCall(kind, a, 0, 1);
        needOpen();
        rebuild();
        return Variant();
    }
    raise(438);
  }

  u16 typeName() const override { return u"Recordset"; }
  bool safeForScripting() const override { return false; }

  // --- used by Fields and Field ---
  std::vector<FieldDef> fields_;

  size_t fieldIndex(const Variant& key, u16v source = kRsSource) const {
    Variant k = defaultValue(key);
    if (k.isString()) {
      for (size_t i = 0; i < fields_.size(); ++i)
        if (equalsNoCase(fields_[i].name, k.strView())) return i;
      adoError(3265, source);
    }
    if (!k.isNumeric() && k.vt != vtBoolean) adoError(3265, source);
    double d = toDouble(k);
    if (d < 0 || d >= static_cast<double>(fields_.size())) adoError(3265, source);
    return static_cast<size_t>(d);
  }

  Variant value(size_t field) const {
    needOpen(kFieldSource);
    if (!current() || view_[static_cast<size_t>(pos_)]->deleted) adoError(3021, kFieldSource);
    return view_[static_cast<size_t>(pos_)]->values[field];
  }

  void setValue(size_t field, const Variant& v) {
    needOpen(kFieldSource);
    if (!current() || view_[static_cast<size_t>(pos_)]->deleted) adoError(3021, kFieldSource);
    view_[static_cast<size_t>(pos_)]->values[field] = coerce(fields_[field], v);
    if (editMode_ == 0) editMode_ = 1;
  }

  void append(Args a) {
    if (open_) adoError(3219, kFieldsSource);
    if (a.size() < 2 || a.size() > 5) raise(450);
    u16 name = toString(a[0]);
    int32_t type = toLong(a[1]);
    if (!isKnownType(type)) adoError(3001, kFieldsSource);
    for (const FieldDef& f : fields_)
      if (equalsNoCase(f.name, name)) adoError(3367, kFieldsSource);
    int32_t size = objimpl::optLong(a, 2, 0);
    if (size < 0) adoError(3001, kFieldsSource);
    if (fixedSize(type) > 0) size = fixedSize(type);  // a text field without a size has no limit
    fields_.push_back({name, type, size, objimpl::optLong(a, 3, 0)});
  }

  void removeField(const Variant& key) {
    if (open_) adoError(3219, kFieldsSource);
    fields_.erase(fields_.begin() + static_cast<std::ptrdiff_t>(fieldIndex(key, kFieldsSource)));
  }

  void needOpen(u16v source = kRsSource) const {
    if (!open_) adoError(3704, source);
  }

 private:
  bool open_ = false;
  std::vector<RecordPtr> records_;  // in the order they were added
  std::vector<RecordPtr> view_;     // sorted and filtered
  long pos_ = -1;                   // -1 is BOF, view_.size() is EOF
  int32_t live_ = 0;                // records in view_ not deleted
  RecordPtr beforeAdd_;
  int32_t lastId_ = 0;
  int32_t editMode_ = 0;
  u16 sortText_;
  std::vector<std::pair<size_t, bool>> sortKeys_;  // field, descending
  Variant filter_ = Variant::lng(0);
  std::unique_ptr<Criterion> filterCrit_;
  int32_t cursorType_ = 0, lockType_ = 1, cursorLocation_ = 2, maxRecords_ = 0, pageSize_ = 10;

  Variant setting(InvokeKind kind, Args a, int32_t& slot) {
    expectProp(kind, a);
    if (isPut(kind)) {
      slot = toLong(a[0]);
      return Variant();
    }
    return Variant::lng(slot);
  }

  // With no live records left, both hold once the cursor is off the last one.
  bool atEOF() const { return pos_ >= static_cast<long>(view_.size()) || (pos_ < 0 && live_ == 0); }
  bool atBOF() const { return pos_ < 0 || (pos_ >= static_cast<long>(view_.size()) && live_ == 0); }
  bool current() const { return !atEOF() && !atBOF(); }

  void needCurrent() const {
    if (!current() || view_[static_cast<size_t>(pos_)]->deleted) adoError(3021);
  }

  int32_t count() const { return live_; }

  int32_t ordinal() const {
    int32_t n = 0;
    for (long i = 0; i <= pos_; ++i) n += !view_[static_cast<size_t>(i)]->deleted;
    return std::max(n, 1);
  }

  void moveToOrdinal(int32_t p) {
    pos_ = -1;
    for (int32_t k = 0; k < p; ++k) skip(1);
  }

  // One step to the next live record, or onto BOF / EOF.
  void skip(int dir) {
    long end = static_cast<long>(view_.size());
    do pos_ += dir;
    while (pos_ >= 0 && pos_ < end && view_[static_cast<size_t>(pos_)]->deleted);
    if (pos_ < -1) pos_ = -1;
    if (pos_ > end) pos_ = end;
  }

  void moveToBookmark(const Variant& mark) {
    int32_t id = toLong(mark);
    for (size_t i = 0; i < view_.size(); ++i)
      if (view_[i]->id == id && !view_[i]->deleted) {
        pos_ = static_cast<long>(i);
        return;
      }
    adoError(3001);
  }

  std::vector<std::pair<size_t, bool>> parseSort(u16v text) const {
    std::vector<std::pair<size_t, bool>> keys;
    size_t i = 0;
    while (i <= text.size()) {
      size_t comma = text.find(u',', i);
      if (comma == u16v::npos) comma = text.size();
      u16v part = text.substr(i, comma - i);
      while (!part.empty() && part.front() == u' ') part.remove_prefix(1);
      while (!part.empty() && part.back() == u' ') part.remove_suffix(1);
      bool desc = false;
      size_t sp = part.empty() || part.back() == u']' ? u16v::npos : part.rfind(u' ');
      if (sp != u16v::npos) {
        u16v dir = part.substr(sp + 1);
        if (equalsNoCase(dir, u"DESC")) desc = true;
        else if (!equalsNoCase(dir, u"ASC")) adoError(3001);
        part = part.substr(0, sp);
        while (!part.empty() && part.back() == u' ') part.remove_suffix(1);
      }
      if (part.size() >= 2 && part.front() == u'[' && part.back() == u']') part = part.substr(1, part.size() - 2);
      if (part.empty()) {
        if (text.find_first_not_of(u' ') == u16v::npos) break;  // Sort = "" clears
        adoError(3001);
      }
      keys.emplace_back(fieldIndex(Variant::str(part)), desc);
      i = comma + 1;
    }
    return keys;
  }

  bool matches(const Criterion& c, const Record& r) const {
    if (c.kind == Criterion::And) return matches(*c.left, r) && matches(*c.right, r);
    if (c.kind == Criterion::Or) return matches(*c.left, r) || matches(*c.right, r);
    const Variant& v = r.values[c.field];
    if (c.value.isNull()) {
      bool isNull = v.isNull();
      return c.op == u"=" ? isNull : c.op == u"<>" ? !isNull : false;
    }
    if (v.isNull()) return false;
    if (c.op == u"LIKE") return likeMatch(toText(v), c.value.strView());
    int cmp;
    const FieldDef& f = fields_[c.field];
    if (isTextType(f.type) || (v.isString() && c.value.isString())) {
      cmp = compareValues(Variant::str(toText(v)), Variant::str(toText(c.value)));
    } else {
      double x, y;
      try {
        x = isDateType(f.type) ? toDate(v) : toDouble(v);
        y = isDateType(f.type) ? toDate(c.value) : toDouble(c.value);
      } catch (const ScriptError&) {
        return false;
      }
      cmp = x < y ? -1 : x > y ? 1 : 0;
    }
    if (c.op == u"=") return cmp == 0;
    if (c.op == u"<>") return cmp != 0;
    if (c.op == u"<") return cmp < 0;
    if (c.op == u">") return cmp > 0;
    if (c.op == u"<=") return cmp <= 0;
    return cmp >= 0;
  }

  // The visible records after Sort and Filter; the cursor goes to the first.
  void rebuild() {
    view_.clear();
    for (const RecordPtr& r : records_)
      if (!r->deleted && (!filterCrit_ || matches(*filterCrit_, *r))) view_.push_back(r);
    if (!sortKeys_.empty())
      std::stable_sort(view_.begin(), view_.end(), [&](const RecordPtr& x, const RecordPtr& y) {
        for (const auto& [field, desc] : sortKeys_) {
          int c = compareValues(x->values[field], y->values[field]);
          if (c != 0) return desc ? c > 0 : c < 0;
        }
        return false;
      });
    live_ = static_cast<int32_t>(view_.size());
    editMode_ = 0;
    pos_ = -1;
    if (!view_.empty()) skip(1);
  }

  // Field names or positions, and their values: one of each, or two arrays.
  void assignLists(const Variant& names, const Variant& values) {
    if (names.isArray() != values.isArray()) adoError(3001);
    if (!names.isArray()) {
      setValue(fieldIndex(names), values);
      return;
    }
    if (names.a->rank() != 1 || values.a->rank() != 1 || names.a->data.size() != values.a->data.size())
      adoError(3001);
    for (size_t i = 0; i < names.a->data.size(); ++i) setValue(fieldIndex(names.a->data[i]), values.a->data[i]);
  }

  size_t rowsWanted(Args a) const {
    long long n = count();
    if (!a.missing(0) && toLong(a[0]) >= 0) n = toLong(a[0]);
    return static_cast<size_t>(n);
  }

  // Rows from the current record on, as a (field, row) array; the cursor ends past them.
  Variant getRows(Args a) {
    if (!a.missing(1)) moveToBookmark(a[1]);
    needCurrent();
    std::vector<size_t> cols;
    if (a.missing(2)) {
      for (size_t i = 0; i < fields_.size(); ++i) cols.push_back(i);
    } else if (a[2].isArray()) {
      for (const Variant& k : a[2].a->data) cols.push_back(fieldIndex(k));
    } else {
      cols.push_back(fieldIndex(a[2]));
    }
    size_t want = rowsWanted(a);
    std::vector<const Record*> rows;
    while (!atEOF() && rows.size() < want) {
      rows.push_back(view_[static_cast<size_t>(pos_)].get());
      skip(1);
    }
    ArrayRep* arr = ArrayRep::make({Bound{0, static_cast<int32_t>(cols.size())},
                                    Bound{0, static_cast<int32_t>(rows.size())}});
    Variant out = Variant::array(arr);
    for (size_t r = 0; r < rows.size(); ++r)
      for (size_t c = 0; c < cols.size(); ++c) arr->data[r * cols.size() + c] = rows[r]->values[cols[c]];
    return out;
  }

  Variant getString(Args a) {
    if (objimpl::optLong(a, 0, 2) != 2) adoError(3001);
    needCurrent();
    u16 colSep = a.missing(2) ? u16(u"\t") : toString(a[2]);
    u16 rowSep = a.missing(3) ? u16(u"\r") : toString(a[3]);
    u16 nullText = a.missing(4) ? u16() : toString(a[4]);
    size_t want = a.missing(1) ? static_cast<size_t>(count()) : rowsWanted(Args{a.v + 1, 1});
    u16 out;
    for (size_t n = 0; n < want && !atEOF(); ++n) {
      const Record& r = *view_[static_cast<size_t>(pos_)];
      for (size_t c = 0; c < fields_.size(); ++c) {
        if (c) out += colSep;
        out += r.values[c].isNull() ? nullText : toText(r.values[c]);
      }
      out += rowSep;
      skip(1);
    }
    return Variant::str(out);
  }
};

FieldObj::FieldObj(RecordsetObj* rs, size_t index) : rs_(rs), index_(index) {}

int32_t FieldObj::getIdOfName(u16v name) {
  return findMember({{u"Value", DISPID_VALUE}, {u"Name", 1}, {u"Type", 2}, {u"DefinedSize", 3},
                     {u"ActualSize", 4}, {u"Attributes", 5}, {u"Precision", 6}, {u"NumericScale", 7},
                     {u"OriginalValue", 8}, {u"UnderlyingValue", 9}},
                    name);
}

Variant FieldObj::invoke(int32_t id, InvokeKind kind, Args a) {
  // Fields.Delete may leave an old Field object behind.
  if (index_ >= rs_->fields_.size()) adoError(3265, kFieldSource);
  const FieldDef& f = rs_->fields_[index_];
  switch (id) {
    case DISPID_VALUE:
      expectProp(kind, a);
      if (isPut(kind)) {
        rs_->setValue(index_, a[0]);
        return Variant();
      }
      return rs_->value(index_);
    case 1:
      expectCall(kind, a, 0, 0);
      return Variant::str(f.name);
    case 2:
      expectCall(kind, a, 0, 0);
      return Variant::lng(f.type);
    case 3:
      expectCall(kind, a, 0, 0);
      return Variant::lng(f.size);
    case 4: {
      expectCall(kind, a, 0, 0);
      Variant v = rs_->value(index_);
      if (v.isNull()) return Variant::lng(-1);  // adUnknown... ADO reports no size for Null
      if (isTextType(f.type)) {
        int32_t n = static_cast<int32_t>(v.strLen());
        bool wide = f.type == adWChar || f.type == adVarWChar || f.type == adLongVarWChar || f.type == adBSTR;
        return Variant::lng(wide ? n * 2 : n);
      }
      return Variant::lng(f.size);
    }
    case 5:
      expectCall(kind, a, 0, 0);
      return Variant::lng(f.attributes);
    case 6:
    case 7:
      expectCall(kind, a, 0, 0);
      return Variant::byteVal(0);
    case 8:
    case 9:
      expectCall(kind, a, 0, 0);
      return rs_->value(index_);
  }
  raise(438);
}

Variant FieldsObj::invoke(int32_t id, InvokeKind kind, Args a) {
  switch (id) {
    case DISPID_VALUE: {
      if (a.size() != (isPut(kind) ? 2 : 1)) raise(450);
      size_t i = rs_->fieldIndex(a[0]);
      if (isPut(kind)) {
        rs_->setValue(i, a[1]);
        return Variant();
      }
      return Variant::object(new FieldObj(rs_.get(), i));
    }
    case 1:
      expectCall(kind, a, 0, 0);
      return Variant::lng(static_cast<int32_t>(rs_->fields_.size()));
    case 2:
      if (isPut(kind)) raise(438);
      rs_->append(a);
      return Variant();
    case 3:
      expectCall(kind, a, 1, 1);
      rs_->removeField(a[0]);
      return Variant();
    case 4:
      expectCall(kind, a, 0, 0);
      return Variant();
  }
  raise(438);
}

Enumerator* FieldsObj::newEnum() {
  std::vector<Variant> items;
  for (size_t i = 0; i < rs_->fields_.size(); ++i) items.push_back(Variant::object(new FieldObj(rs_.get(), i)));
  return new objimpl::ListEnum(std::move(items));
}

}  // namespace

Object* newRecordset() { return new RecordsetObj; }

}  // namespace pw
