#include "pathparts.h"

namespace sorvane {

char FolderSeparator(PathRule rule)
{
    return rule == PathRule::Windows ? '\\' : '/';
}

bool IsPathDelimiter(char c, PathRule rule)
{
    return rule == PathRule::Windows ? (c == '\\' || c == ':') : c == '/';
}

std::string_view FolderPart(std::string_view path, PathRule rule)
{
    for (std::size_t end = path.size(); end > 0; --end)
        if (IsPathDelimiter(path[end - 1], rule))
            return path.substr(0, end);
    return {};
}

std::string_view NamePart(std::string_view path, PathRule rule)
{
    return path.substr(FolderPart(path, rule).size());
}

std::string_view Extension(std::string_view path, PathRule rule)
{
    const std::string_view name = NamePart(path, rule);
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

std::string ChangeExtension(std::string_view path, std::string_view extension, PathRule rule)
{
    std::string result(path.substr(0, path.size() - Extension(path, rule).size()));
    result += extension;
    return result;
}

} // namespace sorvane
