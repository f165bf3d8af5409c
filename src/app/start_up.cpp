#include "app/start_up.h"

#include "editor/editor_controls.h"
#include "editor/editor_dialog.h"

namespace glyphsmith {

namespace {

const char* const FileTypeDescription = "Adventure game font file";
const char* const OpenCommandKey = "shell\\open\\command";

void registerExtension(WindowSystem& windowSystem, std::string_view extension)
{
    std::optional<RegistryKey> key = windowSystem.createClassKey(extension);
    if (!key)
        return;
    windowSystem.setDefaultValue(*key, "", programName);
    windowSystem.closeKey(*key);
}

} // namespace

void registerFileTypes(WindowSystem& windowSystem)
{
    registerExtension(windowSystem, ".wfn");
    registerExtension(windowSystem, ".0");
    std::optional<RegistryKey> key = windowSystem.createClassKey(programName);
    if (!key)
        return;
    windowSystem.setDefaultValue(*key, "", FileTypeDescription);
    // The program as it runs now, wherever it was started from.
    windowSystem.setDefaultValue(*key, OpenCommandKey, windowSystem.executablePath() + " %1");
    windowSystem.closeKey(*key);
}

CommandLineFile commandLineFile(std::string_view commandLine)
{
    CommandLineFile file;
    for (char c : commandLine)
        if (c != '"')
            file.path += c;
    // Title and extension come from the file's own name, so that a dot in a
    // folder name is not taken for the extension.
    const std::size_t slash = file.path.find_last_of("/\\");
    const std::string name = slash == std::string::npos ? file.path : file.path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    file.title = name.substr(0, dot);
    if (dot != std::string::npos)
        file.extension = name.substr(dot + 1);
    return file;
}

void openCommandLineFile(WindowSystem& windowSystem, EditorDialog& editor)
{
    const std::string text = windowSystem.commandLine();
    if (text.empty())
        return;
    CommandLineFile file = commandLineFile(text);
    editor.setFileNames(std::move(file.title), std::move(file.extension));
    editor.loadFontFile(file.path);
}

} // namespace glyphsmith
