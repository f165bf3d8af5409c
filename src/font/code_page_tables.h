#pragma once

// The generated tables behind code_pages.h (code_page_tables.cpp).

#include <span>

#include "font/code_pages.h"

namespace glyphsmith {

std::span<const CodePage> codePageTables();

} // namespace glyphsmith
