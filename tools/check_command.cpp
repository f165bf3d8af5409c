#include "check_command.h"

#include "font/engine_check.h"
#include "game_command.h"
#include "json_text.h"

namespace glyphsmith {

namespace {

constexpr int CheckOk = 0;
constexpr int CheckFailed = 1;

std::string_view verdictWord(EngineVerdict verdict)
{
    switch (verdict) {
    case EngineVerdict::Loads:
        return "loads";
    case EngineVerdict::Changed:
        return "changed";
    case EngineVerdict::Refused:
        return "refused";
    }
    return "refused";
}

void writeJsonObject(std::ostream& out, const std::string& file, const EngineCheck& check)
{
    out << "{\"file\": " << jsonString(file) << ", \"engine\": " << jsonString(engineName(check.engine))
        << ", \"verdict\": \"" << verdictWord(check.verdict) << "\", \"reasons\": [";
    for (std::size_t i = 0; i < check.reasons.size(); ++i)
        out << (i == 0 ? "" : ", ") << jsonString(check.reasons[i]);
    out << "], \"notes\": [";
    for (std::size_t i = 0; i < check.notes.size(); ++i)
        out << (i == 0 ? "" : ", ") << jsonString(check.notes[i]);
    out << "], \"lineHeight\": " << check.lineHeight << ", \"glyphs\": [";
    for (std::size_t i = 0; i < check.glyphs.size(); ++i)
        out << (i == 0 ? "" : ", ") << '[' << check.glyphs[i].width << ", " << check.glyphs[i].height << ']';
    out << "]}";
}

} // namespace

bool isCheckOption(const std::string& argument) { return argument == "--check" || argument == "--json"; }

bool parseCheckArguments(const std::vector<std::string>& arguments, CheckOptions& options, std::string& problem)
{
    options = {};
    bool check = false;
    std::size_t i = 0;
    for (; i < arguments.size() && isCheckOption(arguments[i]); ++i) {
        bool& seen = arguments[i] == "--check" ? check : options.json;
        if (seen) {
            problem = arguments[i] + " is given twice";
            return false;
        }
        seen = true;
    }
    if (!check) {
        problem = "--json goes with --check";
        return false;
    }
    for (; i < arguments.size(); ++i) {
        if (arguments[i].empty() || arguments[i].starts_with('-')) {
            problem = "unexpected argument '" + arguments[i] + "'";
            return false;
        }
        options.files.push_back(arguments[i]);
    }
    if (options.files.empty()) {
        problem = "--check takes one or more files";
        return false;
    }
    return true;
}

int runCheck(const CheckOptions& options, std::ostream& out, std::ostream& err)
{
    int status = CheckOk;
    bool firstObject = true;
    if (options.json)
        out << '[';
    for (const std::string& file : options.files) {
        std::vector<EngineCheck> checks;
        std::string problem;
        if (isGameFontArgument(file))
            checkGameFont(file, checks, problem);
        else if (FileError error = checkFontFile(file, checks); error != FileError::None)
            problem = describe(FileResult::failed(error));
        if (!problem.empty()) {
            err << "cannot read " << file << ": " << problem << '\n';
            status = CheckFailed;
            continue;
        }
        // With --json, standard output holds nothing but the array.
        if (checks.empty())
            (options.json ? err : out) << file << ": no engine reads this format\n";
        for (const EngineCheck& check : checks) {
            if (check.verdict == EngineVerdict::Refused)
                status = CheckFailed;
            if (!options.json) {
                out << engineCheckLine(file, check) << '\n';
                continue;
            }
            out << (firstObject ? "\n  " : ",\n  ");
            writeJsonObject(out, file, check);
            firstObject = false;
        }
    }
    if (options.json)
        out << (firstObject ? "]\n" : "\n]\n");
    return status;
}

} // namespace glyphsmith
