#pragma once

#include <string>
#include <string_view>

namespace sorvane {

// Which bytes end a folder in a path text. Windows: backslash and colon
// (a drive letter's colon ends its folder too); Posix: the slash.
enum class PathRule { Windows, Posix };

#ifdef _WIN32
inline constexpr PathRule NativePathRule = PathRule::Windows;
#else
inline constexpr PathRule NativePathRule = PathRule::Posix;
#endif

// The byte that joins a folder and a name under the rule.
char FolderSeparator(PathRule rule);
bool IsPathDelimiter(char c, PathRule rule);

// The path up to and including its last delimiter; empty when it has none.
std::string_view FolderPart(std::string_view path, PathRule rule);
// What follows the last delimiter.
std::string_view NamePart(std::string_view path, PathRule rule);
// From the last dot of the name part to its end, dot included; empty when the name has no dot.
std::string_view Extension(std::string_view path, PathRule rule);
// The path without its extension, followed by `extension`.
std::string ChangeExtension(std::string_view path, std::string_view extension, PathRule rule);

} // namespace sorvane
