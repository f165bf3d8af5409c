// glyphsmith-convert: converts fonts between formats from the command line.

#include <QGuiApplication>
#include <QtGlobal>

#include <csignal>
#include <iostream>
#include <memory>

#include "convert_command.h"
#include "fontfile/freetype_font_file.h"
#include "platform/qt/qt_system_font_renderer.h"

int main(int argc, char** argv)
{
    std::vector<std::string> arguments(argv + 1, argv + argc);
    // Under a file-size limit a write past it would kill the process without
    // a word; ignored, the write fails and the converter reports it.
    std::signal(SIGXFSZ, SIG_IGN);

    // Qt is started only for --system-font, and without a display: the
    // characters are drawn off screen, so build scripts can run it anywhere.
    int qtArgc = 1;
    char* qtArgv[] = { argv[0], nullptr };
    std::unique_ptr<QGuiApplication> application;
    std::unique_ptr<glyphsmith::QtSystemFontRenderer> renderer;
    auto systemFont = [&]() -> glyphsmith::SystemFontRenderer* {
        if (!renderer) {
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
                qputenv("QT_QPA_PLATFORM", "offscreen");
            // Standard error carries only the converter's own messages; Qt's
            // notes about the desktop environment are of no use to a script.
            qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
                if (type == QtFatalMsg || type == QtCriticalMsg)
                    std::cerr << message.toStdString() << '\n';
            });
            application = std::make_unique<QGuiApplication>(qtArgc, qtArgv);
            renderer = std::make_unique<glyphsmith::QtSystemFontRenderer>();
        }
        return renderer.get();
    };
    glyphsmith::FreeTypeFontFileReader fontFiles;
    return glyphsmith::runConvert(arguments, std::cout, std::cerr, systemFont, &fontFiles);
}
