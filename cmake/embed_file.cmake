# Writes OUTPUT, a C++ file defining glyphsmith::SYMBOL as the bytes of INPUT.
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR byte_count "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){24})" "\\1\n    " bytes "${bytes}")
file(WRITE ${OUTPUT} "// Generated from ${INPUT}; do not edit.\n#include <cstdint>\n#include <span>\n\nnamespace glyphsmith {\nnamespace {\nconst std::uint8_t bytes[${byte_count} + 1] = {\n    ${bytes}0};\n}\nextern const std::span<const std::uint8_t> ${SYMBOL};\nconst std::span<const std::uint8_t> ${SYMBOL}(bytes, ${byte_count});\n}\n")
