// Text in named character sets, as ADODB.Stream and the HTTP objects name
// them ("utf-8", "windows-1252", "unicode", ...), through glibc's iconv.
#pragma once

#include <string>
#include <string_view>

#include "variant.h"

namespace pw {

class Charset {
 public:
  // Throws nothing; valid() is false for a name iconv does not know.
  explicit Charset(std::string_view name);

  bool valid() const { return !iconvName_.empty(); }
  // The byte order mark ADODB.Stream writes and skips for this set ("" if none).
  std::string_view bom() const { return bom_; }

  // Decodes up to maxUnits UTF-16 units (all when < 0) from bytes; *used gets
  // the bytes consumed. Bytes the set cannot decode become U+FFFD (Windows-1252's
  // five unassigned bytes map to the same code points, as Windows does).
  u16 decode(std::string_view bytes, long long maxUnits = -1, size_t* used = nullptr) const;
  // Characters the set lacks become '?'.
  std::string encode(u16v text) const;

 private:
  std::string iconvName_;
  std::string bom_;
  bool cp1252_ = false;
};

// The charset parameter of a Content-Type header ("" when there is none).
std::string charsetOfContentType(std::string_view contentType);

}  // namespace pw
