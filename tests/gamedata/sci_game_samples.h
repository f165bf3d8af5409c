#pragma once

// Small SCI games made on the spot, for the tests of the game reader, the
// converter and the editor: a resource.map and volumes in any layout, holding
// fonts stored plain or packed by the test packers.

#include <cstdint>
#include <string>
#include <vector>

#include "font/bitmap_font.h"
#include "gamedata/packers.h"
#include "gamedata/sci_resource_map.h"
#include "gamedata/sci_volume.h"

namespace glyphsmith {

struct SampleResource {
    int type = SciFontType;
    int number = 0;
    int volume = 0;
    int method = 0;
    Bytes stored;
    std::uint32_t unpackedSize = 0;
    Bytes unpacked; // what the game unpacks
};

// A font with letters drawn in it; `seed` varies the drawing.
BitmapFont sampleFont(int seed);
// The font as the game keeps it: the SCI file without the patch header.
Bytes fontResource(const BitmapFont& font);
// Font `number` stored with `compression` under method number `method`.
SampleResource sampleFontResource(int number, const BitmapFont& font, SciCompression compression, int method, int volume = 0);

// Writes resource.map and a resource.00N for each volume used into `folder`;
// the resources follow one another in the order given.
void writeSciGame(const std::string& folder, SciMapLayout map, SciVolumeLayout volume,
    const std::vector<SampleResource>& resources);

} // namespace glyphsmith
