// Windows path forms in the paths scripts hand to the built-in objects:
// backslashes, drive letters through a user-controlled drive map, UNC names,
// and case-insensitive names on a case-sensitive file system.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "variant.h"

namespace pw::winpath {

inline bool isSep(char16_t c) { return c == u'/' || c == u'\\'; }

// --- the drive map (process-wide, like the current directory) ---

// Maps a letter (either case) to a folder of this system; "" unmaps it.
// A relative folder is taken from the current directory now.
void mapDrive(char16_t letter, std::string_view folder);
void clearDrives();
// The mapped letters (upper case), in order, with their folders.
std::vector<std::pair<char16_t, std::string>> drives();
std::optional<std::string> driveRoot(char16_t letter);
// Reads "C=/srv/c" (or "C:=..."); false with a reason for anything else.
bool parseDriveSpec(std::string_view spec, char16_t& letter, std::string& folder, std::string& error);

// --- pure text, both separators, as Windows splits paths ---

// Length of the root part: "C:" or "C:\", "\\server\share", a lone leading
// separator; 0 for a relative path.
size_t rootLength(u16v p);
u16 driveName(u16v p);         // "C:", "\\server\share" or ""
u16 fileName(u16v p);          // the last component; "" for a root
u16 parentFolderName(u16v p);  // "" when there is no parent
u16 baseName(u16v p);          // the name up to its last dot
u16 extensionName(u16v p);     // after the last dot: ".desktop" gives "desktop"
u16 buildPath(u16v folder, u16v name);

// --- to the file system ---

// p (a native path) made absolute against base, without ".", "..", doubled
// or trailing separators.
std::string normalJoin(std::string_view base, std::string_view p);

// A script's path as a native path: separators become '/', a drive letter
// goes through the drive map (76 naming the drive when it is not mapped),
// and a path that does not exist as written is looked up case-insensitively
// folder by folder; names with no match stay as written (so new files keep
// the script's spelling); two matches differing only in case raise 75 naming
// both. Relative paths stay relative; a trailing separator is kept.
std::string toNative(u16v path);
// The same for a name inside a native folder (Folder.CreateTextFile).
std::string toNativeIn(const std::string& folder, u16v name);
// The mapped drive holding a native absolute path: its letter, or 0.
char16_t driveOfNative(std::string_view abs);

}  // namespace pw::winpath
