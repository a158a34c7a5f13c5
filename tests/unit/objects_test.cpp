// The built-in automation objects, driven through their dispatch interface as
// the VM drives them.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>

#include "objects.h"
#include "script_control.h"
#include "winpath.h"

namespace pw {
namespace {

Variant S(u16v s) { return Variant::str(s); }
Variant I(int32_t n) { return Variant::lng(n); }
Variant B(bool b) { return Variant::boolean(b); }

Variant invokeAs(InvokeKind kind, Object* o, u16v name, std::vector<Variant> args) {
  int32_t id = o->getIdOfName(name);
  if (id == DISPID_UNKNOWN) ADD_FAILURE() << "no member " << toUtf8(name);
  return o->invoke(id, kind, Args{args.data(), static_cast<int>(args.size())});
}
Variant call(Object* o, u16v name, std::vector<Variant> args = {}) {
  return invokeAs(InvokeKind::Method, o, name, std::move(args));
}
Variant get(Object* o, u16v name, std::vector<Variant> args = {}) {
  return invokeAs(InvokeKind::Get, o, name, std::move(args));
}
void let(Object* o, u16v name, std::vector<Variant> argsAndValue) {
  invokeAs(InvokeKind::Let, o, name, std::move(argsAndValue));
}
Variant item(Object* o, std::vector<Variant> args) {
  return o->invoke(DISPID_VALUE, InvokeKind::Get, Args{args.data(), static_cast<int>(args.size())});
}

u16 str(const Variant& v) { return toString(v); }
std::string u8(const Variant& v) { return toUtf8(toString(v)); }

int errorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const ScriptError& e) {
    return e.number;
  }
  return 0;
}

std::vector<Variant> each(Object* o) {
  std::unique_ptr<Enumerator> e(o->newEnum());
  std::vector<Variant> out;
  Variant v;
  while (e->next(v)) out.push_back(v);
  return out;
}

std::vector<std::string> arrayText(const Variant& a) {
  EXPECT_TRUE(a.isArray());
  EXPECT_EQ(a.a->dims.size(), 1u);
  EXPECT_EQ(a.a->dims[0].lower, 0);
  std::vector<std::string> out;
  for (const Variant& v : a.a->data) out.push_back(u8(v));
  return out;
}

// --- RegExp ---

struct RegExpTest : ::testing::Test {
  Ref<Object> re{newRegExp()};
  void pattern(u16v p) { let(re.get(), u"Pattern", {S(p)}); }
  void flag(u16v name, bool on) { let(re.get(), name, {B(on)}); }
  bool test(u16v subject) { return toBool(call(re.get(), u"Test", {S(subject)})); }
  std::string replace(u16v subject, u16v with) { return u8(call(re.get(), u"Replace", {S(subject), S(with)})); }
  Ref<Object> execute(u16v subject) {
    Variant v = call(re.get(), u"Execute", {S(subject)});
    return Ref<Object>(v.o);
  }
  int count(u16v subject) { return toLong(get(execute(subject).get(), u"Count")); }
};

TEST_F(RegExpTest, PropertiesAndFlags) {
  EXPECT_EQ(re->typeName(), u"IRegExp2");
  EXPECT_EQ(str(get(re.get(), u"pattern")), u"");
  EXPECT_FALSE(toBool(get(re.get(), u"Global")));
  pattern(u"a+B");
  EXPECT_TRUE(test(u"xaaB"));
  EXPECT_FALSE(test(u"xaab"));
  flag(u"IgnoreCase", true);  // must recompile the cached pattern
  EXPECT_TRUE(test(u"xAAb"));
  EXPECT_TRUE(toBool(get(re.get(), u"IgnoreCase")));
  EXPECT_EQ(errorOf([&] { call(re.get(), u"Test"); }), 450);
}

TEST_F(RegExpTest, ExecuteGlobalAndFirst) {
  pattern(u"\\d+");
  EXPECT_EQ(count(u"a1 b22 c333"), 1);
  flag(u"Global", true);
  Ref<Object> mc = execute(u"a1 b22 c333");
  EXPECT_EQ(mc->typeName(), u"IMatchCollection2");
  ASSERT_EQ(toLong(get(mc.get(), u"Count")), 3);
  Variant m2 = item(mc.get(), {I(2)});
  EXPECT_EQ(m2.o->typeName(), u"IMatch2");
  EXPECT_EQ(u8(m2), "333");  // Value is the default member
  EXPECT_EQ(toLong(get(m2.o, u"FirstIndex")), 8);
  EXPECT_EQ(toLong(get(m2.o, u"Length")), 3);
  EXPECT_EQ(item(mc.get(), {I(1)}).o, item(mc.get(), {I(1)}).o);
  EXPECT_EQ(errorOf([&] { item(mc.get(), {I(3)}); }), 5);
  std::vector<std::string> seen;
  for (const Variant& m : each(mc.get())) seen.push_back(u8(m));
  EXPECT_EQ(seen, (std::vector<std::string>{"1", "22", "333"}));
  EXPECT_EQ(count(u"none"), 0);
}

TEST_F(RegExpTest, SubMatchesWithUnmatchedGroups) {
  pattern(u"(\\w+)@(\\w+)(\\.org)?");
  Ref<Object> mc = execute(u"mail ann@example now");
  Variant m = item(mc.get(), {I(0)});
  Variant sm = get(m.o, u"SubMatches");
  EXPECT_EQ(sm.o->typeName(), u"ISubMatches");
  ASSERT_EQ(toLong(get(sm.o, u"Count")), 3);
  EXPECT_EQ(u8(item(sm.o, {I(0)})), "ann");
  EXPECT_EQ(u8(item(sm.o, {I(1)})), "example");
  EXPECT_TRUE(item(sm.o, {I(2)}).isEmpty());
  EXPECT_EQ(errorOf([&] { item(sm.o, {I(3)}); }), 5);
  std::vector<Variant> all = each(sm.o);
  ASSERT_EQ(all.size(), 3u);
  EXPECT_TRUE(all[2].isEmpty());
}

TEST_F(RegExpTest, ReplacementPatterns) {
  pattern(u"(\\w+) (\\w+)");
  EXPECT_EQ(replace(u"hello big world", u"$2 $1"), "big hello world");
  EXPECT_EQ(replace(u"ab cd", u"[$&|$`|$'|$$|$3|$0]"), "[ab cd|||$|$3|$0]");
  flag(u"Global", true);
  pattern(u"o");
  EXPECT_EQ(replace(u"foo boo", u"0"), "f00 b00");
  flag(u"Global", false);
  EXPECT_EQ(replace(u"foo boo", u"0"), "f0o boo");
  // $10 is group 10 only when there are ten groups; otherwise $1 then "0".
  pattern(u"(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)");
  EXPECT_EQ(replace(u"abcdefghij", u"$10-$1"), "j-a");
  pattern(u"(a)");
  EXPECT_EQ(replace(u"a", u"$10"), "a0");
}

TEST_F(RegExpTest, EmptyMatchesAdvance) {
  flag(u"Global", true);
  pattern(u"x*");
  EXPECT_EQ(replace(u"abc", u"-"), "-a-b-c-");
  EXPECT_EQ(count(u"abc"), 4);
  pattern(u"b*");
  EXPECT_EQ(replace(u"abc", u"-"), "-a--c-");
  pattern(u"^");
  EXPECT_EQ(replace(u"ab", u">"), ">ab");
}

TEST_F(RegExpTest, AnchorsAndMultiline) {
  flag(u"Global", true);
  pattern(u"^\\w+$");
  EXPECT_EQ(count(u"one\r\ntwo\nthree"), 0);
  flag(u"Multiline", true);
  EXPECT_EQ(count(u"one\r\ntwo\nthree"), 3);
  flag(u"Multiline", false);
  pattern(u"c$");
  EXPECT_FALSE(test(u"abc\n"));  // $ is the very end, not before a final newline
  EXPECT_TRUE(test(u"abc"));
  pattern(u"^b");
  EXPECT_FALSE(test(u"a\nb"));
}

TEST_F(RegExpTest, PatternErrors) {
  struct {
    const char16_t* pattern;
    int error;
  } cases[] = {
      {u"(ab", 5020},   {u"[ab", 5019},  {u"*a", 5018},      {u"a**", 5018}, {u"a{2}{3}", 5018},
      {u"[z-a]", 5021}, {u"ab)", 5017},  {u"(?<n>a)", 5017}, {u"a\\", 5017}, {u"^*", 5018},
      {u"a{3,1}", 5017}, {u"(?i)a", 5017},
  };
  for (const auto& c : cases) {
    pattern(c.pattern);  // assigning never fails; using the pattern does
    EXPECT_EQ(errorOf([&] { test(u"abc"); }), c.error) << toUtf8(c.pattern);
    EXPECT_EQ(errorOf([&] { execute(u"abc"); }), c.error) << toUtf8(c.pattern);
  }
  pattern(u"a{,2}");  // not a quantifier: literal text
  EXPECT_TRUE(test(u"a{,2}"));
}

TEST_F(RegExpTest, DialectEscapes) {
  struct {
    const char16_t* pattern;
    const char16_t* subject;
    bool match;
  } cases[] = {
      {u"^\\d$", u"\u0663", false},  // \d is ASCII only
      {u"^\\w$", u"\u00e9", false},
      {u"^\\s$", u"\u000b", true},
      {u"^\\v$", u"\u000b", true},   // vertical tab, not a class of breaks
      {u"^\\v$", u"\n", false},
      {u"^\\cJ$", u"\n", true},
      {u"^\\101\\x42\\u0043$", u"ABC", true},
      {u"^\\11$", u"\t", true},      // no group 11: octal
      {u"^\\0$", u"", true},  // an empty subject here stands for one NUL
      {u"^[^]$", u"\n", true},
      {u"[]", u"abc", false},
      {u"^\\q\\%$", u"q%", true},    // identity escapes
      {u"^.$", u"\n", false},
      {u"^.$", u"\r", true},
      {u"^(a)\\1$", u"aa", true},
      {u"^(a)?b\\1$", u"b", true},  // a group that took no part matches empty
      {u"^\\400$", u" 0", true},    // octal stops before passing 255
      {u"^[\\d-z]+$", u"1-z", true},
      {u"^[\\b]$", u"\b", true},
      {u"^\\c1$", u"\\c1", true},
      {u"^[[:alpha:]]+$", u":]", true},  // no POSIX classes
      {u"^[[:a]+$", u"[:a", true},
      {u"a{1,2}b", u"aab", true},
      {u"^(?:ab)+(?=c)", u"ababc", true},
      {u"^(?!x)\\w", u"xy", false},
      {u"\\bcat\\b", u"a cat.", true},
      {u"\\Bcat", u"a cat.", false},
  };
  for (const auto& c : cases) {
    pattern(c.pattern);
    u16 subject = c.subject[0] ? u16(c.subject) : u16(1, u'\0');
    EXPECT_EQ(test(subject), c.match) << toUtf8(c.pattern);
  }
}

TEST_F(RegExpTest, IgnoreCaseBeyondAscii) {
  flag(u"IgnoreCase", true);
  pattern(u"caf\u00e9");
  EXPECT_TRUE(test(u"CAF\u00c9"));
  pattern(u"^[\u00e0-\u00fe]+$");
  EXPECT_TRUE(test(u"\u00c9\u00e9"));
  pattern(u"^[^\u00e9]$");
  EXPECT_FALSE(test(u"\u00c9"));
  pattern(u"\u03c9");  // Greek omega
  EXPECT_TRUE(test(u"\u03a9"));
  flag(u"IgnoreCase", false);
  EXPECT_FALSE(test(u"\u03a9"));
}

// A function reference (GetRef) as Replace's replacement.
class Callback : public Object {
 public:
  std::vector<std::vector<Variant>> calls;
  int32_t getIdOfName(u16v) override { return DISPID_UNKNOWN; }
  Variant invoke(int32_t id, InvokeKind, Args args) override {
    EXPECT_EQ(id, DISPID_VALUE);
    std::vector<Variant> a;
    for (int i = 0; i < args.size(); ++i) a.push_back(args[i]);
    calls.push_back(a);
    return S(toUpperCopy(toString(args[0])));
  }
  u16 typeName() const override { return u"Object"; }
};

TEST_F(RegExpTest, ReplaceWithFunctionReference) {
  Ref<Callback> fn(new Callback);
  flag(u"Global", true);
  pattern(u"b(x)?");
  Variant r = call(re.get(), u"Replace", {S(u"abcbx"), Variant::object(fn.get())});
  EXPECT_EQ(u8(r), "aBcBX");
  ASSERT_EQ(fn->calls.size(), 2u);
  ASSERT_EQ(fn->calls[0].size(), 4u);  // match, submatch, position, source
  EXPECT_TRUE(fn->calls[0][1].isEmpty());
  EXPECT_EQ(toLong(fn->calls[1][2]), 3);
  EXPECT_EQ(u8(fn->calls[1][3]), "abcbx");
}

// --- Dictionary ---

struct DictionaryTest : ::testing::Test {
  Ref<Object> d{newDictionary()};
  void add(const Variant& k, const Variant& v) { call(d.get(), u"Add", {k, v}); }
  int countOf() { return toLong(get(d.get(), u"Count")); }
  bool has(const Variant& k) { return toBool(call(d.get(), u"Exists", {k})); }
};

TEST_F(DictionaryTest, AddItemAndMissingKeys) {
  EXPECT_EQ(d->typeName(), u"Dictionary");
  add(S(u"a"), I(1));
  EXPECT_EQ(errorOf([&] { add(S(u"a"), I(2)); }), 457);
  EXPECT_EQ(toLong(item(d.get(), {S(u"a")})), 1);
  // Reading a missing key adds it, holding Empty.
  EXPECT_TRUE(item(d.get(), {S(u"nope")}).isEmpty());
  EXPECT_EQ(countOf(), 2);
  EXPECT_TRUE(has(S(u"nope")));
  d->invoke(DISPID_VALUE, InvokeKind::Let, Args{std::vector<Variant>{S(u"c"), I(3)}.data(), 2});
  std::vector<Variant> setArgs{S(u"a"), Variant::object(d.get())};
  d->invoke(DISPID_VALUE, InvokeKind::Set, Args{setArgs.data(), 2});
  EXPECT_EQ(item(d.get(), {S(u"a")}).o, d.get());
  call(d.get(), u"Remove", {S(u"a")});  // breaks the reference cycle
  EXPECT_EQ(countOf(), 2);
  EXPECT_EQ(errorOf([&] { item(d.get(), {}); }), 450);
  EXPECT_EQ(errorOf([&] { let(d.get(), u"Count", {I(1)}); }), 438);
}

TEST_F(DictionaryTest, OrderRemoveAndArrays) {
  for (const char16_t* k : {u"x", u"y", u"z"}) add(S(k), S(toUpperCopy(k)));
  call(d.get(), u"Remove", {S(u"y")});
  add(S(u"y"), S(u"Y2"));
  EXPECT_EQ(arrayText(call(d.get(), u"Keys")), (std::vector<std::string>{"x", "z", "y"}));
  EXPECT_EQ(arrayText(call(d.get(), u"Items")), (std::vector<std::string>{"X", "Z", "Y2"}));
  EXPECT_EQ(errorOf([&] { call(d.get(), u"Remove", {S(u"q")}); }), 32811);
  let(d.get(), u"Key", {S(u"z"), S(u"w")});  // renaming keeps the place
  EXPECT_EQ(arrayText(call(d.get(), u"Keys")), (std::vector<std::string>{"x", "w", "y"}));
  EXPECT_EQ(u8(item(d.get(), {S(u"w")})), "Z");
  call(d.get(), u"Remove", {S(u"w")});
  add(S(u"z"), S(u"Z"));
  std::vector<std::string> keys;
  for (const Variant& k : each(d.get())) keys.push_back(u8(k));
  EXPECT_EQ(keys, (std::vector<std::string>{"x", "y", "z"}));
  call(d.get(), u"RemoveAll");
  EXPECT_EQ(countOf(), 0);
  EXPECT_TRUE(call(d.get(), u"Keys").a->data.empty());
}

TEST_F(DictionaryTest, ManyRemovalsKeepOrderAndLookups) {
  for (int i = 0; i < 1000; ++i) add(I(i), I(i * 2));
  for (int i = 0; i < 1000; ++i)
    if (i % 10) call(d.get(), u"Remove", {I(i)});
  ASSERT_EQ(countOf(), 100);
  for (int i = 1000; i < 2000; ++i) add(I(i), I(i * 2));  // grow past the old positions
  Variant keys = call(d.get(), u"Keys");
  ASSERT_EQ(keys.a->data.size(), 1100u);
  for (int i = 0; i < 100; ++i) {
    EXPECT_EQ(toLong(keys.a->data[i]), i * 10);
    EXPECT_EQ(toLong(item(d.get(), {I(i * 10)})), i * 20);
  }
  EXPECT_EQ(toLong(item(d.get(), {I(1500)})), 3000);
  EXPECT_FALSE(has(I(991)));
  EXPECT_EQ(countOf(), 1100);
}

TEST_F(DictionaryTest, ChurnOfRenamesAndRemovalsKeepsLookups) {
  // Few live keys but many deleted places: look-ups must still end, and find.
  for (int round = 0; round < 5000; ++round) {
    add(I(round), I(round));
    if (round >= 3) call(d.get(), u"Remove", {I(round - 3)});
  }
  ASSERT_EQ(countOf(), 3);
  EXPECT_FALSE(has(I(4996)));
  EXPECT_TRUE(has(I(4997)));
  for (int i = 0; i < 5000; ++i) let(d.get(), u"Key", {I(i == 0 ? 4999 : 100000 + i - 1), I(100000 + i)});
  EXPECT_EQ(toLong(item(d.get(), {I(104999)})), 4999);
  EXPECT_FALSE(has(I(4999)));
  EXPECT_EQ(arrayText(call(d.get(), u"Keys")), (std::vector<std::string>{"4997", "4998", "104999"}));
  EXPECT_EQ(countOf(), 3);
}

TEST_F(DictionaryTest, CompareModeText) {
  add(S(u"Key"), I(1));
  EXPECT_FALSE(has(S(u"KEY")));
  EXPECT_EQ(errorOf([&] { let(d.get(), u"CompareMode", {I(1)}); }), 5);
  call(d.get(), u"RemoveAll");
  let(d.get(), u"CompareMode", {I(1)});
  EXPECT_EQ(toLong(get(d.get(), u"CompareMode")), 1);
  add(S(u"Key"), I(1));
  EXPECT_TRUE(has(S(u"kEY")));
  EXPECT_TRUE(has(S(u"KEY")));
  EXPECT_EQ(errorOf([&] { add(S(u"KEY"), I(2)); }), 457);
  EXPECT_EQ(toLong(call(d.get(), u"HashVal", {S(u"key")})), toLong(call(d.get(), u"HashVal", {S(u"KEY")})));
}

TEST_F(DictionaryTest, KeyKindsAndRename) {
  add(Variant::integer(1), S(u"one"));
  EXPECT_TRUE(has(I(1)));  // numbers compare by value across subtypes
  EXPECT_TRUE(has(Variant::dbl(1.0)));
  EXPECT_FALSE(has(S(u"1")));
  EXPECT_FALSE(has(B(true)));
  add(Variant(), S(u"empty"));
  EXPECT_EQ(u8(item(d.get(), {Variant()})), "empty");
  Ref<Object> other(newDictionary());
  add(Variant::object(other.get()), S(u"obj"));
  EXPECT_TRUE(has(Variant::object(other.get())));
  EXPECT_FALSE(has(Variant::object(d.get())));
  EXPECT_EQ(errorOf([&] { add(objimpl::makeArray({}), I(0)); }), 13);

  let(d.get(), u"Key", {I(1), S(u"uno")});
  EXPECT_FALSE(has(I(1)));
  EXPECT_EQ(u8(item(d.get(), {S(u"uno")})), "one");
  EXPECT_EQ(u8(call(d.get(), u"Keys").a->data[0]), "uno");  // keeps its place
  EXPECT_EQ(errorOf([&] { let(d.get(), u"Key", {S(u"missing"), S(u"x")}); }), 32811);
  EXPECT_EQ(errorOf([&] { let(d.get(), u"Key", {S(u"uno"), Variant()}); }), 457);
  EXPECT_EQ(errorOf([&] { get(d.get(), u"Key", {S(u"uno")}); }), 438);
}

TEST(CollectionTest, IndexKeysAndErrors) {
  Ref<Object> c(newCollection());
  EXPECT_EQ(c->typeName(), u"Collection");
  call(c.get(), u"Add", {S(u"first")});
  call(c.get(), u"Add", {S(u"second"), S(u"Two")});
  call(c.get(), u"Add", {S(u"third"), S(u"three")});
  EXPECT_EQ(toLong(get(c.get(), u"Count")), 3);
  EXPECT_EQ(u8(item(c.get(), {I(1)})), "first");
  EXPECT_EQ(u8(item(c.get(), {S(u"TWO")})), "second");
  EXPECT_EQ(errorOf([&] { call(c.get(), u"Add", {I(4), S(u"two")}); }), 457);
  EXPECT_EQ(errorOf([&] { item(c.get(), {I(0)}); }), 9);
  EXPECT_EQ(errorOf([&] { item(c.get(), {S(u"four")}); }), 5);
  call(c.get(), u"Remove", {S(u"two")});
  call(c.get(), u"Remove", {I(1)});
  std::vector<Variant> rest = each(c.get());
  ASSERT_EQ(rest.size(), 1u);
  EXPECT_EQ(u8(rest[0]), "third");
  EXPECT_EQ(u8(item(c.get(), {S(u"Three")})), "third");
}

TEST(ProgIdTest, RegistryAndSafety) {
  Ref<Object> re(createBuiltinObject(u"vbscript.regexp"));
  ASSERT_TRUE(re);
  EXPECT_EQ(re->typeName(), u"IRegExp2");
  Ref<Object> d(createBuiltinObject(u"SCRIPTING.DICTIONARY"));
  ASSERT_TRUE(d);
  EXPECT_EQ(d->typeName(), u"Dictionary");
  Ref<Object> fso(createBuiltinObject(u"Scripting.FileSystemObject"));
  ASSERT_TRUE(fso);
  EXPECT_FALSE(fso->safeForScripting());
  EXPECT_EQ(createBuiltinObject(u"Scripting.Nothing"), nullptr);
  EXPECT_TRUE(isProgIdSafe(u"VBScript.RegExp"));
  EXPECT_TRUE(isProgIdSafe(u"scripting.dictionary"));
  EXPECT_FALSE(isProgIdSafe(u"Scripting.FileSystemObject"));
  EXPECT_FALSE(isProgIdSafe(u"Unknown.Thing"));
  // The in-memory Recordset and StringBuilder follow their siblings ADODB.Stream and ArrayList.
  for (const char16_t* id : {u"ADODB.Recordset", u"System.Text.StringBuilder"}) {
    Ref<Object> o(createBuiltinObject(id));
    ASSERT_TRUE(o) << toUtf8(id);
    EXPECT_FALSE(o->safeForScripting());
    EXPECT_FALSE(isProgIdSafe(id));
  }
  EXPECT_EQ(Ref<Object>(createBuiltinObject(u"adodb.recordset"))->typeName(), u"Recordset");
}

// --- FileSystemObject ---

struct FsoTest : ::testing::Test {
  Ref<Object> fso{newFileSystemObject()};
  std::string dir;

  void SetUp() override {
    char tmpl[] = "/tmp/pw_fso_XXXXXX";
    ASSERT_NE(::mkdtemp(tmpl), nullptr);
    dir = tmpl;
  }
  void TearDown() override {
    std::string cmd = "chmod -R u+w '" + dir + "' && rm -rf '" + dir + "'";
    EXPECT_EQ(std::system(cmd.c_str()), 0);
  }

  u16 p(const std::string& rel) const { return fromUtf8(dir + "/" + rel); }
  Variant P(const std::string& rel) const { return S(p(rel)); }
  void writeRaw(const std::string& rel, const std::string& bytes) {
    std::ofstream(dir + "/" + rel, std::ios::binary) << bytes;
  }
  std::string readRaw(const std::string& rel) {
    std::ifstream in(dir + "/" + rel, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  bool fileExists(const std::string& rel) { return toBool(call(fso.get(), u"FileExists", {P(rel)})); }
  bool folderExists(const std::string& rel) { return toBool(call(fso.get(), u"FolderExists", {P(rel)})); }
  Ref<Object> open(const std::string& rel, int mode = 1, bool create = false, int format = 0) {
    Variant v = call(fso.get(), u"OpenTextFile", {P(rel), I(mode), B(create), I(format)});
    return Ref<Object>(v.o);
  }
};

TEST_F(FsoTest, WriteThenReadLines) {
  Variant ts = call(fso.get(), u"CreateTextFile", {P("a.txt")});
  EXPECT_EQ(ts.o->typeName(), u"TextStream");
  call(ts.o, u"WriteLine", {S(u"first")});
  call(ts.o, u"Write", {S(u"sec")});
  EXPECT_EQ(toLong(get(ts.o, u"Column")), 4);
  call(ts.o, u"WriteLine", {S(u"ond")});
  call(ts.o, u"WriteBlankLines", {I(1)});
  EXPECT_EQ(toLong(get(ts.o, u"Line")), 4);
  EXPECT_EQ(errorOf([&] { call(ts.o, u"ReadLine"); }), 54);
  EXPECT_EQ(errorOf([&] { get(ts.o, u"AtEndOfStream"); }), 54);
  call(ts.o, u"Close");
  EXPECT_EQ(readRaw("a.txt"), "first\r\nsecond\r\n\r\n");

  Ref<Object> in = open("a.txt");
  EXPECT_EQ(errorOf([&] { call(in.get(), u"Write", {S(u"x")}); }), 54);
  EXPECT_EQ(u8(call(in.get(), u"ReadLine")), "first");
  EXPECT_EQ(toLong(get(in.get(), u"Line")), 2);
  EXPECT_EQ(u8(call(in.get(), u"ReadLine")), "second");
  EXPECT_FALSE(toBool(get(in.get(), u"AtEndOfStream")));
  EXPECT_TRUE(toBool(get(in.get(), u"AtEndOfLine")));
  EXPECT_EQ(u8(call(in.get(), u"ReadLine")), "");
  EXPECT_TRUE(toBool(get(in.get(), u"AtEndOfStream")));
  EXPECT_EQ(errorOf([&] { call(in.get(), u"ReadLine"); }), 62);
  EXPECT_EQ(errorOf([&] { call(in.get(), u"ReadAll"); }), 62);
  EXPECT_EQ(errorOf([&] { call(in.get(), u"Read", {I(1)}); }), 62);
  call(in.get(), u"Close");
  EXPECT_EQ(errorOf([&] { call(in.get(), u"ReadLine"); }), 52);
}

TEST_F(FsoTest, ReadingMixedLineEndsAndPieces) {
  writeRaw("m.txt", "ab\r\ncd\nef\rgh");
  Ref<Object> in = open("m.txt");
  EXPECT_EQ(u8(call(in.get(), u"Read", {I(3)})), "ab\r");
  EXPECT_EQ(toLong(get(in.get(), u"Line")), 2);
  call(in.get(), u"Skip", {I(1)});
  EXPECT_EQ(toLong(get(in.get(), u"Line")), 2);  // CR LF is one break
  EXPECT_EQ(toLong(get(in.get(), u"Column")), 1);
  EXPECT_EQ(u8(call(in.get(), u"ReadLine")), "cd");
  call(in.get(), u"SkipLine");
  EXPECT_EQ(u8(call(in.get(), u"ReadAll")), "gh");
  EXPECT_EQ(toLong(get(in.get(), u"Line")), 4);
  EXPECT_EQ(toLong(get(in.get(), u"Column")), 3);

  writeRaw("empty.txt", "");
  Ref<Object> e = open("empty.txt");
  EXPECT_TRUE(toBool(get(e.get(), u"AtEndOfStream")));
  EXPECT_EQ(errorOf([&] { call(e.get(), u"ReadAll"); }), 62);
}

TEST_F(FsoTest, AppendAndEncodings) {
  {
    Ref<Object> w = open("u.txt", 2, true, -1);
    call(w.get(), u"Write", {S(u"A\u00e9")});
  }  // released without Close: still flushed
  EXPECT_EQ(readRaw("u.txt"), std::string("\xFF\xFE" "A\0\xE9\0", 6));
  {
    Ref<Object> w = open("u.txt", 8, false, -1);
    call(w.get(), u"Write", {S(u"z")});
    call(w.get(), u"Close");
  }
  EXPECT_EQ(readRaw("u.txt"), std::string("\xFF\xFE" "A\0\xE9\0z\0", 8));
  EXPECT_EQ(u8(call(open("u.txt", 1, false, -1).get(), u"ReadAll")), "A\xC3\xA9z");
  EXPECT_EQ(u8(call(open("u.txt", 1, false, -2).get(), u"ReadAll")), "A\xC3\xA9z");

  Variant ts = call(fso.get(), u"CreateTextFile", {P("a.txt"), B(true), B(false)});
  call(ts.o, u"Write", {S(u"\u00e9\u20ac")});
  call(ts.o, u"Write", {S(std::u16string(1, 0xD83D))});  // a pair split over two writes
  call(ts.o, u"Write", {S(std::u16string(1, 0xDE00))});
  call(ts.o, u"Close");
  EXPECT_EQ(readRaw("a.txt"), "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
  EXPECT_EQ(u8(call(open("a.txt").get(), u"ReadAll")), "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");

  writeRaw("ansi.txt", "\x80 caf\xE9");  // not UTF-8: Windows-1252
  EXPECT_EQ(u8(call(open("ansi.txt").get(), u"ReadAll")), "\xE2\x82\xAC caf\xC3\xA9");
  writeRaw("bom.txt", "\xEF\xBB\xBFhi");
  EXPECT_EQ(u8(call(open("bom.txt").get(), u"ReadAll")), "hi");

  Ref<Object> app = open("ansi.txt", 8);
  call(app.get(), u"WriteLine", {S(u"!")});
  call(app.get(), u"Close");
  EXPECT_EQ(readRaw("ansi.txt"), "\x80 caf\xE9!\r\n");
  EXPECT_EQ(errorOf([&] { open("a.txt", 3); }), 5);
}

TEST_F(FsoTest, ErrorNumbers) {
  EXPECT_EQ(errorOf([&] { open("missing.txt"); }), 53);
  EXPECT_EQ(errorOf([&] { open("nodir/missing.txt"); }), 76);
  EXPECT_EQ(errorOf([&] { open("missing.txt", 2); }), 53);
  EXPECT_EQ(errorOf([&] { call(fso.get(), u"CreateTextFile", {P("nodir/x.txt")}); }), 76);
  writeRaw("x.txt", "old");
  EXPECT_EQ(errorOf([&] { call(fso.get(), u"CreateTextFile", {P("x.txt"), B(false)}); }), 58);
  EXPECT_EQ(readRaw("x.txt"), "old");
  call(call(fso.get(), u"CreateTextFile", {P("x.txt")}).o, u"Close");  // overwrites by default
  EXPECT_EQ(readRaw("x.txt"), "");
  EXPECT_EQ(errorOf([&] { call(fso.get(), u"GetFile", {P("missing.txt")}); }), 53);
  EXPECT_EQ(errorOf([&] { call(fso.get(), u"GetFolder", {P("missing")}); }), 76);
  EXPECT_EQ(errorOf([&] { call(fso.get(), u"CreateFolder", {P("x.txt")}); }), 58);
  EXPECT_EQ(errorOf([&] { call(fso.get(), u"CreateFolder", {P("a/b")}); }), 76);
  EXPECT_EQ(errorOf([&] { call(fso.get(), u"DeleteFile", {P("*.none")}); }), 53);
  EXPECT_EQ(errorOf([&] { call(fso.get(), u"DeleteFolder", {P("missing")}); }), 76);
  EXPECT_EQ(errorOf([&] { open(""); }), 70);  // the test folder itself
  EXPECT_EQ(errorOf([&] { call(fso.get(), u"OpenTextFile", {S(u"")}); }), 52);
  EXPECT_EQ(errorOf([&] { call(fso.get(), u"GetSpecialFolder", {I(7)}); }), 5);
  EXPECT_EQ(errorOf([&] { call(fso.get(), u"FileExists"); }), 450);
}

TEST_F(FsoTest, CopyMoveDeleteFilesWithWildcards) {
  writeRaw("a.txt", "A");
  writeRaw("b.txt", "B");
  writeRaw("c.log", "C");
  call(fso.get(), u"CreateFolder", {P("dst")});
  call(fso.get(), u"CopyFile", {P("*.txt"), P("dst/")});
  Variant folder = call(fso.get(), u"GetFolder", {P("dst")});
  Variant files = get(folder.o, u"Files");
  EXPECT_EQ(toLong(get(files.o, u"Count")), 2);
  std::vector<std::string> names;
  for (const Variant& f : each(files.o)) names.push_back(u8(get(f.o, u"Name")));
  EXPECT_EQ(names, (std::vector<std::string>{"a.txt", "b.txt"}));
  EXPECT_EQ(u8(get(item(files.o, {S(u"b.txt")}).o, u"Name")), "b.txt");
  EXPECT_EQ(errorOf([&] { item(files.o, {S(u"c.log")}); }), 53);

  EXPECT_EQ(errorOf([&] { call(fso.get(), u"CopyFile", {P("a.txt"), P("dst/b.txt"), B(false)}); }), 58);
  call(fso.get(), u"CopyFile", {P("a.txt"), P("dst/b.txt")});
  EXPECT_EQ(readRaw("dst/b.txt"), "A");
  EXPECT_EQ(errorOf([&] { call(fso.get(), u"CopyFile", {P("*.txt"), P("nowhere/")}); }), 76);
  EXPECT_EQ(errorOf([&] { call(fso.get(), u"CopyFile", {P("*.doc"), P("dst/")}); }), 53);
  EXPECT_EQ(errorOf([&] { call(fso.get(), u"CopyFile", {P("a.txt"), P("dst")}); }), 70);

  call(fso.get(), u"MoveFile", {P("c.log"), P("dst/")});
  EXPECT_FALSE(fileExists("c.log"));
  EXPECT_EQ(readRaw("dst/c.log"), "C");
  EXPECT_EQ(errorOf([&] { call(fso.get(), u"MoveFile", {P("a.txt"), P("dst/a.txt")}); }), 58);

  call(fso.get(), u"DeleteFile", {P("dst/*.txt")});
  EXPECT_EQ(toLong(get(files.o, u"Count")), 1);  // the collection is live
  writeRaw("dst/README", "r");
  call(fso.get(), u"DeleteFile", {P("dst/*.*")});  // also names without a dot
  EXPECT_EQ(toLong(get(files.o, u"Count")), 0);

  Variant f = call(fso.get(), u"GetFile", {P("a.txt")});
  let(f.o, u"Attributes", {I(1)});
  EXPECT_EQ(toLong(get(f.o, u"Attributes")) & 1, 1);
  EXPECT_EQ(errorOf([&] { call(fso.get(), u"DeleteFile", {P("a.txt")}); }), 70);
  call(fso.get(), u"DeleteFile", {P("a.txt"), B(true)});
  EXPECT_FALSE(fileExists("a.txt"));
}

TEST_F(FsoTest, FoldersCopyMoveDelete) {
  call(fso.get(), u"CreateFolder", {P("src")});
  Variant sub = call(get(call(fso.get(), u"GetFolder", {P("src")}).o, u"SubFolders").o, u"Add", {S(u"inner")});
  EXPECT_EQ(u8(get(sub.o, u"Path")), dir + "/src/inner");
  writeRaw("src/top.txt", "top");
  writeRaw("src/inner/deep.txt", "deep!");

  call(fso.get(), u"CopyFolder", {P("src"), P("copy")});
  EXPECT_EQ(readRaw("copy/inner/deep.txt"), "deep!");
  Variant copy = call(fso.get(), u"GetFolder", {P("copy")});
  EXPECT_EQ(toLong(get(copy.o, u"Size")), 8);
  EXPECT_EQ(toLong(get(get(copy.o, u"SubFolders").o, u"Count")), 1);
  EXPECT_FALSE(toBool(get(copy.o, u"IsRootFolder")));
  EXPECT_EQ(toLong(get(copy.o, u"Attributes")) & 16, 16);

  call(fso.get(), u"CreateFolder", {P("box")});
  call(fso.get(), u"CopyFolder", {P("src"), P("box/")});  // into: box/src
  EXPECT_TRUE(folderExists("box/src/inner"));
  EXPECT_EQ(errorOf([&] { call(fso.get(), u"CopyFolder", {P("src"), P("src/inner/")}); }), 70);

  call(fso.get(), u"MoveFolder", {P("copy"), P("moved")});
  EXPECT_FALSE(folderExists("copy"));
  EXPECT_EQ(readRaw("moved/top.txt"), "top");
  EXPECT_EQ(errorOf([&] { call(fso.get(), u"MoveFolder", {P("moved"), P("box")}); }), 58);

  call(fso.get(), u"DeleteFolder", {P("mo*")});
  EXPECT_FALSE(folderExists("moved"));
  Variant box = call(fso.get(), u"GetFolder", {P("box")});
  call(box.o, u"Delete");
  EXPECT_FALSE(folderExists("box"));
  EXPECT_TRUE(folderExists("src"));
}

TEST_F(FsoTest, PathText) {
  auto fn = [&](u16v name, u16v arg) { return u8(call(fso.get(), name, {S(arg)})); };
  EXPECT_EQ(u8(call(fso.get(), u"BuildPath", {S(u"/a"), S(u"b.txt")})), "/a/b.txt");
  EXPECT_EQ(u8(call(fso.get(), u"BuildPath", {S(u"/a/"), S(u"b")})), "/a/b");
  EXPECT_EQ(fn(u"GetFileName", u"/x/y/report.tar.gz"), "report.tar.gz");
  EXPECT_EQ(fn(u"GetFileName", u"/x/y/"), "y");
  EXPECT_EQ(fn(u"GetBaseName", u"/x/report.tar.gz"), "report.tar");
  EXPECT_EQ(fn(u"GetExtensionName", u"/x/report.tar.gz"), "gz");
  EXPECT_EQ(fn(u"GetExtensionName", u"/x/.profile"), "profile");  // the last dot, as on Windows
  EXPECT_EQ(fn(u"GetBaseName", u"/x/.profile"), "");
  EXPECT_EQ(fn(u"GetParentFolderName", u"/x/y/z"), "/x/y");
  EXPECT_EQ(fn(u"GetParentFolderName", u"/x"), "/");
  EXPECT_EQ(fn(u"GetParentFolderName", u"/"), "");
  EXPECT_EQ(fn(u"GetParentFolderName", u"name"), "");
  EXPECT_EQ(fn(u"GetDriveName", u"/x/y"), "");
  EXPECT_EQ(fn(u"GetAbsolutePathName", u"/a/./b/../c//"), "/a/c");
  char cwd[4096];
  ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
  EXPECT_EQ(fn(u"GetAbsolutePathName", u"q/../r"), std::string(cwd) + "/r");
  std::string tmp = u8(call(fso.get(), u"GetTempName"));
  EXPECT_EQ(tmp.size(), 12u);
  EXPECT_EQ(tmp.substr(0, 3), "rad");
  EXPECT_EQ(tmp.substr(8), ".tmp");
  const char* tmpdir = std::getenv("TMPDIR");
  std::string expected = tmpdir && *tmpdir ? tmpdir : "/tmp";
  EXPECT_EQ(u8(call(fso.get(), u"GetSpecialFolder", {I(2)})), expected);
}

TEST_F(FsoTest, FileAndDriveObjects) {
  writeRaw("doc.txt", "12345");
  Variant f = call(fso.get(), u"GetFile", {P("doc.txt")});
  EXPECT_EQ(f.o->typeName(), u"File");
  EXPECT_EQ(u8(f), dir + "/doc.txt");  // Path is the default member
  EXPECT_EQ(toLong(get(f.o, u"Size")), 5);
  EXPECT_EQ(u8(get(f.o, u"Type")), "Text Document");
  EXPECT_EQ(u8(get(get(f.o, u"ParentFolder").o, u"Path")), dir);
  Variant modified = get(f.o, u"DateLastModified");
  EXPECT_EQ(modified.vt, vtDate);
  EXPECT_GT(modified.d, 40000.0);  // after 2009
  let(f.o, u"Name", {S(u"renamed.txt")});
  EXPECT_TRUE(fileExists("renamed.txt"));
  EXPECT_EQ(u8(get(f.o, u"Path")), dir + "/renamed.txt");
  call(f.o, u"Copy", {P("again.txt")});
  EXPECT_EQ(readRaw("again.txt"), "12345");
  Variant ts = call(f.o, u"OpenAsTextStream", {I(8)});
  call(ts.o, u"Write", {S(u"6")});
  call(ts.o, u"Close");
  EXPECT_EQ(readRaw("renamed.txt"), "123456");
  call(f.o, u"Delete");
  EXPECT_FALSE(fileExists("renamed.txt"));

  Variant drives = get(fso.get(), u"Drives");
  // No letters are mapped here: the mounted file systems, the root first.
  std::vector<Variant> all = each(drives.o);
  ASSERT_GE(all.size(), 1u);
  EXPECT_EQ(toLong(get(drives.o, u"Count")), static_cast<int32_t>(all.size()));
  EXPECT_EQ(u8(get(all[0].o, u"DriveLetter")), "");
  EXPECT_EQ(u8(get(all[0].o, u"Path")), "/");
  EXPECT_TRUE(toBool(get(all[0].o, u"IsReady")));
  EXPECT_GT(toDouble(get(all[0].o, u"TotalSize")), 0.0);
  EXPECT_GE(toDouble(get(all[0].o, u"TotalSize")), toDouble(get(all[0].o, u"FreeSpace")));
  EXPECT_TRUE(toBool(get(get(all[0].o, u"RootFolder").o, u"IsRootFolder")));
  EXPECT_TRUE(get(get(all[0].o, u"RootFolder").o, u"ParentFolder").o == nullptr);
  EXPECT_TRUE(toBool(call(fso.get(), u"DriveExists", {S(u"/")})));
  EXPECT_EQ(errorOf([&] { call(fso.get(), u"GetDrive", {S(u"Q:")}); }), 68);
}

// Path text is split as Windows splits it, whatever the separators.
TEST(WinPath, SplitsLikeWindows) {
  using namespace winpath;
  auto u = [](const u16& s) { return toUtf8(s); };
  struct Case {
    const char16_t *path, *drive, *parent, *name, *base, *ext;
  } cases[] = {
      {u"C:\\x\\y.txt", u"C:", u"C:\\x", u"y.txt", u"y", u"txt"},
      {u"C:\\x", u"C:", u"C:\\", u"x", u"x", u""},
      {u"C:\\", u"C:", u"", u"", u"", u""},
      {u"C:", u"C:", u"", u"", u"", u""},
      {u"c:y.txt", u"c:", u"c:", u"y.txt", u"y", u"txt"},
      {u"C:/x/y/", u"C:", u"C:/x", u"y", u"y", u""},
      {u"\\\\server\\share\\f.log", u"\\\\server\\share", u"\\\\server\\share", u"f.log", u"f", u"log"},
      {u"\\\\server\\share", u"\\\\server\\share", u"", u"", u"", u""},
      {u"a\\b/c.d.e", u"", u"a\\b", u"c.d.e", u"c.d", u"e"},
      {u"a\\\\b", u"", u"a", u"b", u"b", u""},
      {u"..\\x", u"", u"..", u"x", u"x", u""},
      {u".\\data\\", u"", u".", u"data", u"data", u""},
      {u"/x/y", u"", u"/x", u"y", u"y", u""},
      {u"\\x", u"", u"\\", u"x", u"x", u""},
      {u".desktop", u"", u"", u".desktop", u"", u"desktop"},
      {u"a.", u"", u"", u"a.", u"a", u""},
      {u"a..b", u"", u"", u"a..b", u"a.", u"b"},
      {u"x\\.git\\", u"", u"x", u".git", u"", u"git"},
      {u"", u"", u"", u"", u"", u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(toUtf8(c.path));
    EXPECT_EQ(u(driveName(c.path)), toUtf8(c.drive));
    EXPECT_EQ(u(parentFolderName(c.path)), toUtf8(c.parent));
    EXPECT_EQ(u(fileName(c.path)), toUtf8(c.name));
    EXPECT_EQ(u(baseName(c.path)), toUtf8(c.base));
    EXPECT_EQ(u(extensionName(c.path)), toUtf8(c.ext));
  }
  // BuildPath keeps the separator its inputs use, with one between.
  EXPECT_EQ(u(buildPath(u"C:\\x", u"y")), "C:\\x\\y");
  EXPECT_EQ(u(buildPath(u"C:\\x\\", u"\\y")), "C:\\x\\y");
  EXPECT_EQ(u(buildPath(u"C:", u"y")), "C:y");
  EXPECT_EQ(u(buildPath(u"logs", u"a\\b.log")), "logs\\a\\b.log");
  EXPECT_EQ(u(buildPath(u"/srv/x", u"a\\b.log")), "/srv/x/a\\b.log");
  EXPECT_EQ(u(buildPath(u"/srv/x", u"y")), "/srv/x/y");
  EXPECT_EQ(u(buildPath(u"", u"y")), "y");
}

TEST(WinPath, DriveSpecs) {
  using namespace winpath;
  char16_t letter = 0;
  std::string folder, error;
  EXPECT_TRUE(parseDriveSpec("c=/srv/c", letter, folder, error));
  EXPECT_EQ(letter, u'C');
  EXPECT_EQ(folder, "/srv/c");
  EXPECT_TRUE(parseDriveSpec(" D: = /mnt/d e \r", letter, folder, error));
  EXPECT_EQ(letter, u'D');
  EXPECT_EQ(folder, "/mnt/d e");
  for (const char* bad : {"C", "C=", "CD=/x", "1=/x", "=/x", ":=/x"}) {
    SCOPED_TRACE(bad);
    EXPECT_FALSE(parseDriveSpec(bad, letter, folder, error));
    EXPECT_FALSE(error.empty());
  }
  mapDrive(u'q', "/srv/q/./a/../");
  ASSERT_TRUE(driveRoot(u'Q'));
  EXPECT_EQ(*driveRoot(u'Q'), "/srv/q");
  EXPECT_EQ(driveOfNative("/srv/q/x"), u'Q');
  EXPECT_EQ(driveOfNative("/srv/qx"), 0);
  EXPECT_EQ(toNative(u"q:\\logs\\a.txt"), "/srv/q/logs/a.txt");
  mapDrive(u'Q', "");
  EXPECT_FALSE(driveRoot(u'Q'));

  // The window's Drives.txt: comments, blanks, CR LF, relative folders from its folder.
  std::vector<std::string> errors = ScriptControl::LoadDriveMap(
      "# drives\r\n\r\n; also a comment\nR=rel/dir\r\n  s:=/abs/s \nbad line\nT=\n", "/cfg");
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_EQ(errors[0].substr(0, 7), "line 6:");
  EXPECT_EQ(errors[1].substr(0, 7), "line 7:");
  EXPECT_EQ(driveRoot(u'R').value_or(""), "/cfg/rel/dir");
  EXPECT_EQ(driveRoot(u'S').value_or(""), "/abs/s");
  EXPECT_FALSE(driveRoot(u'T'));
  ScriptControl::ClearDrives();
  EXPECT_TRUE(drives().empty());
  try {
    toNative(u"Q:\\x");
    ADD_FAILURE() << "no error for an unmapped drive";
  } catch (const ScriptError& e) {
    EXPECT_EQ(e.number, 76);
    EXPECT_NE(toUtf8(e.description).find("Q:"), std::string::npos);
  }
}

}  // namespace
}  // namespace pw
