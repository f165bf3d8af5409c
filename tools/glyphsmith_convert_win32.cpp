// glyphsmith-convert.exe: converts fonts between formats from the command line.

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "convert_command.h"
#include "fontfile/gdi_font_file.h"
#include "platform/win32/utf16.h"

#include <shellapi.h>

#include "platform/win32/win32_system_font_renderer.h"

int main()
{
    // The arguments as UTF-16, so that file names in any script arrive
    // whole; the C runtime's argv holds them in the ANSI code page.
    int count = 0;
    LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int index = 1; wide && index < count; ++index)
        arguments.push_back(glyphsmith::toUtf8(wide[index]));
    ::LocalFree(wide);

    std::unique_ptr<glyphsmith::Win32SystemFontRenderer> renderer;
    auto systemFont = [&]() -> glyphsmith::SystemFontRenderer* {
        if (!renderer)
            renderer = std::make_unique<glyphsmith::Win32SystemFontRenderer>();
        return renderer.get();
    };
    glyphsmith::GdiFontFileReader fontFiles;
    return glyphsmith::runConvert(arguments, std::cout, std::cerr, systemFont, &fontFiles);
}
