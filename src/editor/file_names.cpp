#include "editor/file_names.h"

namespace glyphsmith {

FileNames fileNamesOf(std::string_view path)
{
    const std::size_t slash = path.find_last_of("/\\");
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    FileNames names { std::string(name.substr(0, dot)), {} };
    if (dot != std::string_view::npos)
        names.extension = std::string(name.substr(dot + 1));
    return names;
}

} // namespace glyphsmith
