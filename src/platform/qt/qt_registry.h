#pragma once

// The file-class registry translated to the freedesktop conventions. The
// editor writes Windows-style class keys (".wfn" -> "Glyphsmith", the class's
// description and its "shell\open\command"); here they become, for each class:
//   - a shared-mime-info package $XDG_DATA_HOME/mime/packages/<class>.xml.
//     An extension that the installed MIME package (res/glyphsmith-mime.xml,
//     built in) gives a type of its own, such as application/x-ags-font for
//     .wfn, gets that type exactly as the installed package declares it, so
//     the two never disagree. Other extensions share application/x-<class>,
//     with the description as its comment;
//   - a desktop entry $XDG_DATA_HOME/applications/<class>.desktop whose Exec
//     line starts the program on the file (%f), for every type of the class;
//   - the default association of each type in $XDG_CONFIG_HOME/mimeapps.list,
//     keeping every other line of that file. Associations of the class's
//     shared type with its desktop entry, written before the formats had types
//     of their own, are removed once no extension uses that type.
// The MIME and desktop caches are refreshed when a key is closed, with the
// freedesktop tools where they are installed.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "platform/window_system.h"

namespace glyphsmith {

// Resource id of the built-in copy of the installed MIME package (res/CMakeLists.txt).
inline constexpr int MimePackageResource = 140;

struct FreedesktopFolders {
    std::string dataHome;   // $XDG_DATA_HOME, or ~/.local/share
    std::string configHome; // $XDG_CONFIG_HOME, or ~/.config

    static FreedesktopFolders fromEnvironment();
};

class FreedesktopRegistry {
public:
    // `executablePath` is the running program, for the Exec line when the
    // open command does not name an existing program.
    explicit FreedesktopRegistry(std::string executablePath, bool refreshCaches = true);

    std::optional<RegistryKey> createClassKey(std::string_view name);
    void setDefaultValue(RegistryKey key, std::string_view subkeyPath, std::string_view value);
    void closeKey(RegistryKey key);

    // "application/x-" and the class name in lower case, other characters
    // than letters, digits, "+", "-" and "." turned into "-".
    static std::string mimeTypeFor(std::string_view className);
    // The Exec= value for an open command "<program> %1", quoted as desktop
    // entries require.
    static std::string execLine(std::string_view openCommand, std::string_view executablePath);

private:
    void writeClassFiles(const std::string& className);
    void refreshCaches(const FreedesktopFolders& folders) const;

    std::string executablePath_;
    bool refreshCaches_;
    int nextHandle_ = 1;
    std::map<int, std::string> openKeys_;
    std::map<std::string, std::string> extensionClass_;
    std::map<std::string, std::string> descriptions_;
    std::map<std::string, std::string> openCommands_;
    bool changedSinceRefresh_ = false;
};

} // namespace glyphsmith
