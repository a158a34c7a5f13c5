// System.Collections.ArrayList, which many published admin scripts create for
// its Sort. Only the members scripts reach through late binding are here.
#include <algorithm>

#include "objects.h"
#include "ops.h"

namespace pw {
namespace {

using objimpl::expectCall;
using objimpl::findMember;
using objimpl::isPut;

// .NET exceptions reach the script as their HRESULTs with the exception text.
constexpr int32_t kArgOutOfRange = static_cast<int32_t>(0x80131502u);
constexpr int32_t kInvalidOperation = static_cast<int32_t>(0x80131509u);
constexpr int32_t kArgument = static_cast<int32_t>(0x80070057u);
constexpr char16_t kNetSource[] = u"mscorlib";

[[noreturn]] void outOfRange(u16v param) {
  raise(kArgOutOfRange, kNetSource,
        u"Index was out of range. Must be non-negative and less than the size of the collection.\r\n"
        u"Parameter name: " + u16(param));
}

bool isNumber(const Variant& v) { return v.isNumeric(); }

// Object.Equals of the boxed values: same type and value; strings ordinally.
bool netEquals(const Variant& a, const Variant& b) {
  if (a.vt != b.vt) return false;
  if (a.vt == vtEmpty || a.vt == vtNull) return true;
  if (a.vt == vtObject) return a.o == b.o;
  if (a.isString()) return a.strView() == b.strView();
  return compare(a, b) == 0;
}

// Comparer.Default in an English culture: text ignores case first and puts
// lower case before upper case on a tie; numbers compare by value; anything
// else mixed cannot be compared.
int netCompare(const Variant& a, const Variant& b) {
  if (a.vt == vtEmpty || b.vt == vtEmpty) return (a.vt != vtEmpty) - (b.vt != vtEmpty);
  if (a.isString() && b.isString()) {
    u16v x = a.strView(), y = b.strView();
    if (int r = compareTextOrder(x, y)) return r;
    for (size_t i = 0; i < x.size(); ++i)
      if (x[i] != y[i]) return foldCase(x[i]) == x[i] ? -1 : 1;  // lower case first
    return 0;
  }
  if (a.vt == b.vt && (isNumber(a) || a.vt == vtDate || a.vt == vtBoolean)) return compare(a, b);
  raise(kInvalidOperation, kNetSource, u"Failed to compare two elements in the array.");
}

class ArrayListObj : public ValueHolder {
 public:
  explicit ArrayListObj(Engine* engine) : ValueHolder(engine) {}
  void dropValues() override { auto held = std::move(items_); items_.clear(); }
  int32_t getIdOfName(u16v name) override {
    return findMember({{u"Item", DISPID_VALUE}, {u"Add", 1}, {u"Count", 2}, {u"Insert", 3},
                       {u"Remove", 4}, {u"RemoveAt", 5}, {u"Clear", 6}, {u"Contains", 7},
                       {u"IndexOf", 8}, {u"Sort", 9}, {u"Reverse", 10}, {u"ToArray", 11},
                       {u"Capacity", 12}, {u"RemoveRange", 13}, {u"LastIndexOf", 14},
                       {u"Clone", 15}},
                      name);
  }

  Variant invoke(int32_t id, InvokeKind kind, Args args) override {
    switch (id) {
      case DISPID_VALUE: {
        if (args.size() != (isPut(kind) ? 2 : 1)) raise(450);
        size_t i = index(args[0], items_.size());
        if (isPut(kind)) items_[i] = args[1];
        else return items_[i];
        return Variant();
      }
      case 1:
        expectCall(kind, args, 1, 1);
        items_.push_back(args[0]);
        return Variant::lng(static_cast<int32_t>(items_.size() - 1));
      case 2:
        expectCall(kind, args, 0, 0);
        return Variant::lng(static_cast<int32_t>(items_.size()));
      case 3: {
        expectCall(kind, args, 2, 2);
        size_t i = index(args[0], items_.size() + 1);
        items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(i), args[1]);
        return Variant();
      }
      case 4: {
        expectCall(kind, args, 1, 1);
        auto it = std::find_if(items_.begin(), items_.end(), [&](const Variant& v) { return netEquals(v, args[0]); });
        if (it != items_.end()) items_.erase(it);
        return Variant();
      }
      case 5: {
        expectCall(kind, args, 1, 1);
        size_t i = index(args[0], items_.size());
        items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(i));
        return Variant();
      }
      case 6:
        expectCall(kind, args, 0, 0);
        items_.clear();
        return Variant();
      case 7:
        expectCall(kind, args, 1, 1);
        return Variant::boolean(find(args[0], 0) >= 0);
      case 8: {
        expectCall(kind, args, 1, 2);
        size_t from = args.missing(1) ? 0 : index(args[1], items_.size() + 1, u"startIndex");
        return Variant::lng(find(args[0], from));
      }
      case 9:
        expectCall(kind, args, 0, 0);
        std::stable_sort(items_.begin(), items_.end(),
                         [](const Variant& a, const Variant& b) { return netCompare(a, b) < 0; });
        return Variant();
      case 10:
        expectCall(kind, args, 0, 0);
        std::reverse(items_.begin(), items_.end());
        return Variant();
      case 11:
        expectCall(kind, args, 0, 0);
        return objimpl::makeArray(items_);
      case 12:
        if (isPut(kind)) {
          if (args.size() != 1) raise(450);
          int32_t c = toLong(args[0]);
          if (c < static_cast<int32_t>(items_.size())) outOfRange(u"value");
          capacity_ = c;
          return Variant();
        }
        expectCall(kind, args, 0, 0);
        while (capacity_ < static_cast<int32_t>(items_.size())) capacity_ = capacity_ ? capacity_ * 2 : 4;
        return Variant::lng(capacity_);
      case 13: {
        expectCall(kind, args, 2, 2);
        int32_t at = toLong(args[0]), n = toLong(args[1]);
        if (at < 0) outOfRange(u"index");
        if (n < 0) outOfRange(u"count");
        if (static_cast<size_t>(at) + static_cast<size_t>(n) > items_.size())
          raise(kArgument, kNetSource, u"Offset and length were out of bounds for the array or count is greater than the number of elements from index to the end of the source collection.");
        items_.erase(items_.begin() + at, items_.begin() + at + n);
        return Variant();
      }
      case 14: {
        expectCall(kind, args, 1, 1);
        for (size_t i = items_.size(); i-- > 0;)
          if (netEquals(items_[i], args[0])) return Variant::lng(static_cast<int32_t>(i));
        return Variant::lng(-1);
      }
      case 15: {
        expectCall(kind, args, 0, 0);
        auto* copy = new ArrayListObj(holderEngine());
        copy->items_ = items_;
        return Variant::object(copy);
      }
    }
    raise(438);
  }

  u16 typeName() const override { return u"ArrayList"; }

  Enumerator* newEnum() override { return new objimpl::ListEnum(items_); }

 private:
  std::vector<Variant> items_;
  int32_t capacity_ = 0;

  static size_t index(const Variant& v, size_t limit, u16v param = u"index") {
    int32_t i = toLong(v);
    if (i < 0 || static_cast<size_t>(i) >= limit) outOfRange(param);
    return static_cast<size_t>(i);
  }

  int32_t find(const Variant& what, size_t from) const {
    for (size_t i = from; i < items_.size(); ++i)
      if (netEquals(items_[i], what)) return static_cast<int32_t>(i);
    return -1;
  }
};

}  // namespace

Object* newArrayList(Engine* engine) { return new ArrayListObj(engine); }

}  // namespace pw
