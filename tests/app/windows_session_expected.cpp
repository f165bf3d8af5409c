// Writes what the Windows editor session must save, with this build's font
// writers: the start font with the session's edits, as edited.wfn, edited.0
// and edited.bmp in FOLDER.
//
//   windows_session_expected START.wfn FOLDER

#include <cstdio>
#include <memory>
#include <string>

#include "font/bitmap_font.h"
#include "session_edits.h"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: windows_session_expected START.wfn FOLDER\n");
        return 2;
    }
    auto font = std::make_unique<glyphsmith::BitmapFont>();
    if (!font->readWfn(argv[1]).ok()) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    glyphsmith::applySessionEdits(*font);
    const std::string folder = argv[2];
    const bool written = font->writeWfn(folder + "/edited.wfn").ok() && font->writeSci(folder + "/edited.0").ok()
        && font->writeBmp(folder + "/edited.bmp").ok();
    if (!written)
        std::fprintf(stderr, "cannot write the expected files into %s\n", argv[2]);
    return written ? 0 : 1;
}
