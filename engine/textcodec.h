// Script files as bytes: valid UTF-8 is read as UTF-8, anything else as
// Windows-1252, and text is written back in the encoding it was read in.
#pragma once

#include <string>

#include "variant.h"

namespace pw {

enum class TextEncoding { Utf8, Windows1252 };

bool isValidUtf8(std::string_view bytes);
// Decodes file bytes (a UTF-8 byte-order mark is kept out of the text).
u16 decodeText(std::string_view bytes, TextEncoding* used = nullptr, bool* hadBom = nullptr);
// Encodes text; characters Windows-1252 lacks become '?' and set *lossy.
std::string encodeText(u16v text, TextEncoding enc, bool bom = false, bool* lossy = nullptr);

}  // namespace pw
