#include "app/start_up.h"

#include "editor/editor_controls.h"
#include "editor/editor_dialog.h"
#include "editor/file_names.h"

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
    FileNames names = fileNamesOf(file.path);
    file.title = std::move(names.title);
    file.extension = std::move(names.extension);
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
