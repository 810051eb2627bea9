#pragma once

#include <string>
#include <string_view>
#include <vector>

// Paths as the Add Item dialog's drive, folder and file lists show them: full paths as the
// system's bytes, with `separator` between names. A root ends with the separator ("/",
// "C:\"); any other folder does not.
namespace quivanto {

// The root and every folder down to `folder` itself, outermost first.
std::vector<std::string> folderChain(std::string_view folder, char separator);

// The folder's own name: the text after its last separator; a root names itself.
std::string_view lastName(std::string_view folder, char separator);

// The folder `name` inside `folder`.
std::string childFolder(std::string_view folder, std::string_view name, char separator);

// Names the lists leave out: hidden ones, and ones that an item line could not hold.
bool isListedName(std::string_view name);

// The entry of `roots` that holds `folder`: the longest root equal to it or above it.
// Empty when none does.
std::string driveOfFolder(std::string_view folder, const std::vector<std::string>& roots,
                          char separator);

} // namespace quivanto
