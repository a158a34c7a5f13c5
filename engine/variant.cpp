#include "variant.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace pw {

StrRep* StrRep::alloc(size_t cap, bool atEnd) {
  if (cap > 0x7fffffffu / 2) raise(14);  // out of string space
  void* mem = std::malloc(sizeof(StrRep) + cap * sizeof(char16_t));
  if (!mem) raise(7);
  auto* r = static_cast<StrRep*>(mem);
  r->refs = 1;
  r->len = 0;
  r->cap = static_cast<uint32_t>(cap);
  r->atEnd = atEnd;
  r->built = 0;
  r->data[atEnd ? cap : 0] = 0;
  return r;
}

StrRep* StrRep::make(const char16_t* p, size_t n, size_t cap) {
  StrRep* r = alloc(cap < n ? n : cap, false);
  r->len = static_cast<uint32_t>(n);
  if (n) std::memcpy(r->data, p, n * sizeof(char16_t));
  r->data[n] = 0;
  return r;
}

Variant Variant::str(u16v s) { return adopt(s.empty() ? nullptr : StrRep::make(s)); }

Variant Variant::str(const char* ascii) {
  u16 t;
  while (*ascii) t.push_back(static_cast<unsigned char>(*ascii++));
  return str(t);
}

Variant Variant::object(Object* o) {
  Variant v;
  v.vt = vtObject;
  v.o = o;
  if (o) o->addRef();
  return v;
}

Variant Variant::array(ArrayRep* a) {
  Variant v;
  v.vt = vtArray;
  v.a = a;
  a->addRef();
  return v;
}

void Variant::addRef() const {
  switch (vt) {
    case vtString:
      if (s) ++s->refs;
      break;
    case vtObject:
      if (o) o->addRef();
      break;
    case vtArray:
      a->addRef();
      break;
    default:
      break;
  }
}

void Variant::release() {
  switch (vt) {
    case vtString:
      if (s && --s->refs == 0) std::free(s);
      break;
    case vtObject:
      if (o) {
        Object* p = o;
        vt = vtEmpty;  // a terminator that reads this slot sees Empty, not a dying object
        o = nullptr;
        p->release();
      }
      break;
    case vtArray: {
      ArrayRep* p = a;
      vt = vtEmpty;
      raw = 0;
      p->release();
      break;
    }
    default:
      break;
  }
}

Enumerator* Object::newEnum() { raise(451); }

// Freeing a value frees what it holds, so an array of arrays (or a chain of
// objects) a million deep would free itself a million calls deep. Past a
// modest depth the rest waits in a list that the outermost free works off.
struct DeadList {
  static constexpr int kMaxDepth = 64;
  static thread_local int depth;
  static thread_local ArrayRep* arrays;
  static thread_local Object* objects;

  static void drain() {
    for (;;) {
      if (ArrayRep* a = arrays) {
        arrays = a->nextDead_;
        ++depth;
        delete a;
        --depth;
      } else if (Object* o = objects) {
        objects = o->nextDead_;
        o->nextDead_ = nullptr;
        ++depth;
        o->destroy();
        --depth;
      } else {
        return;
      }
    }
  }
};
thread_local int DeadList::depth = 0;
thread_local ArrayRep* DeadList::arrays = nullptr;
thread_local Object* DeadList::objects = nullptr;

void ArrayRep::reclaim(ArrayRep* a) {
  if (DeadList::depth >= DeadList::kMaxDepth) {
    a->nextDead_ = DeadList::arrays;
    DeadList::arrays = a;
    return;
  }
  ++DeadList::depth;
  delete a;
  if (--DeadList::depth == 0) DeadList::drain();
}

void Object::reclaim(Object* o) {
  if (DeadList::depth >= DeadList::kMaxDepth) {
    o->nextDead_ = DeadList::objects;
    DeadList::objects = o;
    return;
  }
  ++DeadList::depth;
  o->destroy();
  if (--DeadList::depth == 0) DeadList::drain();
}

long long ArrayRep::flatIndex(const int32_t* subs, size_t n) const {
  if (n != dims.size()) return -1;
  long long idx = 0, mul = 1;
  for (size_t k = 0; k < n; ++k) {
    long long off = static_cast<long long>(subs[k]) - dims[k].lower;
    if (off < 0 || off >= dims[k].count) return -1;
    idx += off * mul;
    mul *= dims[k].count;
  }
  return idx;
}

ArrayRep* ArrayRep::make(const std::vector<Bound>& dims) {
  long long total = 1;
  for (const Bound& b : dims) {
    if (b.count < 0) raise(9);
    total *= b.count;
    if (total > 0x7fffffffLL / 16) raise(7);
  }
  auto* a = new (std::nothrow) ArrayRep;
  if (!a) raise(7);
  a->dims = dims;
  try {
    a->data.resize(static_cast<size_t>(total));
  } catch (const std::bad_alloc&) {
    delete a;
    raise(7);
  }
  return a;
}

ArrayRep* ArrayRep::clone() const {
  auto* a = new ArrayRep;
  a->dims = dims;
  a->elemVt = elemVt;
  try {
    a->data = data;
  } catch (const std::bad_alloc&) {
    delete a;
    raise(7);
  }
  return a;
}

u16 fromUtf8(std::string_view s) {
  u16 out;
  out.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    uint32_t cp;
    int extra;
    if (c < 0x80) { cp = c; extra = 0; }
    else if ((c & 0xE0) == 0xC0) { cp = c & 0x1F; extra = 1; }
    else if ((c & 0xF0) == 0xE0) { cp = c & 0x0F; extra = 2; }
    else if ((c & 0xF8) == 0xF0) { cp = c & 0x07; extra = 3; }
    else { out.push_back(0xFFFD); ++i; continue; }
    bool ok = true;
    for (int k = 1; k <= extra; ++k) {
      if (i + k >= s.size() || (static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) { ok = false; break; }
      cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    }
    if (!ok) { out.push_back(0xFFFD); ++i; continue; }
    i += extra + 1;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
  }
  return out;
}

std::string toUtf8(u16v s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    uint32_t cp = s[i];
    if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] < 0xE000) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp < 0xE000) {
      cp = 0xFFFD;
    }
    if (cp < 0x80) out.push_back(static_cast<char>(cp));
    else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

}  // namespace pw
