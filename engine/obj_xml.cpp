// MSXML2.DOMDocument and its nodes, node lists and parse errors, on libxml2.
//
// Lifetimes: a libxml2 document lives in a Holder that every node object of
// it shares, so nodes keep their tree alive. A node object is cached in its
// xmlNode's _private field, which gives one object per node (Is works). Nodes
// outside the tree (created, removed, cloned) are the roots in
// Holder::detached; such a subtree is freed as soon as no object refers into
// it, or with the holder. libxml2 calls that would free or merge nodes behind
// our back (xmlAddChild merging text, xmlNodeSetContent on elements) are not
// used: children are linked and unlinked here.
#include <fcntl.h>
#include <iconv.h>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <memory>
#include <mutex>
#include <sstream>
#include <unordered_map>
#include <unordered_set>

#include "engine.h"
#include "objects.h"
#include "stack_guard.h"
#include "xmldom.h"

namespace pw {
namespace {

using objimpl::expectCall;
using objimpl::expectProp;
using objimpl::findMember;
using objimpl::isPut;

constexpr int32_t kFail = static_cast<int32_t>(0x80004005u);  // E_FAIL, MSXML's usual
constexpr int32_t kNotFound = static_cast<int32_t>(0x800C0006u);  // INET_E_OBJECT_NOT_FOUND
constexpr const char* kDatatypesNs = "urn:schemas-microsoft-com:datatypes";

#if LIBXML_VERSION >= 21200
using XmlError = const xmlError*;
#else
using XmlError = xmlErrorPtr;
#endif

void quietGeneric(void*, const char*, ...) {}
void quietStructured(void*, XmlError) {}

// libxml2 writes its complaints to stderr unless told otherwise; the settings
// are per thread, and scripts may run on any thread.
void prepareLibxml() {
  static std::once_flag once;
  std::call_once(once, [] { xmlInitParser(); });
  xmlSetGenericErrorFunc(nullptr, quietGeneric);
  xmlSetStructuredErrorFunc(nullptr, quietStructured);
}

const xmlChar* X(const std::string& s) { return reinterpret_cast<const xmlChar*>(s.c_str()); }
std::string str8(const xmlChar* s) { return s ? reinterpret_cast<const char*>(s) : ""; }
u16 str16(const xmlChar* s) { return s ? fromUtf8(reinterpret_cast<const char*>(s)) : u16(); }

// xmlNodeGetContent's result as a string (entity references expanded).
std::string contentOf(xmlNodePtr n) {
  xmlChar* c = xmlNodeGetContent(n);
  std::string s = str8(c);
  xmlFree(c);
  return s;
}

std::string qname(xmlNodePtr n) {
  std::string name = str8(n->name);
  if ((n->type == XML_ELEMENT_NODE || n->type == XML_ATTRIBUTE_NODE) && n->ns && n->ns->prefix)
    return str8(n->ns->prefix) + ":" + name;
  return name;
}

bool isXmlSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string trimmed(const std::string& s) {
  size_t a = 0, b = s.size();
  while (a < b && isXmlSpace(s[a])) ++a;
  while (b > a && isXmlSpace(s[b - 1])) --b;
  return s.substr(a, b - a);
}

// Children that the DOM shows: attributes and entity references have their
// content as libxml2 children, which the DOM does not hand out.
bool hasDomChildren(xmlNodePtr n) {
  return n->type == XML_ELEMENT_NODE || n->type == XML_DOCUMENT_NODE || n->type == XML_DOCUMENT_FRAG_NODE;
}

void freeTree(xmlNodePtr n) {
  if (n->type == XML_ATTRIBUTE_NODE) xmlFreeProp(reinterpret_cast<xmlAttrPtr>(n));
  else xmlFreeNode(n);
}

bool samePrefix(const xmlChar* a, const xmlChar* b) { return (!a && !b) || (a && b && xmlStrEqual(a, b)); }

// Bumped on every change of structure in any document (and on every new
// one), so that a live node list knows when its cached nodes may be stale.
std::atomic<uint64_t> structureGen{1};

struct Holder {
  xmlDocPtr doc;
  std::unordered_set<xmlNodePtr> detached;  // roots of subtrees outside the tree
  std::vector<xmlNsPtr> ownedNs;  // declarations for detached nodes that lost theirs

  explicit Holder(xmlDocPtr d) : doc(d) { ++structureGen; }
  Holder(const Holder&) = delete;
  Holder& operator=(const Holder&) = delete;
  ~Holder() {
    for (xmlNodePtr n : detached) freeTree(n);
    for (xmlNsPtr ns : ownedNs) xmlFreeNs(ns);
    xmlFreeDoc(doc);
  }

  // Unreferenced detached subtrees are found by sweeping rather than when
  // each object goes, which would cost a walk of its subtree every time; a
  // sweep comes once the work since the last one (objects gone, nodes cut
  // off) matches what the sweep costs, so garbage stays within a constant
  // factor of what is alive.
  size_t work = 0, sweepAt = 1024;

  void noteWork(size_t n) {
    work += n;
    if (work >= sweepAt) sweep();
  }

  void sweep() {
    size_t total = 0;
    for (auto it = detached.begin(); it != detached.end();) {
      size_t count = 0;
      if (wrapped(*it, &count)) {
        total += count;
        ++it;
      } else {
        freeTree(*it);
        it = detached.erase(it);
        ++structureGen;
      }
    }
    work = 0;
    sweepAt = std::max<size_t>(1024, total);
  }

  // Whether an object refers to a node of the subtree; with count, the whole
  // subtree is walked and its size stored there.
  static bool wrapped(xmlNodePtr root, size_t* count = nullptr) {
    std::vector<xmlNodePtr> todo{root};
    bool found = false;
    while (!todo.empty()) {
      xmlNodePtr n = todo.back();
      todo.pop_back();
      if (count) ++*count;
      if (n->_private) {
        found = true;
        if (!count) return true;
      }
      if (n->type == XML_ELEMENT_NODE)
        for (xmlAttrPtr a = n->properties; a; a = a->next) todo.push_back(reinterpret_cast<xmlNodePtr>(a));
      if (hasDomChildren(n))
        for (xmlNodePtr c = n->children; c; c = c->next) todo.push_back(c);
    }
    return found;
  }

  // A new root outside the tree. The sweep that this may set off runs first,
  // so that it cannot take the node before its caller has wrapped it.
  void adopt(xmlNodePtr n, size_t size = 1) {
    noteWork(size);
    detached.insert(n);
    ++structureGen;
  }

  void maybeFree(xmlNodePtr root) {
    if (root->parent || !detached.count(root) || wrapped(root)) return;
    detached.erase(root);
    freeTree(root);
    ++structureGen;
  }

  // Takes a node out of its parent; it keeps working on its own.
  void detach(xmlNodePtr n) {
    if (!n->parent) return;
    xmlUnlinkNode(n);
    adopt(n, localizeNs(n));
  }

  void link(xmlNodePtr parent, xmlNodePtr child, xmlNodePtr before) {
    detached.erase(child);
    ++structureGen;
    child->parent = parent;
    if (before) {
      child->next = before;
      child->prev = before->prev;
      if (before->prev) before->prev->next = child;
      else parent->children = child;
      before->prev = child;
    } else {
      child->next = nullptr;
      child->prev = parent->last;
      if (parent->last) parent->last->next = child;
      else parent->children = child;
      parent->last = child;
    }
  }

  void linkAttr(xmlNodePtr element, xmlAttrPtr a) {
    detached.erase(reinterpret_cast<xmlNodePtr>(a));
    ++structureGen;
    a->parent = element;
    a->next = nullptr;
    a->prev = nullptr;
    if (!element->properties) {
      element->properties = a;
      return;
    }
    xmlAttrPtr last = element->properties;
    while (last->next) last = last->next;
    last->next = a;
    a->prev = last;
  }

  // Nodes of a subtree that was cut off may name a namespace declared by a
  // former ancestor: they are pointed at one inside the subtree or at a copy
  // the holder owns, so that freeing the ancestor cannot leave them dangling.
  size_t localizeNs(xmlNodePtr root) {
    std::vector<xmlNodePtr> todo{root};
    size_t count = 0;
    while (!todo.empty()) {
      xmlNodePtr n = todo.back();
      todo.pop_back();
      ++count;
      if (n->type == XML_ELEMENT_NODE || n->type == XML_ATTRIBUTE_NODE) fixNs(root, n);
      if (n->type == XML_ELEMENT_NODE) {
        for (xmlAttrPtr a = n->properties; a; a = a->next) todo.push_back(reinterpret_cast<xmlNodePtr>(a));
        for (xmlNodePtr c = n->children; c; c = c->next) todo.push_back(c);
      } else if (n->type == XML_DOCUMENT_FRAG_NODE) {
        for (xmlNodePtr c = n->children; c; c = c->next) todo.push_back(c);
      }
    }
    return count;
  }

  void fixNs(xmlNodePtr root, xmlNodePtr n) {
    xmlNsPtr ns = n->ns;
    if (!ns || (ns->prefix && xmlStrEqual(ns->prefix, BAD_CAST "xml"))) return;
    for (xmlNodePtr up = n->type == XML_ATTRIBUTE_NODE ? n->parent : n; up; up = up->parent) {
      if (up->type == XML_ELEMENT_NODE)
        for (xmlNsPtr d = up->nsDef; d; d = d->next)
          if (d == ns) return;
      if (up == root) break;
    }
    for (xmlNsPtr d : ownedNs)
      if (d == ns) return;
    for (xmlNsPtr d : ownedNs)
      if (samePrefix(d->prefix, ns->prefix) && xmlStrEqual(d->href, ns->href)) {
        n->ns = d;
        return;
      }
    xmlNsPtr copy = xmlNewNs(nullptr, ns->href, ns->prefix);
    if (!copy) raise(7);
    ownedNs.push_back(copy);
    n->ns = copy;
  }

  // A namespace for a new node that has nowhere to declare it (attributes).
  xmlNsPtr ownNs(const std::string& href, const std::string& prefix) {
    for (xmlNsPtr d : ownedNs)
      if (xmlStrEqual(d->href, X(href)) && samePrefix(d->prefix, prefix.empty() ? nullptr : X(prefix))) return d;
    xmlNsPtr ns = xmlNewNs(nullptr, X(href), prefix.empty() ? nullptr : X(prefix));
    if (!ns) raise(7);
    ownedNs.push_back(ns);
    return ns;
  }
};

using HolderPtr = std::shared_ptr<Holder>;

// --- serialization, in MSXML's form ---

struct Writer {
  std::string out;
  // Saving in a legacy encoding: characters it lacks become character
  // references in text and attributes.
  iconv_t target = reinterpret_cast<iconv_t>(-1);
  std::unordered_map<uint32_t, bool> encodable;
  bool keepEncoding = false;  // the declaration keeps encoding="..." (save)
  std::vector<std::pair<std::string, std::string>> scope;  // prefix (or "" for default), uri

  void escape(const std::string& s, bool attr) {
    for (size_t i = 0; i < s.size(); ++i) {
      unsigned char c = static_cast<unsigned char>(s[i]);
      switch (c) {
        case '&': out += "&amp;"; continue;
        case '<': out += "&lt;"; continue;
        case '>':
          if (!attr) {
            out += "&gt;";
            continue;
          }
          break;
        case '"':
          if (attr) {
            out += "&quot;";
            continue;
          }
          break;
        case '\n':
        case '\r':
        case '\t':
          if (attr) {  // a parser would turn them into spaces
            out += c == '\n' ? "&#10;" : c == '\r' ? "&#13;" : "&#9;";
            continue;
          }
          break;
      }
      if (target != reinterpret_cast<iconv_t>(-1) && c >= 0x80) {
        size_t len = std::min(s.size() - i, size_t(c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2));
        uint32_t cp = c & (len == 4 ? 0x07 : len == 3 ? 0x0F : 0x1F);
        for (size_t k = 1; k < len; ++k) cp = (cp << 6) | (s[i + k] & 0x3F);
        auto known = encodable.find(cp);
        if (known == encodable.end()) {
          std::string one = s.substr(i, len);
          char buf[16];
          char* in = one.data();
          char* o = buf;
          size_t inLeft = one.size(), outLeft = sizeof buf;
          iconv(target, nullptr, nullptr, nullptr, nullptr);
          known = encodable.emplace(cp, iconv(target, &in, &inLeft, &o, &outLeft) != static_cast<size_t>(-1)).first;
        }
        if (known->second) out.append(s, i, len);
        else out += "&#" + std::to_string(cp) + ";";
        i += len - 1;
        continue;
      }
      out += static_cast<char>(c);
    }
  }

  const std::string* lookup(const std::string& prefix) const {
    for (auto it = scope.rbegin(); it != scope.rend(); ++it)
      if (it->first == prefix) return &it->second;
    return nullptr;
  }

  void declare(const std::string& prefix, const std::string& uri) {
    out += prefix.empty() ? " xmlns=\"" : " xmlns:" + prefix + "=\"";
    escape(uri, true);
    out += '"';
    scope.emplace_back(prefix, uri);
  }

  void needNs(xmlNsPtr ns) {
    if (!ns) return;
    std::string prefix = str8(ns->prefix), uri = str8(ns->href);
    if (prefix == "xml") return;
    const std::string* have = lookup(prefix);
    if (!have || *have != uri) declare(prefix, uri);
  }

  void element(xmlNodePtr n) {
    if (stackNearlyFull()) raise(28);  // a tree nested deeper than the stack allows
    size_t mark = scope.size();
    out += '<';
    out += qname(n);
    for (xmlNsPtr d = n->nsDef; d; d = d->next) {
      std::string prefix = str8(d->prefix), uri = str8(d->href);
      const std::string* have = lookup(prefix);
      if (!have || *have != uri) declare(prefix, uri);
    }
    if (n->ns) {
      needNs(n->ns);
    } else if (const std::string* def = lookup(""); def && !def->empty()) {
      declare("", "");  // a node without namespace inside a default one
    }
    for (xmlAttrPtr a = n->properties; a; a = a->next) {
      if (a->ns && a->ns->prefix) needNs(a->ns);
      out += ' ';
      out += qname(reinterpret_cast<xmlNodePtr>(a));
      out += "=\"";
      escape(contentOf(reinterpret_cast<xmlNodePtr>(a)), true);
      out += '"';
    }
    if (!n->children) {
      out += "/>";
    } else {
      out += '>';
      for (xmlNodePtr c = n->children; c; c = c->next) node(c);
      out += "</";
      out += qname(n);
      out += '>';
    }
    scope.resize(mark);
  }

  void node(xmlNodePtr n) {
    switch (n->type) {
      case XML_ELEMENT_NODE: element(n); break;
      case XML_ATTRIBUTE_NODE:
        out += qname(n) + "=\"";
        escape(contentOf(n), true);
        out += '"';
        break;
      case XML_TEXT_NODE: escape(str8(n->content), false); break;
      case XML_CDATA_SECTION_NODE: out += "<![CDATA[" + str8(n->content) + "]]>"; break;
      case XML_COMMENT_NODE: out += "<!--" + str8(n->content) + "-->"; break;
      case XML_ENTITY_REF_NODE: out += "&" + str8(n->name) + ";"; break;
      case XML_PI_NODE: {
        std::string target = str8(n->name), data = str8(n->content);
        if (target == "xml" && !keepEncoding) data = withoutEncoding(data);
        out += "<?" + target + (data.empty() ? "" : " " + data) + "?>";
        break;
      }
      case XML_DTD_NODE: {
        xmlBufferPtr buf = xmlBufferCreate();
        xmlNodeDump(buf, n->doc, n, 0, 0);
        out += str8(xmlBufferContent(buf));
        xmlBufferFree(buf);
        break;
      }
      case XML_DOCUMENT_NODE:
        for (xmlNodePtr c = n->children; c; c = c->next) {
          node(c);
          out += "\r\n";
        }
        break;
      case XML_DOCUMENT_FRAG_NODE:
        for (xmlNodePtr c = n->children; c; c = c->next) node(c);
        break;
      default: break;
    }
  }

  // The xml property is text, not bytes, so its declaration names no encoding.
  static std::string withoutEncoding(const std::string& data) {
    size_t k = data.find("encoding");
    if (k == std::string::npos) return data;
    size_t q = data.find_first_of("\"'", k);
    if (q == std::string::npos) return data;
    size_t e = data.find(data[q], q + 1);
    if (e == std::string::npos) return data;
    size_t from = k;
    while (from > 0 && isXmlSpace(data[from - 1])) --from;
    return data.substr(0, from) + data.substr(e + 1);
  }
};

std::string serialize(xmlNodePtr n) {
  Writer w;
  w.node(n);
  return w.out;
}

// The value of a pseudo-attribute in an XML declaration's data.
std::string pseudoAttr(const std::string& data, const char* name) {
  size_t k = data.find(name);
  if (k == std::string::npos) return {};
  size_t q = data.find_first_of("\"'", k);
  if (q == std::string::npos) return {};
  size_t e = data.find(data[q], q + 1);
  return e == std::string::npos ? std::string() : data.substr(q + 1, e - q - 1);
}

// --- objects ---

class DomDocObj;

class NodeObj : public Object {
 public:
  NodeObj(HolderPtr h, Object* owner, xmlNodePtr n) : h_(std::move(h)), owner_(owner), n_(n) {
    if (n_) n_->_private = this;
  }

  int32_t getIdOfName(u16v name) override;
  Variant invoke(int32_t id, InvokeKind kind, Args args) override;
  u16 typeName() const override;

  virtual xmlNodePtr node() const { return n_; }
  const HolderPtr& holder() const { return h_; }
  DomDocObj* document();

  // The one object for a node of this document.
  Variant wrap(xmlNodePtr n);
  [[noreturn]] void fail(u16v text) const;
  [[noreturn]] void wrongType() const;

 protected:
  void destroy() override {
    if (n_ && n_->_private == this) n_->_private = nullptr;
    if (n_) h_->noteWork(1);
    delete this;
  }

  HolderPtr h_;
  Ref<Object> owner_;  // the DOMDocument; empty in the document itself
  xmlNodePtr n_;

  Variant nodeMember(int32_t id, InvokeKind kind, Args args);
  NodeObj* nodeArg(const Variant& v, bool allowNothing) const;

  Variant text() const;
  void setText(u16v value);
  Variant nodeValue() const;
  void setNodeValue(u16v value);
  Variant insert(NodeObj* child, xmlNodePtr before);
  Variant removeChild(NodeObj* child);
  Variant select(u16v expr, bool single);
  Variant elementsByTagName(u16v name);
  Variant attributeMember(int32_t id, InvokeKind kind, Args args);
  xmlAttrPtr findAttr(const std::string& name) const;
  Variant cloneNode(bool deep);
  u16 dataType() const;
  Variant typedValue(InvokeKind kind, Args args);
};

// Member ids shared by all nodes; the document adds its own from 100.
enum : int32_t {
  kNodeName = 1, kNodeValue, kNodeType, kParentNode, kChildNodes, kFirstChild, kLastChild,
  kPreviousSibling, kNextSibling, kAttributes, kInsertBefore, kReplaceChild, kRemoveChild,
  kAppendChild, kHasChildNodes, kOwnerDocument, kCloneNode, kNodeTypeString, kText, kXml,
  kSelectNodes, kSelectSingleNode, kBaseName, kPrefix, kNamespaceURI, kTagName, kGetAttribute,
  kSetAttribute, kRemoveAttribute, kGetAttributeNode, kSetAttributeNode, kRemoveAttributeNode,
  kGetElementsByTagName, kName, kValue, kData, kTarget, kLength, kSpecified, kNormalize,
  kParsed, kDataType, kNodeTypedValue,
};

int32_t nodeMemberId(u16v name) {
  return findMember(
      {{u"nodeName", kNodeName}, {u"nodeValue", kNodeValue}, {u"nodeType", kNodeType},
       {u"parentNode", kParentNode}, {u"childNodes", kChildNodes}, {u"firstChild", kFirstChild},
       {u"lastChild", kLastChild}, {u"previousSibling", kPreviousSibling},
       {u"nextSibling", kNextSibling}, {u"attributes", kAttributes}, {u"insertBefore", kInsertBefore},
       {u"replaceChild", kReplaceChild}, {u"removeChild", kRemoveChild}, {u"appendChild", kAppendChild},
       {u"hasChildNodes", kHasChildNodes}, {u"ownerDocument", kOwnerDocument}, {u"cloneNode", kCloneNode},
       {u"nodeTypeString", kNodeTypeString}, {u"text", kText}, {u"xml", kXml},
       {u"selectNodes", kSelectNodes}, {u"selectSingleNode", kSelectSingleNode}, {u"baseName", kBaseName},
       {u"prefix", kPrefix}, {u"namespaceURI", kNamespaceURI}, {u"tagName", kTagName},
       {u"getAttribute", kGetAttribute}, {u"setAttribute", kSetAttribute},
       {u"removeAttribute", kRemoveAttribute}, {u"getAttributeNode", kGetAttributeNode},
       {u"setAttributeNode", kSetAttributeNode}, {u"removeAttributeNode", kRemoveAttributeNode},
       {u"getElementsByTagName", kGetElementsByTagName}, {u"name", kName}, {u"value", kValue},
       {u"data", kData}, {u"target", kTarget}, {u"length", kLength}, {u"specified", kSpecified},
       {u"normalize", kNormalize}, {u"parsed", kParsed}, {u"dataType", kDataType},
       {u"nodeTypedValue", kNodeTypedValue}},
      name);
}

const char16_t* nodeTypeString(xmlElementType t) {
  switch (t) {
    case XML_ELEMENT_NODE: return u"element";
    case XML_ATTRIBUTE_NODE: return u"attribute";
    case XML_TEXT_NODE: return u"text";
    case XML_CDATA_SECTION_NODE: return u"cdatasection";
    case XML_ENTITY_REF_NODE: return u"entityreference";
    case XML_PI_NODE: return u"processinginstruction";
    case XML_COMMENT_NODE: return u"comment";
    case XML_DOCUMENT_NODE: return u"document";
    case XML_DTD_NODE: return u"documenttype";
    case XML_DOCUMENT_FRAG_NODE: return u"documentfragment";
    default: return u"";
  }
}

int32_t domNodeType(xmlElementType t) {
  switch (t) {
    case XML_ELEMENT_NODE: return 1;
    case XML_ATTRIBUTE_NODE: return 2;
    case XML_TEXT_NODE: return 3;
    case XML_CDATA_SECTION_NODE: return 4;
    case XML_ENTITY_REF_NODE: return 5;
    case XML_PI_NODE: return 7;
    case XML_COMMENT_NODE: return 8;
    case XML_DOCUMENT_NODE: return 9;
    case XML_DTD_NODE: return 10;
    case XML_DOCUMENT_FRAG_NODE: return 11;
    default: return 0;
  }
}

// Character data: the node kinds whose value is their text.
bool isCharData(xmlElementType t) {
  return t == XML_TEXT_NODE || t == XML_CDATA_SECTION_NODE || t == XML_COMMENT_NODE || t == XML_PI_NODE;
}

// --- node lists ---

class NodeListObj : public Object {
 public:
  enum Kind { Snapshot, Children, Attributes };

  // A live list of the children or attributes of a node.
  NodeListObj(Kind kind, NodeObj* parent) : kind_(kind), parent_(parent) {}
  // A fixed list (selectNodes, getElementsByTagName).
  NodeListObj(std::vector<Variant> items, bool selection)
      : kind_(Snapshot), selection_(selection), items_(std::move(items)) {}

  int32_t getIdOfName(u16v name) override {
    int32_t id = findMember({{u"item", 0}, {u"length", 1}, {u"nextNode", 2}, {u"reset", 3}}, name);
    if (id == DISPID_UNKNOWN && kind_ == Attributes)
      id = findMember({{u"getNamedItem", 4}, {u"setNamedItem", 5}, {u"removeNamedItem", 6}}, name);
    return id;
  }

  Variant invoke(int32_t id, InvokeKind kind, Args args) override {
    switch (id) {
      case 0: {
        expectCall(kind, args, 1, 1);
        int32_t i = toLong(args[0]);
        return at(i);
      }
      case 1: expectCall(kind, args, 0, 0); return Variant::lng(static_cast<int32_t>(count()));
      case 2: expectCall(kind, args, 0, 0); return at(cursor_++);
      case 3: expectCall(kind, args, 0, 0); cursor_ = 0; return Variant();
      case 4:
      case 6: {
        expectCall(kind, args, 1, 1);
        Args inner{const_cast<Variant*>(&args[0]), 1};
        Variant attr = parent_->invoke(kGetAttributeNode, InvokeKind::Method, inner);
        if (id == 4 || !attr.o) return attr;
        return parent_->invoke(kRemoveAttributeNode, InvokeKind::Method, Args{&attr, 1});
      }
      case 5: {
        expectCall(kind, args, 1, 1);
        Args inner{const_cast<Variant*>(&args[0]), 1};
        return parent_->invoke(kSetAttributeNode, InvokeKind::Method, inner);
      }
    }
    raise(438);
  }

  u16 typeName() const override {
    if (kind_ == Attributes) return u"IXMLDOMNamedNodeMap";
    return selection_ ? u"IXMLDOMSelection" : u"IXMLDOMNodeList";
  }

  Enumerator* newEnum() override {
    if (kind_ == Snapshot) return new objimpl::ListEnum(items_);
    refresh();
    std::vector<Variant> all;
    for (xmlNodePtr n : live_) all.push_back(parent_->wrap(n));
    return new objimpl::ListEnum(std::move(all));
  }

 private:
  Kind kind_;
  bool selection_ = false;
  Ref<NodeObj> parent_;
  std::vector<Variant> items_;
  std::vector<xmlNodePtr> live_;
  uint64_t liveGen_ = ~uint64_t(0);
  int32_t cursor_ = 0;

  void refresh() {
    if (kind_ == Snapshot || liveGen_ == structureGen) return;
    live_.clear();
    xmlNodePtr p = parent_->node();
    if (kind_ == Attributes) {
      for (xmlAttrPtr a = p->properties; a; a = a->next) live_.push_back(reinterpret_cast<xmlNodePtr>(a));
    } else if (hasDomChildren(p)) {
      for (xmlNodePtr c = p->children; c; c = c->next) live_.push_back(c);
    }
    liveGen_ = structureGen;
  }

  size_t count() {
    refresh();
    return kind_ == Snapshot ? items_.size() : live_.size();
  }

  // Outside the list is Nothing, not an error, as in MSXML.
  Variant at(int32_t i) {
    if (i < 0 || static_cast<size_t>(i) >= count()) return Variant::object(nullptr);
    if (kind_ == Snapshot) return items_[i];
    return parent_->wrap(live_[i]);
  }
};

// --- parse errors ---

struct ParseInfo {
  int32_t code = 0;
  u16 reason, srcText, url;
  int32_t line = 0, linepos = 0, filepos = 0;
};

class ParseErrorObj : public Object {
 public:
  explicit ParseErrorObj(ParseInfo info) : p_(std::move(info)) {}
  int32_t getIdOfName(u16v name) override {
    return findMember({{u"errorCode", 0}, {u"url", 1}, {u"reason", 2}, {u"srcText", 3}, {u"line", 4},
                       {u"linepos", 5}, {u"filepos", 6}},
                      name);
  }
  Variant invoke(int32_t id, InvokeKind kind, Args args) override {
    if (id < 0 || id > 6) raise(438);
    expectCall(kind, args, 0, 0);
    switch (id) {
      case 0: return Variant::lng(p_.code);
      case 1: return Variant::str(p_.url);
      case 2: return Variant::str(p_.reason);
      case 3: return Variant::str(p_.srcText);
      case 4: return Variant::lng(p_.line);
      case 5: return Variant::lng(p_.linepos);
      default: return Variant::lng(p_.filepos);
    }
  }
  u16 typeName() const override { return u"IXMLDOMParseError"; }

 private:
  ParseInfo p_;
};

// --- the document ---

class DomDocObj : public NodeObj {
 public:
  DomDocObj(bool v6, bool safe) : NodeObj(newHolder(), nullptr, nullptr), v6_(v6), safe_(safe) {
    selectionLanguage_ = v6 ? u"XPath" : u"XSLPattern";
  }

  xmlNodePtr node() const override { return reinterpret_cast<xmlNodePtr>(h_->doc); }
  u16 typeName() const override { return v6_ ? u"DOMDocument60" : u"DOMDocument"; }
  bool safeForScripting() const override { return true; }

  int32_t getIdOfName(u16v name) override {
    int32_t id = findMember(
        {{u"documentElement", 100}, {u"createElement", 101}, {u"createTextNode", 102},
         {u"createAttribute", 103}, {u"createProcessingInstruction", 104}, {u"createComment", 105},
         {u"createCDATASection", 106}, {u"createNode", 107}, {u"createDocumentFragment", 108},
         {u"load", 109}, {u"loadXML", 110}, {u"save", 111}, {u"parseError", 112}, {u"async", 113},
         {u"readyState", 114}, {u"preserveWhiteSpace", 115}, {u"validateOnParse", 116},
         {u"resolveExternals", 117}, {u"setProperty", 118}, {u"getProperty", 119}, {u"url", 120},
         {u"doctype", 121}, {u"abort", 122}, {u"importNode", 123}},
        name);
    return id != DISPID_UNKNOWN ? id : NodeObj::getIdOfName(name);
  }

  Variant invoke(int32_t id, InvokeKind kind, Args args) override;

  u16 source() const { return v6_ ? u"msxml6.dll" : u"msxml3.dll"; }
  bool version6() const { return v6_; }
  bool safeMode() const { return safe_; }
  bool preserveWhiteSpace() const { return preserveWs_; }
  const std::vector<std::pair<std::string, std::string>>& selectionNs() const { return selectionNs_; }

  bool loadText(u16v text);
  bool loadBytes(std::string_view bytes, const std::string& url);

 private:
  bool v6_, safe_;
  bool async_ = true, preserveWs_ = false, validate_ = true, resolveExternals_ = false;
  u16 selectionLanguage_;
  u16 selectionNsText_;
  std::vector<std::pair<std::string, std::string>> selectionNs_;  // prefix, uri
  ParseInfo parse_;
  u16 url_;

  static HolderPtr newHolder() {
    prepareLibxml();
    xmlDocPtr d = xmlNewDoc(BAD_CAST "1.0");
    if (!d) raise(7);
    return std::make_shared<Holder>(d);
  }

  void replaceDocument(xmlDocPtr d) {
    h_ = std::make_shared<Holder>(d);  // nodes of the old tree keep theirs
  }

  bool parse(const char* data, size_t size, const char* encoding, const std::string& url, u16v sourceText,
             const std::string& decl);
  void stripWhitespace(xmlNodePtr n);
  Variant create(int type, u16v name, u16v uri);
  Variant save(Args args);
  void setProperty(u16v name, const Variant& value);
};

DomDocObj* NodeObj::document() {
  return owner_ ? static_cast<DomDocObj*>(owner_.get()) : static_cast<DomDocObj*>(this);
}

Variant NodeObj::wrap(xmlNodePtr n) {
  if (!n) return Variant::object(nullptr);
  if (n->type == XML_DOCUMENT_NODE) return Variant::object(document());
  auto* w = static_cast<NodeObj*>(n->_private);
  if (w && w->refCount() > 0) return Variant::object(w);
  return Variant::object(new NodeObj(h_, document(), n));  // a dying object leaves the slot to us
}

u16 NodeObj::typeName() const {
  switch (node()->type) {
    case XML_ELEMENT_NODE: return u"IXMLDOMElement";
    case XML_ATTRIBUTE_NODE: return u"IXMLDOMAttribute";
    case XML_TEXT_NODE: return u"IXMLDOMText";
    case XML_CDATA_SECTION_NODE: return u"IXMLDOMCDATASection";
    case XML_ENTITY_REF_NODE: return u"IXMLDOMEntityReference";
    case XML_PI_NODE: return u"IXMLDOMProcessingInstruction";
    case XML_COMMENT_NODE: return u"IXMLDOMComment";
    case XML_DTD_NODE: return u"IXMLDOMDocumentType";
    case XML_DOCUMENT_FRAG_NODE: return u"IXMLDOMDocumentFragment";
    default: return u"IXMLDOMNode";
  }
}

int32_t NodeObj::getIdOfName(u16v name) { return nodeMemberId(name); }

void NodeObj::fail(u16v text) const {
  raise(kFail, const_cast<NodeObj*>(this)->document()->source(), text);
}

void NodeObj::wrongType() const {
  u16 t = nodeTypeString(node()->type);
  fail(u"This operation can not be performed with a Node of type " + toUpperCopy(t) + u".");
}

NodeObj* NodeObj::nodeArg(const Variant& v, bool allowNothing) const {
  const Variant& d = v.deref();
  if (allowNothing && (d.isEmpty() || d.isNull() || d.isMissing() || (d.isObject() && !d.o))) return nullptr;
  if (!d.isObject()) raise(13);
  if (!d.o) raise(91);
  auto* n = dynamic_cast<NodeObj*>(d.o);
  if (!n) raise(13);
  return n;
}

Variant NodeObj::invoke(int32_t id, InvokeKind kind, Args args) { return nodeMember(id, kind, args); }

Variant NodeObj::nodeMember(int32_t id, InvokeKind kind, Args args) {
  xmlNodePtr n = node();
  xmlElementType t = n->type;
  bool element = t == XML_ELEMENT_NODE;
  switch (id) {
    case kNodeName:
    case kTagName:
    case kName:
    case kTarget:
      expectCall(kind, args, 0, 0);
      if ((id == kTagName && !element) || (id == kName && t != XML_ATTRIBUTE_NODE && t != XML_DTD_NODE) ||
          (id == kTarget && t != XML_PI_NODE))
        raise(438);
      switch (t) {
        case XML_TEXT_NODE: return Variant::str(u"#text");
        case XML_CDATA_SECTION_NODE: return Variant::str(u"#cdata-section");
        case XML_COMMENT_NODE: return Variant::str(u"#comment");
        case XML_DOCUMENT_NODE: return Variant::str(u"#document");
        case XML_DOCUMENT_FRAG_NODE: return Variant::str(u"#document-fragment");
        default: return Variant::str(fromUtf8(qname(n)));
      }
    case kNodeValue:
    case kValue:
    case kData:
      if (id == kValue && t != XML_ATTRIBUTE_NODE) raise(438);
      if (id == kData && !isCharData(t)) raise(438);
      expectProp(kind, args);
      if (!isPut(kind)) return nodeValue();
      setNodeValue(toText(args[0]));
      return Variant();
    case kNodeType: expectCall(kind, args, 0, 0); return Variant::lng(domNodeType(t));
    case kNodeTypeString: expectCall(kind, args, 0, 0); return Variant::str(nodeTypeString(t));
    case kParentNode:
      expectCall(kind, args, 0, 0);
      return t == XML_ATTRIBUTE_NODE ? Variant::object(nullptr) : wrap(n->parent);
    case kChildNodes: return objimpl::objectProp(kind, args, new NodeListObj(NodeListObj::Children, this));
    case kFirstChild:
    case kLastChild:
      expectCall(kind, args, 0, 0);
      if (!hasDomChildren(n)) return Variant::object(nullptr);
      return wrap(id == kFirstChild ? n->children : n->last);
    case kPreviousSibling:
    case kNextSibling:
      expectCall(kind, args, 0, 0);
      if (t == XML_ATTRIBUTE_NODE || !n->parent) return Variant::object(nullptr);
      return wrap(id == kPreviousSibling ? n->prev : n->next);
    case kAttributes:
      if (!element) {
        expectCall(kind, args, 0, 0);
        return Variant::object(nullptr);
      }
      return objimpl::objectProp(kind, args, new NodeListObj(NodeListObj::Attributes, this));
    case kHasChildNodes:
      expectCall(kind, args, 0, 0);
      return Variant::boolean(hasDomChildren(n) && n->children);
    case kOwnerDocument:
      expectCall(kind, args, 0, 0);
      return t == XML_DOCUMENT_NODE ? Variant::object(nullptr) : Variant::object(document());
    case kAppendChild:
      expectCall(kind, args, 1, 1);
      return insert(nodeArg(args[0], false), nullptr);
    case kInsertBefore: {
      expectCall(kind, args, 1, 2);
      NodeObj* child = nodeArg(args[0], false);
      NodeObj* ref = args.missing(1) ? nullptr : nodeArg(args[1], true);
      if (ref && ref->node()->parent != n) fail(u"Insert position Node must be a Child of the Node to insert under.");
      return insert(child, ref ? ref->node() : nullptr);
    }
    case kReplaceChild: {
      expectCall(kind, args, 2, 2);
      NodeObj* child = nodeArg(args[0], false);
      NodeObj* old = nodeArg(args[1], false);
      if (old->node()->parent != n || old->node()->type == XML_ATTRIBUTE_NODE)
        fail(u"The parameter Node is not a child of this Node.");
      Variant keep = Variant::object(old);
      if (child == old) return keep;
      insert(child, old->node());
      return removeChild(old);
    }
    case kRemoveChild:
      expectCall(kind, args, 1, 1);
      return removeChild(nodeArg(args[0], false));
    case kCloneNode:
      expectCall(kind, args, 1, 1);
      return cloneNode(toBool(args[0]));
    case kText:
      expectProp(kind, args);
      if (!isPut(kind)) return text();
      setText(toText(args[0]));
      return Variant();
    case kXml: expectCall(kind, args, 0, 0); return Variant::str(fromUtf8(serialize(n)));
    case kSelectNodes:
    case kSelectSingleNode:
      expectCall(kind, args, 1, 1);
      return select(toString(args[0]), id == kSelectSingleNode);
    case kBaseName:
      expectCall(kind, args, 0, 0);
      if (t == XML_ELEMENT_NODE || t == XML_ATTRIBUTE_NODE || t == XML_PI_NODE) {
        std::string name = str8(n->name);
        if (!n->ns) name = name.substr(name.find(':') + 1);  // "p:x" made without a namespace
        return Variant::str(fromUtf8(name));
      }
      return Variant::str(u"");
    case kPrefix:
    case kNamespaceURI: {
      expectCall(kind, args, 0, 0);
      xmlNsPtr ns = element || t == XML_ATTRIBUTE_NODE ? n->ns : nullptr;
      if (!ns) return Variant::str(u"");
      return Variant::str(str16(id == kPrefix ? ns->prefix : ns->href));
    }
    case kGetAttribute:
    case kSetAttribute:
    case kRemoveAttribute:
    case kGetAttributeNode:
    case kSetAttributeNode:
    case kRemoveAttributeNode:
      if (!element) raise(438);
      return attributeMember(id, kind, args);
    case kGetElementsByTagName:
      expectCall(kind, args, 1, 1);
      if (!element && t != XML_DOCUMENT_NODE) raise(438);
      return elementsByTagName(toString(args[0]));
    case kLength:
      expectCall(kind, args, 0, 0);
      if (!isCharData(t)) raise(438);
      return Variant::lng(static_cast<int32_t>(fromUtf8(str8(n->content)).size()));
    case kSpecified:
    case kParsed:
      expectCall(kind, args, 0, 0);
      return Variant::boolean(true);
    case kDataType: {
      expectProp(kind, args);
      if (!isPut(kind)) {
        u16 dt = element ? dataType() : u16();
        return dt.empty() ? Variant::null() : Variant::str(dt);
      }
      if (!element) wrongType();
      u16 dt = toLowerCopy(toString(args[0]));
      static const char16_t* const kTypes[] = {
          u"bin.base64", u"bin.hex", u"boolean", u"char", u"date", u"datetime", u"fixed.14.4", u"float",
          u"i1", u"i2", u"i4", u"i8", u"int", u"number", u"r4", u"r8", u"string", u"ui1", u"ui2",
          u"ui4", u"ui8", u"uri", u"uuid"};
      bool known = false;
      for (const char16_t* k : kTypes) known |= dt == k;
      if (!known) fail(u"Parameter is incorrect.");
      xmlNsPtr ns = xmlSearchNsByHref(n->doc, n, BAD_CAST kDatatypesNs);
      if (!ns) ns = xmlNewNs(n, BAD_CAST kDatatypesNs, BAD_CAST "dt");
      if (!ns) raise(7);
      if (dt == u"string") {  // the default: no mark
        if (xmlAttrPtr a = xmlHasNsProp(n, BAD_CAST "dt", BAD_CAST kDatatypesNs)) {
          h_->detach(reinterpret_cast<xmlNodePtr>(a));
          h_->maybeFree(reinterpret_cast<xmlNodePtr>(a));
        }
        return Variant();
      }
      if (!xmlSetNsProp(n, ns, BAD_CAST "dt", X(toUtf8(dt)))) raise(7);
      return Variant();
    }
    case kNodeTypedValue: return typedValue(kind, args);
    case kNormalize: {
      expectCall(kind, args, 0, 0);
      if (!element) raise(438);
      // Adjacent text nodes become one; empty ones go.
      std::vector<xmlNodePtr> todo{n};
      while (!todo.empty()) {
        xmlNodePtr p = todo.back();
        todo.pop_back();
        for (xmlNodePtr c = p->children; c;) {
          xmlNodePtr next = c->next;
          if (c->type == XML_ELEMENT_NODE) {
            todo.push_back(c);
          } else if (c->type == XML_TEXT_NODE) {
            while (next && next->type == XML_TEXT_NODE) {
              xmlNodeAddContent(c, next->content);
              xmlNodePtr gone = next;
              next = next->next;
              h_->detach(gone);
              h_->maybeFree(gone);
            }
            if (!c->content || !*c->content) {
              h_->detach(c);
              h_->maybeFree(c);
            }
          }
          c = next;
        }
      }
      return Variant();
    }
  }
  raise(438);
}

Variant NodeObj::nodeValue() const {
  xmlNodePtr n = node();
  if (isCharData(n->type)) return Variant::str(str16(n->content));
  if (n->type == XML_ATTRIBUTE_NODE) return Variant::str(fromUtf8(contentOf(n)));
  return Variant::null();
}

void setAttrValue(xmlAttrPtr a, const std::string& value) {
  if (a->children) xmlFreeNodeList(a->children);
  a->children = a->last = nullptr;
  xmlNodePtr t = xmlNewDocText(a->doc, X(value));  // taken as it is: no entity parsing
  if (!t) raise(7);
  t->parent = reinterpret_cast<xmlNodePtr>(a);
  a->children = a->last = t;
}

void NodeObj::setNodeValue(u16v value) {
  xmlNodePtr n = node();
  if (isCharData(n->type)) xmlNodeSetContent(n, X(toUtf8(value)));
  else if (n->type == XML_ATTRIBUTE_NODE) setAttrValue(reinterpret_cast<xmlAttrPtr>(n), toUtf8(value));
  else wrongType();
}

Variant NodeObj::text() const {
  xmlNodePtr n = node();
  if (isCharData(n->type)) return Variant::str(str16(n->content));
  std::string s;
  if (n->type == XML_ATTRIBUTE_NODE || n->type == XML_ENTITY_REF_NODE) {
    s = contentOf(n);
  } else if (hasDomChildren(n)) {
    // Text and CDATA of all descendants; comments and instructions are not text.
    std::vector<xmlNodePtr> todo;
    for (xmlNodePtr c = n->last; c; c = c->prev) todo.push_back(c);
    while (!todo.empty()) {
      xmlNodePtr c = todo.back();
      todo.pop_back();
      if (c->type == XML_TEXT_NODE || c->type == XML_CDATA_SECTION_NODE) s += str8(c->content);
      else if (c->type == XML_ENTITY_REF_NODE) s += contentOf(c);
      else if (c->type == XML_ELEMENT_NODE)
        for (xmlNodePtr k = c->last; k; k = k->prev) todo.push_back(k);
    }
    DomDocObj* d = const_cast<NodeObj*>(this)->document();
    if (!d->preserveWhiteSpace()) s = trimmed(s);
  }
  return Variant::str(fromUtf8(s));
}

void NodeObj::setText(u16v value) {
  xmlNodePtr n = node();
  if (n->type == XML_ELEMENT_NODE || n->type == XML_DOCUMENT_FRAG_NODE) {
    while (xmlNodePtr c = n->children) {
      h_->detach(c);
      h_->maybeFree(c);
    }
    if (value.empty()) return;
    xmlNodePtr t = xmlNewDocText(h_->doc, X(toUtf8(value)));
    if (!t) raise(7);
    h_->link(n, t, nullptr);
  } else if (n->type == XML_DOCUMENT_NODE || n->type == XML_DTD_NODE || n->type == XML_ENTITY_REF_NODE) {
    wrongType();
  } else {
    setNodeValue(value);
  }
}

Variant NodeObj::insert(NodeObj* child, xmlNodePtr before) {
  xmlNodePtr n = node();
  Variant keep = Variant::object(child);
  if (!hasDomChildren(n)) wrongType();
  if (child->holder() != h_) fail(u"Insert of a node from a different document is not allowed.");
  xmlNodePtr c = child->node();
  switch (c->type) {
    case XML_ATTRIBUTE_NODE:
    case XML_DOCUMENT_NODE:
    case XML_DTD_NODE: child->wrongType();
    default: break;
  }
  for (xmlNodePtr up = n; up && (c->children || up == c); up = up->parent)  // a leaf is nobody's ancestor
    if (up == c) fail(u"This operation can not be performed with a Node that is an ancestor of the target Node.");
  if (n->type == XML_DOCUMENT_NODE) {
    auto checkTop = [&](xmlNodePtr k) {
      if (k->type == XML_TEXT_NODE || k->type == XML_CDATA_SECTION_NODE || k->type == XML_ENTITY_REF_NODE)
        fail(u"This operation can not be performed with a Node of type " + toUpperCopy(nodeTypeString(k->type)) +
             u".");
      if (k->type == XML_ELEMENT_NODE) {
        xmlNodePtr root = xmlDocGetRootElement(h_->doc);
        if (root && root != c) fail(u"Only one top level element is allowed in an XML document.");
      }
    };
    if (c->type == XML_DOCUMENT_FRAG_NODE) {
      for (xmlNodePtr k = c->children; k; k = k->next) checkTop(k);
    } else {
      checkTop(c);
    }
  }
  if (c == before) return keep;
  if (c->type == XML_DOCUMENT_FRAG_NODE) {
    // The fragment's children move; the fragment stays, empty.
    while (xmlNodePtr k = c->children) {
      h_->detach(k);
      h_->link(n, k, before);
    }
    return keep;
  }
  h_->detach(c);
  h_->link(n, c, before);
  return keep;
}

Variant NodeObj::removeChild(NodeObj* child) {
  xmlNodePtr c = child->node();
  if (c->parent != node() || c->type == XML_ATTRIBUTE_NODE) fail(u"The parameter Node is not a child of this Node.");
  if (c->type == XML_DTD_NODE) child->wrongType();  // entity references in the tree point into it
  Variant keep = Variant::object(child);
  h_->detach(c);
  return keep;
}

void clearPrivate(xmlNodePtr root) {
  std::vector<xmlNodePtr> todo{root};
  while (!todo.empty()) {
    xmlNodePtr n = todo.back();
    todo.pop_back();
    n->_private = nullptr;
    if (n->type == XML_ELEMENT_NODE)
      for (xmlAttrPtr a = n->properties; a; a = a->next) todo.push_back(reinterpret_cast<xmlNodePtr>(a));
    if (n->type != XML_ENTITY_REF_NODE)
      for (xmlNodePtr c = n->children; c; c = c->next) todo.push_back(c);
  }
}

Variant NodeObj::cloneNode(bool deep) {
  xmlNodePtr n = node();
  if (n->type == XML_DOCUMENT_NODE) {
    DomDocObj* d = document();
    xmlDocPtr copy = xmlCopyDoc(h_->doc, deep ? 1 : 0);
    if (!copy) raise(7);
    clearPrivate(reinterpret_cast<xmlNodePtr>(copy));
    auto* made = new DomDocObj(d->version6(), d->safeMode());  // a clone stays as restricted
    Variant v = Variant::object(made);
    static_cast<NodeObj*>(made)->h_ = std::make_shared<Holder>(copy);
    return v;
  }
  if (n->type == XML_DTD_NODE) wrongType();
  xmlNodePtr copy = xmlDocCopyNode(n, h_->doc, deep ? 1 : 2);
  if (!copy) raise(7);
  clearPrivate(copy);
  h_->adopt(copy, h_->localizeNs(copy));
  return wrap(copy);
}

u16 NodeObj::dataType() const {
  xmlAttrPtr a = xmlHasNsProp(node(), BAD_CAST "dt", BAD_CAST kDatatypesNs);
  return a ? toLowerCopy(fromUtf8(contentOf(reinterpret_cast<xmlNodePtr>(a)))) : u16();
}

const char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// nodeTypedValue: the text read as the node's dataType; binary types give
// and take Byte arrays, as scripts use them to encode and decode base64.
Variant NodeObj::typedValue(InvokeKind kind, Args args) {
  expectProp(kind, args);
  u16 dt = node()->type == XML_ELEMENT_NODE ? dataType() : u16();
  if (!isPut(kind)) {
    std::string t = contentOf(node());
    if (dt == u"bin.base64" || dt == u"bin.hex") {
      std::vector<Variant> bytes;
      if (dt == u"bin.hex") {
        std::string digits;
        for (char c : t)
          if (!isXmlSpace(c)) digits += c;
        if (digits.size() % 2) fail(u"Error parsing '" + fromUtf8(t) + u"' as bin.hex datatype.");
        for (size_t i = 0; i < digits.size(); i += 2) {
          int v = 0;
          for (char c : digits.substr(i, 2)) {
            int d = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
            if (d < 0) fail(u"Error parsing '" + fromUtf8(t) + u"' as bin.hex datatype.");
            v = v * 16 + d;
          }
          bytes.push_back(Variant::byteVal(static_cast<uint8_t>(v)));
        }
      } else {
        uint32_t acc = 0;
        int bits = 0;
        bool ended = false;
        for (char c : t) {
          if (isXmlSpace(c)) continue;
          if (c == '=') {
            ended = true;
            continue;
          }
          const char* p = ended || c == 0 ? nullptr : std::strchr(kBase64, c);
          if (!p) fail(u"Error parsing '" + fromUtf8(t) + u"' as bin.base64 datatype.");
          acc = (acc << 6) | static_cast<uint32_t>(p - kBase64);
          bits += 6;
          if (bits >= 8) {
            bits -= 8;
            bytes.push_back(Variant::byteVal(static_cast<uint8_t>(acc >> bits)));
          }
        }
      }
      return objimpl::makeArray(std::move(bytes));
    }
    if (dt == u"boolean") return Variant::boolean(trimmed(t) == "1" || trimmed(t) == "true");
    if (dt == u"int" || dt == u"i4" || dt == u"i2" || dt == u"i1" || dt == u"ui1" || dt == u"ui2")
      return Variant::lng(toLong(Variant::str(fromUtf8(trimmed(t)))));
    if (dt == u"number" || dt == u"r8" || dt == u"r4" || dt == u"float" || dt == u"i8" || dt == u"ui4" || dt == u"ui8")
      return Variant::dbl(toDouble(Variant::str(fromUtf8(trimmed(t)))));
    return text();
  }
  const Variant& v = args[0];
  if (dt == u"bin.base64" || dt == u"bin.hex") {
    if (!v.isArray()) raise(13);
    std::string bytes;
    for (const Variant& b : v.a->data) bytes += static_cast<char>(toByte(b));
    std::string out;
    if (dt == u"bin.hex") {
      static const char kHex[] = "0123456789abcdef";
      for (unsigned char c : bytes) {
        out += kHex[c >> 4];
        out += kHex[c & 15];
      }
    } else {
      size_t line = 0;
      for (size_t i = 0; i < bytes.size(); i += 3) {
        uint32_t chunk = static_cast<unsigned char>(bytes[i]) << 16;
        if (i + 1 < bytes.size()) chunk |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        if (i + 2 < bytes.size()) chunk |= static_cast<unsigned char>(bytes[i + 2]);
        if (line == 72) {  // MSXML breaks its base64 into lines of 72
          out += '\n';
          line = 0;
        }
        out += kBase64[(chunk >> 18) & 63];
        out += kBase64[(chunk >> 12) & 63];
        out += i + 1 < bytes.size() ? kBase64[(chunk >> 6) & 63] : '=';
        out += i + 2 < bytes.size() ? kBase64[chunk & 63] : '=';
        line += 4;
      }
    }
    setText(fromUtf8(out));
    return Variant();
  }
  if (dt == u"boolean") {
    setText(toBool(v) ? u"1" : u"0");
    return Variant();
  }
  setText(toText(v));
  return Variant();
}

xmlAttrPtr NodeObj::findAttr(const std::string& name) const {
  for (xmlAttrPtr a = node()->properties; a; a = a->next)
    if (qname(reinterpret_cast<xmlNodePtr>(a)) == name) return a;
  return nullptr;
}

Variant NodeObj::attributeMember(int32_t id, InvokeKind kind, Args args) {
  xmlNodePtr n = node();
  switch (id) {
    case kGetAttribute: {
      expectCall(kind, args, 1, 1);
      std::string name = toUtf8(toString(args[0]));
      if (xmlAttrPtr a = findAttr(name)) return Variant::str(fromUtf8(contentOf(reinterpret_cast<xmlNodePtr>(a))));
      // Namespace declarations are attributes to the DOM.
      if (name == "xmlns" || name.rfind("xmlns:", 0) == 0) {
        std::string prefix = name.size() > 6 ? name.substr(6) : "";
        for (xmlNsPtr d = n->nsDef; d; d = d->next)
          if (str8(d->prefix) == prefix) return Variant::str(str16(d->href));
      }
      return Variant::null();
    }
    case kSetAttribute: {
      expectCall(kind, args, 2, 2);
      std::string name = toUtf8(toString(args[0]));
      std::string value = toUtf8(toText(args[1]));
      if (name.empty() || xmlValidateQName(X(name), 0) != 0) fail(u"The name is not valid.");
      if (name == "xmlns" || name.rfind("xmlns:", 0) == 0) {
        std::string prefix = name.size() > 6 ? name.substr(6) : "";
        for (xmlNsPtr d = n->nsDef; d; d = d->next)
          if (str8(d->prefix) == prefix) {
            if (str8(d->href) != value) fail(u"The namespace declaration cannot be changed.");
            return Variant();
          }
        if (!xmlNewNs(n, X(value), prefix.empty() ? nullptr : X(prefix))) raise(7);
        return Variant();
      }
      if (xmlAttrPtr a = findAttr(name)) {
        setAttrValue(a, value);
        return Variant();
      }
      xmlAttrPtr a = xmlNewDocProp(h_->doc, X(name), nullptr);
      if (!a) raise(7);
      setAttrValue(a, value);
      h_->linkAttr(n, a);
      return Variant();
    }
    case kRemoveAttribute: {
      expectCall(kind, args, 1, 1);
      if (xmlAttrPtr a = findAttr(toUtf8(toString(args[0])))) {
        xmlNodePtr an = reinterpret_cast<xmlNodePtr>(a);
        h_->detach(an);
        h_->maybeFree(an);
      }
      return Variant();
    }
    case kGetAttributeNode: {
      expectCall(kind, args, 1, 1);
      xmlAttrPtr a = findAttr(toUtf8(toString(args[0])));
      return a ? wrap(reinterpret_cast<xmlNodePtr>(a)) : Variant::object(nullptr);
    }
    case kSetAttributeNode: {
      expectCall(kind, args, 1, 1);
      NodeObj* attr = nodeArg(args[0], false);
      xmlNodePtr an = attr->node();
      if (an->type != XML_ATTRIBUTE_NODE) attr->wrongType();
      if (attr->holder() != h_) fail(u"Insert of a node from a different document is not allowed.");
      if (an->parent == n) return Variant::object(nullptr);
      if (an->parent) fail(u"The Attribute node cannot be inserted because it is already an attribute of another element.");
      Variant keep = Variant::object(attr);
      Variant old = Variant::object(nullptr);
      if (xmlAttrPtr a = findAttr(qname(an))) {
        old = wrap(reinterpret_cast<xmlNodePtr>(a));
        h_->detach(reinterpret_cast<xmlNodePtr>(a));
      }
      h_->linkAttr(n, reinterpret_cast<xmlAttrPtr>(an));
      return old;
    }
    case kRemoveAttributeNode: {
      expectCall(kind, args, 1, 1);
      NodeObj* attr = nodeArg(args[0], false);
      if (attr->node()->type != XML_ATTRIBUTE_NODE || attr->node()->parent != n)
        fail(u"The parameter Node is not a child of this Node.");
      Variant keep = Variant::object(attr);
      h_->detach(attr->node());
      return keep;
    }
  }
  raise(438);
}

Variant NodeObj::elementsByTagName(u16v name) {
  std::string want = toUtf8(name);
  std::vector<Variant> found;
  std::vector<xmlNodePtr> todo;
  xmlNodePtr n = node();
  for (xmlNodePtr c = n->last; c; c = c->prev) todo.push_back(c);
  while (!todo.empty()) {
    xmlNodePtr c = todo.back();
    todo.pop_back();
    if (c->type != XML_ELEMENT_NODE) continue;
    if (want == "*" || qname(c) == want) found.push_back(wrap(c));
    for (xmlNodePtr k = c->last; k; k = k->prev) todo.push_back(k);
  }
  return Variant::object(new NodeListObj(std::move(found), false));
}

struct XPathCtx {
  xmlXPathContextPtr ctx = nullptr;
  xmlXPathObjectPtr result = nullptr;
  ~XPathCtx() {
    if (result) xmlXPathFreeObject(result);
    if (ctx) xmlXPathFreeContext(ctx);
  }
};

Variant NodeObj::select(u16v expr, bool single) {
  prepareLibxml();
  DomDocObj* d = document();
  XPathCtx x;
  x.ctx = xmlXPathNewContext(h_->doc);
  if (!x.ctx) raise(7);
  x.ctx->node = node();
  x.ctx->error = quietStructured;
  for (const auto& [prefix, uri] : d->selectionNs())
    if (!prefix.empty()) xmlXPathRegisterNs(x.ctx, X(prefix), X(uri));
  std::string e = toUtf8(expr);
  x.result = xmlXPathEvalExpression(X(e), x.ctx);
  if (!x.result) {
    // libxml2 records the code but, with its messages silenced, no text.
    int code = x.ctx->lastError.code;
    u16 why = code == XML_XPATH_UNDEF_PREFIX_ERROR     ? u"Reference to undeclared namespace prefix"
              : code == XML_XPATH_UNKNOWN_FUNC_ERROR   ? u"Unknown method"
              : code == XML_XPATH_UNDEF_VARIABLE_ERROR ? u"Reference to undefined variable"
                                                       : u"Invalid XPath expression";
    fail(why + u".\r\n\r\n" + u16(expr));
  }
  if (x.result->type != XPATH_NODESET) fail(u"Expression does not return a DOM node.\r\n\r\n" + u16(expr));
  std::vector<Variant> items;
  if (xmlNodeSetPtr set = x.result->nodesetval) {
    for (int i = 0; i < set->nodeNr; ++i) {
      xmlNodePtr r = set->nodeTab[i];
      if (r->type == XML_NAMESPACE_DECL) continue;  // libxml2's copies, not tree nodes
      if (single) return wrap(r);
      items.push_back(wrap(r));
    }
  }
  if (single) return Variant::object(nullptr);
  return Variant::object(new NodeListObj(std::move(items), true));
}

// --- the document's own members ---

int typeFromName(const Variant& v) {
  if (!v.isString()) return toLong(v);
  static const char16_t* const kNames[] = {u"", u"element", u"attribute", u"text", u"cdatasection",
                                           u"entityreference", u"entity", u"processinginstruction",
                                           u"comment", u"document", u"documenttype",
                                           u"documentfragment"};
  for (int i = 1; i < 12; ++i)
    if (equalsNoCase(kNames[i], v.strView())) return i;
  return 0;
}

Variant DomDocObj::create(int type, u16v name16, u16v uri16) {
  std::string name = toUtf8(name16), uri = toUtf8(uri16);
  xmlDocPtr doc = h_->doc;
  xmlNodePtr made = nullptr;
  auto checkName = [&] {
    if (name.empty() || xmlValidateQName(X(name), 0) != 0)
      raise(kFail, source(), u"This name may not contain the '" + (name16.empty() ? u16(u" ") : u16(name16.substr(0, 1))) +
                                 u"' character:\r\n\r\n" + u16(name16));
  };
  switch (type) {
    case 1: {
      checkName();
      std::string prefix, local = name;
      if (!uri.empty() && name.find(':') != std::string::npos) {
        prefix = name.substr(0, name.find(':'));
        local = name.substr(name.find(':') + 1);
      }
      made = xmlNewDocNode(doc, nullptr, X(uri.empty() ? name : local), nullptr);
      if (made && !uri.empty()) {
        xmlNsPtr ns = xmlNewNs(made, X(uri), prefix.empty() ? nullptr : X(prefix));
        if (!ns) raise(7);
        made->ns = ns;
      }
      break;
    }
    case 2: {
      checkName();
      std::string prefix, local = name;
      if (!uri.empty() && name.find(':') != std::string::npos) {
        prefix = name.substr(0, name.find(':'));
        local = name.substr(name.find(':') + 1);
      }
      xmlAttrPtr a = xmlNewDocProp(doc, X(uri.empty() ? name : local), nullptr);
      if (!a) raise(7);
      if (!uri.empty()) a->ns = h_->ownNs(uri, prefix);
      made = reinterpret_cast<xmlNodePtr>(a);
      break;
    }
    case 3: made = xmlNewDocText(doc, X(name)); break;
    case 4: made = xmlNewCDataBlock(doc, X(name), static_cast<int>(name.size())); break;
    case 8: made = xmlNewDocComment(doc, X(name)); break;
    case 11: made = xmlNewDocFragment(doc); break;
    default: raise(kFail, source(), u"The node type is not supported here.");
  }
  if (!made) raise(7);
  h_->adopt(made);
  return wrap(made);
}

Variant DomDocObj::invoke(int32_t id, InvokeKind kind, Args args) {
  if (id < 100) return nodeMember(id, kind, args);
  switch (id) {
    case 100: {
      if (!isPut(kind)) {
        expectCall(kind, args, 0, 0);
        return wrap(xmlDocGetRootElement(h_->doc));
      }
      if (args.size() != 1) raise(450);
      NodeObj* el = nodeArg(args[0], false);
      if (el->node()->type != XML_ELEMENT_NODE) el->wrongType();
      if (el->holder() != h_) fail(u"Insert of a node from a different document is not allowed.");
      xmlNodePtr old = xmlDocGetRootElement(h_->doc);
      if (old == el->node()) return Variant();
      Variant keep = Variant::object(el);
      if (old) {
        h_->detach(el->node());
        h_->link(node(), el->node(), old);
        h_->detach(old);
        h_->maybeFree(old);
      } else {
        insert(el, nullptr);
      }
      return Variant();
    }
    case 101: expectCall(kind, args, 1, 1); return create(1, toString(args[0]), u"");
    case 102: expectCall(kind, args, 1, 1); return create(3, toText(args[0]), u"");
    case 103: expectCall(kind, args, 1, 1); return create(2, toString(args[0]), u"");
    case 104: {
      expectCall(kind, args, 2, 2);
      std::string target = toUtf8(toString(args[0])), data = toUtf8(toText(args[1]));
      if (target.empty() || xmlValidateNCName(X(target), 0) != 0) fail(u"The name is not valid.");
      xmlNodePtr pi = xmlNewDocPI(h_->doc, X(target), data.empty() ? nullptr : X(data));
      if (!pi) raise(7);
      h_->adopt(pi);
      return wrap(pi);
    }
    case 105: expectCall(kind, args, 1, 1); return create(8, toText(args[0]), u"");
    case 106: expectCall(kind, args, 1, 1); return create(4, toText(args[0]), u"");
    case 107: {
      expectCall(kind, args, 3, 3);
      int type = typeFromName(args[0]);
      if (type == 7) {
        xmlNodePtr pi = xmlNewDocPI(h_->doc, X(toUtf8(toString(args[1]))), nullptr);
        if (!pi) raise(7);
        h_->adopt(pi);
        return wrap(pi);
      }
      return create(type, type == 1 || type == 2 ? toString(args[1]) : u16(), toText(args[2]));
    }
    case 108: expectCall(kind, args, 0, 0); return create(11, u"", u"");
    case 109: {
      expectCall(kind, args, 1, 1);
      if (safe_) raise(70);
      const Variant& src = args[0];
      if (src.isArray()) {  // bytes, such as a download's responseBody
        std::string bytes;
        for (const Variant& b : src.a->data) bytes += static_cast<char>(toByte(b));
        return Variant::boolean(loadBytes(bytes, ""));
      }
      std::string path = toUtf8(toString(src));
      url_ = fromUtf8(path);
      if (path.rfind("file://", 0) == 0) path = path.substr(7);
      std::ifstream in(path, std::ios::binary);
      struct stat st;
      if (!in || ::stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) {
        replaceDocument(xmlNewDoc(BAD_CAST "1.0"));
        parse_ = ParseInfo();
        parse_.code = kNotFound;
        parse_.reason = u"The system cannot locate the object specified.\r\n";
        parse_.url = url_;
        return Variant::boolean(false);
      }
      std::stringstream buf;
      buf << in.rdbuf();
      return Variant::boolean(loadBytes(buf.str(), path));
    }
    case 110:
      expectCall(kind, args, 1, 1);
      url_.clear();
      return Variant::boolean(loadText(toText(args[0])));
    case 111: return save(args);
    case 112: return objimpl::objectProp(kind, args, new ParseErrorObj(parse_));
    case 113:
    case 115:
    case 116:
    case 117: {
      bool* flag = id == 113 ? &async_ : id == 115 ? &preserveWs_ : id == 116 ? &validate_ : &resolveExternals_;
      expectProp(kind, args);
      if (!isPut(kind)) return Variant::boolean(*flag);
      *flag = toBool(args[0]);
      return Variant();
    }
    case 114: expectCall(kind, args, 0, 0); return Variant::lng(4);  // loads finish before they return
    case 118:
      expectCall(kind, args, 2, 2);
      setProperty(toString(args[0]), args[1]);
      return Variant();
    case 119: {
      expectCall(kind, args, 1, 1);
      u16 name = toString(args[0]);
      if (equalsNoCase(name, u"SelectionLanguage")) return Variant::str(selectionLanguage_);
      if (equalsNoCase(name, u"SelectionNamespaces")) return Variant::str(selectionNsText_);
      fail(u"Property name is invalid.");
    }
    case 120: expectCall(kind, args, 0, 0); return Variant::str(url_);
    case 121: {
      expectCall(kind, args, 0, 0);
      for (xmlNodePtr c = h_->doc->children; c; c = c->next)
        if (c->type == XML_DTD_NODE) return wrap(c);
      return Variant::object(nullptr);
    }
    case 122: expectCall(kind, args, 0, 0); return Variant();
    case 123: {
      expectCall(kind, args, 2, 2);
      NodeObj* other = nodeArg(args[0], false);
      xmlNodePtr src = other->node();
      if (src->type == XML_DOCUMENT_NODE || src->type == XML_DTD_NODE) other->wrongType();
      xmlNodePtr copy = xmlDocCopyNode(src, h_->doc, toBool(args[1]) ? 1 : 2);
      if (!copy) raise(7);
      clearPrivate(copy);
      h_->adopt(copy, h_->localizeNs(copy));
      return wrap(copy);
    }
  }
  raise(438);
}

void DomDocObj::setProperty(u16v name, const Variant& value) {
  if (equalsNoCase(name, u"SelectionLanguage")) {
    u16 v = toString(value);
    if (!equalsNoCase(v, u"XPath") && !equalsNoCase(v, u"XSLPattern")) fail(u"Property value is invalid.");
    selectionLanguage_ = equalsNoCase(v, u"XPath") ? u"XPath" : u"XSLPattern";
    return;
  }
  if (equalsNoCase(name, u"SelectionNamespaces")) {
    // xmlns:p='uri' pairs separated by blanks.
    std::string s = toUtf8(toText(value));
    std::vector<std::pair<std::string, std::string>> decls;
    size_t i = 0;
    auto bad = [&] { fail(u"SelectionNamespaces property value is invalid.\r\n\r\n" + toText(value)); };
    while (true) {
      while (i < s.size() && isXmlSpace(s[i])) ++i;
      if (i >= s.size()) break;
      if (s.compare(i, 5, "xmlns") != 0) bad();
      i += 5;
      std::string prefix;
      if (i < s.size() && s[i] == ':') {
        size_t eq = s.find('=', i);
        if (eq == std::string::npos) bad();
        prefix = trimmed(s.substr(i + 1, eq - i - 1));
        if (prefix.empty() || xmlValidateNCName(X(prefix), 0) != 0) bad();
        i = eq;
      }
      while (i < s.size() && isXmlSpace(s[i])) ++i;
      if (i >= s.size() || s[i] != '=') bad();
      ++i;
      while (i < s.size() && isXmlSpace(s[i])) ++i;
      if (i >= s.size() || (s[i] != '"' && s[i] != '\'')) bad();
      size_t end = s.find(s[i], i + 1);
      if (end == std::string::npos) bad();
      decls.emplace_back(prefix, s.substr(i + 1, end - i - 1));
      i = end + 1;
    }
    selectionNs_ = std::move(decls);
    selectionNsText_ = toText(value);
    return;
  }
  static const char16_t* const kAccepted[] = {
      u"ProhibitDTD", u"AllowDocumentFunction", u"AllowXsltScript", u"ServerHTTPRequest", u"NewParser",
      u"MaxElementDepth", u"MaxXMLSize", u"UseInlineSchema", u"ResolveExternals", u"ValidateOnParse",
      u"ForcedResync", u"NormalizeAttributeValues", u"MultipleErrorMessages", u"UseAsyncLoad"};
  for (const char16_t* p : kAccepted)
    if (equalsNoCase(p, name)) return;
  fail(u"Property name is invalid.");
}

// libxml2's first complaint about a document.
struct FirstError {
  bool set = false;
  int code = 0, line = 0, column = 0;
  std::string message, str1, str2;
  std::string openTags;  // what was still open when the text ended
};

void captureError(void* ctx, XmlError e) {
  auto* f = static_cast<FirstError*>(ctx);
  if (f->set || !e || e->level < XML_ERR_ERROR) return;
  f->set = true;
  f->code = e->code;
  f->line = e->line;
  f->column = e->int2;
  f->message = e->message ? trimmed(e->message) : "";
  f->str1 = e->str1 ? e->str1 : "";
  f->str2 = e->str2 ? e->str2 : "";
}

// MSXML's code and reason for the common mistakes; libxml2's words for the rest.
void describe(const FirstError& f, ParseInfo& p) {
  switch (f.code) {
    case XML_ERR_DOCUMENT_EMPTY:
      p.code = static_cast<int32_t>(0xC00CE558u);
      p.reason = u"XML document must have a top level element.";
      break;
    case XML_ERR_TAG_NAME_MISMATCH:
      p.code = static_cast<int32_t>(0xC00CE56Du);
      p.reason = u"End tag '" + fromUtf8(f.str2) + u"' does not match the start tag '" + fromUtf8(f.str1) + u"'.";
      break;
    case XML_ERR_TAG_NOT_FINISHED:
      p.code = static_cast<int32_t>(0xC00CE55Fu);
      p.reason = u"The following tags were not closed: " + fromUtf8(f.openTags.empty() ? f.str1 : f.openTags) + u".";
      break;
    case XML_ERR_DOCUMENT_END:
      p.code = static_cast<int32_t>(0xC00CE555u);
      p.reason = u"Only one top level element is allowed in an XML document.";
      break;
    case XML_ERR_UNDECLARED_ENTITY:
    case XML_WAR_UNDECLARED_ENTITY:
      p.code = static_cast<int32_t>(0xC00CE002u);
      p.reason = u"Reference to undefined entity '" + fromUtf8(f.str1) + u"'.";
      break;
    case XML_NS_ERR_UNDEFINED_NAMESPACE:
      p.code = static_cast<int32_t>(0xC00CE01Du);
      p.reason = u"Reference to undeclared namespace prefix: '" + fromUtf8(f.str1) + u"'.";
      break;
    case XML_ERR_NAME_REQUIRED:
    case XML_ERR_LT_IN_ATTRIBUTE:
    case XML_ERR_GT_REQUIRED:
      p.code = static_cast<int32_t>(0xC00CE504u);
      p.reason = u"A name was started with an invalid character.";
      break;
    default: {
      p.code = static_cast<int32_t>(0xC00CE513u);
      u16 m = fromUtf8(f.message);
      if (!m.empty()) m[0] = toUpperCopy(m.substr(0, 1))[0];
      if (!m.empty() && m.back() != u'.') m += u'.';
      p.reason = m.empty() ? u16(u"The XML is not well-formed.") : m;
    }
  }
  p.reason += u"\r\n";
}

bool DomDocObj::parse(const char* data, size_t size, const char* encoding, const std::string& url,
                      u16v sourceText, const std::string& decl) {
  prepareLibxml();
  if (size > 0x7FFFFFFF) raise(7);
  parse_ = ParseInfo();
  parse_.url = fromUtf8(url);
  FirstError first;
  xmlSetStructuredErrorFunc(&first, captureError);
  xmlParserCtxtPtr ctxt = xmlNewParserCtxt();
  xmlDocPtr doc = nullptr;
  if (ctxt) {
    // No network, no external entities, names not shared through a dictionary
    // (nodes must be freeable one by one).
    int options = XML_PARSE_NONET | XML_PARSE_NODICT | XML_PARSE_NOWARNING;
    doc = xmlCtxtReadMemory(ctxt, data, static_cast<int>(size), url.empty() ? nullptr : url.c_str(), encoding,
                            options);
    if (first.code == XML_ERR_TAG_NOT_FINISHED)
      for (int i = 0; i < ctxt->nameNr; ++i)
        first.openTags += (i ? ", " : "") + str8(ctxt->nameTab[i]);
    if (doc && (!ctxt->wellFormed || !ctxt->nsWellFormed)) {
      xmlFreeDoc(doc);
      doc = nullptr;
    }
    xmlFreeParserCtxt(ctxt);
  }
  xmlSetStructuredErrorFunc(nullptr, quietStructured);
  if (!doc) {
    if (!ctxt) raise(7);
    replaceDocument(xmlNewDoc(BAD_CAST "1.0"));
    describe(first, parse_);
    parse_.line = first.line;
    parse_.linepos = first.column;
    // The offending line, as text.
    size_t lineStart = 0;
    for (int l = 1; l < first.line && lineStart < sourceText.size(); ++l) {
      size_t nl = sourceText.find(u'\n', lineStart);
      if (nl == u16v::npos) {
        lineStart = sourceText.size();
        break;
      }
      lineStart = nl + 1;
    }
    size_t lineEnd = sourceText.find(u'\n', lineStart);
    u16 line(sourceText.substr(lineStart, lineEnd == u16v::npos ? u16v::npos : lineEnd - lineStart));
    if (!line.empty() && line.back() == u'\r') line.pop_back();
    parse_.srcText = line;
    parse_.filepos = static_cast<int32_t>(lineStart) + (first.column > 0 ? first.column - 1 : 0);
    return false;
  }
  replaceDocument(doc);
  // MSXML shows the XML declaration as a processing instruction.
  if (!decl.empty()) {
    xmlNodePtr pi = xmlNewDocPI(doc, BAD_CAST "xml", X(decl));
    if (!pi) raise(7);
    h_->adopt(pi);
    h_->link(reinterpret_cast<xmlNodePtr>(doc), pi, doc->children);
  }
  if (!preserveWs_) stripWhitespace(reinterpret_cast<xmlNodePtr>(doc));
  return true;
}

// Without preserveWhiteSpace, text nodes of white space alone are dropped,
// except under xml:space="preserve".
void DomDocObj::stripWhitespace(xmlNodePtr root) {
  std::vector<xmlNodePtr> todo{root};
  while (!todo.empty()) {
    xmlNodePtr n = todo.back();
    todo.pop_back();
    for (xmlNodePtr c = n->children; c;) {
      xmlNodePtr next = c->next;
      if (c->type == XML_ELEMENT_NODE) {
        if (xmlNodeGetSpacePreserve(c) != 1) todo.push_back(c);
      } else if (c->type == XML_TEXT_NODE && xmlIsBlankNode(c)) {
        xmlUnlinkNode(c);
        xmlFreeNode(c);
      }
      c = next;
    }
  }
}

bool DomDocObj::loadText(u16v text) {
  // The declaration's own encoding does not apply to text that is already decoded.
  std::string decl;
  size_t start = !text.empty() && text[0] == 0xFEFF ? 1 : 0;
  if (text.substr(start, 5) == u"<?xml" && text.size() > start + 5 &&
      isXmlSpace(static_cast<char>(text[start + 5]))) {
    size_t end = text.find(u"?>", start);
    if (end != u16v::npos) decl = trimmed(toUtf8(text.substr(start + 5, end - start - 5)));
  }
  std::string bytes = toUtf8(text.substr(start));
  return parse(bytes.data(), bytes.size(), "UTF-8", "", text, decl);
}

bool DomDocObj::loadBytes(std::string_view bytes, const std::string& url) {
  // libxml2 does not keep the declaration as written; it is rebuilt from what
  // the parser recorded, once the parse says there was one.
  prepareLibxml();
  std::string sniffDecl;
  size_t at = bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
  bool utf16 = bytes.size() >= 2 && ((bytes[0] == '\xFF' && bytes[1] == '\xFE') || (bytes[0] == '\xFE' && bytes[1] == '\xFF'));
  u16 asText;
  if (!utf16) asText = fromUtf8(bytes.substr(at));
  if (!utf16 && bytes.substr(at, 5) == "<?xml" && bytes.size() > at + 5 && isXmlSpace(bytes[at + 5])) {
    size_t end = bytes.find("?>", at);
    if (end != std::string_view::npos) sniffDecl = trimmed(std::string(bytes.substr(at + 5, end - at - 5)));
  }
  bool ok = parse(bytes.data(), bytes.size(), nullptr, url, asText, sniffDecl);
  if (ok && utf16 && h_->doc->standalone != -1) {
    // UTF-16 files: the declaration as the parser saw it.
    std::string d = "version=\"" + str8(h_->doc->version ? h_->doc->version : BAD_CAST "1.0") + "\"";
    if (h_->doc->encoding) d += " encoding=\"" + str8(h_->doc->encoding) + "\"";
    if (h_->doc->standalone >= 0) d += std::string(" standalone=\"") + (h_->doc->standalone ? "yes" : "no") + "\"";
    xmlNodePtr pi = xmlNewDocPI(h_->doc, BAD_CAST "xml", X(d));
    if (!pi) raise(7);
    h_->adopt(pi);
    h_->link(reinterpret_cast<xmlNodePtr>(h_->doc), pi, h_->doc->children);
  }
  return ok;
}

// save(path): the bytes in the encoding the declaration names (UTF-8 when it
// names none), written to a temporary file that then replaces the target.
Variant DomDocObj::save(Args args) {
  if (args.size() != 1) raise(450);
  if (safe_) raise(70);
  std::string path = toUtf8(toString(args[0]));
  Writer w;
  w.keepEncoding = true;
  std::string encoding = "UTF-8";
  for (xmlNodePtr c = h_->doc->children; c; c = c->next)
    if (c->type == XML_PI_NODE && str8(c->name) == "xml") {
      std::string e = pseudoAttr(str8(c->content), "encoding");
      if (!e.empty()) encoding = e;
    }
  u16 upper = toUpperCopy(fromUtf8(encoding));
  bool utf8 = upper == u"UTF-8" || upper == u"UTF8";
  bool utf16 = upper == u"UTF-16" || upper == u"UNICODE" || upper == u"UCS-2";
  struct Closer {
    iconv_t cd;
    ~Closer() {
      if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
    }
  } probe{!utf8 && !utf16 ? iconv_open(encoding.c_str(), "UTF-8") : reinterpret_cast<iconv_t>(-1)};
  if (!utf8 && !utf16 && probe.cd == reinterpret_cast<iconv_t>(-1))
    fail(u"The encoding '" + fromUtf8(encoding) + u"' is not supported.");
  w.target = probe.cd;
  w.node(node());
  std::string bytes;
  if (utf8) {
    bytes = std::move(w.out);
  } else if (utf16) {
    u16 t = fromUtf8(w.out);
    bytes = "\xFF\xFE";
    for (char16_t ch : t) {
      bytes += static_cast<char>(ch & 0xFF);
      bytes += static_cast<char>(ch >> 8);
    }
  } else {
    iconv_t cd = probe.cd;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    bytes.resize(w.out.size() * 4 + 16);
    char* in = w.out.data();
    size_t inLeft = w.out.size();
    char* out = bytes.data();
    size_t outLeft = bytes.size();
    size_t r = iconv(cd, &in, &inLeft, &out, &outLeft);
    if (r == static_cast<size_t>(-1))
      fail(u"The text has characters that the encoding '" + fromUtf8(encoding) + u"' cannot hold.");
    bytes.resize(bytes.size() - outLeft);
  }
  std::string dir = path.find('/') == std::string::npos ? "." : path.substr(0, path.rfind('/') + 1);
  std::string tmpl = (dir == "." ? std::string("./") : dir) + ".pwsave-XXXXXX";
  int fd = ::mkstemp(tmpl.data());
  auto ioFail = [&](int err) {
    if (err == ENOENT || err == ENOTDIR)
      raise(static_cast<int32_t>(0x80070003u), source(), u"The system cannot find the path specified.\r\n");
    if (err == EACCES || err == EPERM || err == EROFS || err == EISDIR)
      raise(static_cast<int32_t>(0x80070005u), source(), u"Access is denied.\r\n");
    raise(kFail, source(), u"The file could not be written.\r\n");
  };
  if (fd < 0) ioFail(errno);
  struct stat st;
  mode_t mode = 0666;
  if (::stat(path.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) {
      ::close(fd);
      ::unlink(tmpl.c_str());
      ioFail(EISDIR);
    }
    mode = st.st_mode & 07777;
  } else {
    mode_t mask = ::umask(0);
    ::umask(mask);
    mode &= ~mask;
  }
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t k = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (k < 0) {
      if (errno == EINTR) continue;
      int err = errno;
      ::close(fd);
      ::unlink(tmpl.c_str());
      ioFail(err);
    }
    done += static_cast<size_t>(k);
  }
  ::fchmod(fd, mode);
  bool synced = ::fsync(fd) == 0;
  if (::close(fd) != 0 || !synced || ::rename(tmpl.c_str(), path.c_str()) != 0) {
    int err = errno;
    ::unlink(tmpl.c_str());
    ioFail(err);
  }
  return Variant();
}

}  // namespace

Object* newDomDocument(Engine* engine, bool version6) {
  return new DomDocObj(version6, engine && engine->useSafeSubset);
}

Variant newXmlDocumentFromText(Engine* engine, u16v text) {
  auto* d = static_cast<DomDocObj*>(newDomDocument(engine, false));
  Variant v = Variant::object(d);
  d->loadText(text);
  return v;
}

Variant newXmlDocumentFromBytes(Engine* engine, std::string_view bytes) {
  auto* d = static_cast<DomDocObj*>(newDomDocument(engine, false));
  Variant v = Variant::object(d);
  d->loadBytes(bytes, "");
  return v;
}

}  // namespace pw
