#pragma once

// glyphsmith-convert --check [--json] FILE...: says for each font file whether
// the engine that reads its format loads it as drawn, loads it with changes,
// or refuses it.

#include <ostream>
#include <string>
#include <vector>

namespace glyphsmith {

struct CheckOptions {
    bool json = false;
    std::vector<std::string> files;
};

// Whether `argument` is one of the options that start a --check run.
bool isCheckOption(const std::string& argument);

// Reads "--check", "--json" (in either order, each at most once, --check
// required) and then one or more files. On wrong arguments returns false and
// sets `problem` to a short description for the usage message.
bool parseCheckArguments(const std::vector<std::string>& arguments, CheckOptions& options, std::string& problem);

// Prints one line per file and engine to `out`, or with `json` one JSON array
// of one object per file and engine; files that cannot be read are reported
// on `err`. Returns 1 when a file cannot be read or is refused by its engine,
// else 0.
int runCheck(const CheckOptions& options, std::ostream& out, std::ostream& err);

} // namespace glyphsmith
