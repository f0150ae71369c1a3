#include "settings/ToolDirToken.h"

#include "classlib/WholeCharacters.h"

#include <windows.h>

#include <cstring>

const char kToolDirToken[] = "%KPXSETUP%";

namespace {

const size_t kTokenLength = sizeof(kToolDirToken) - 1;

// With a directory shorter than the token every replacing pass shortens the
// text, so 260 passes cover any text that fits a settings value; the limit only
// stops contrived directories that rebuild the token across their own edges.
const int kMaxPasses = 1024;

bool HoldsToken(const std::string& text)
{
    std::string copy = text;
    return ReplaceToolDirTokenOnce(copy, std::string()) > 0;
}

} // namespace

int ReplaceToolDirTokenOnce(std::string& text, const std::string& toolDir)
{
    std::string result;
    int replaced = 0;
    size_t i = 0;
    while (i < text.size()) {
        if (text.compare(i, kTokenLength, kToolDirToken) == 0) {
            result += toolDir;
            i += kTokenLength;
            ++replaced;
            continue;
        }
        // Copy a whole character, so that a match can begin only on a lead
        // byte or a single-byte character. '%' is never a lead byte.
        const size_t step = CharLengthAt(text, i);
        result.append(text, i, step);
        i += step;
    }
    text.swap(result);
    return replaced;
}

bool SubstituteToolDir(std::string& text, const std::string& toolDir, size_t maxLength)
{
    if (HoldsToken(toolDir)) {
        ReplaceToolDirTokenOnce(text, toolDir);
        return true;
    }
    const bool neverShortens = toolDir.size() >= kTokenLength;
    for (int pass = 0; pass < kMaxPasses; ++pass) {
        if (ReplaceToolDirTokenOnce(text, toolDir) == 0)
            return true;
        if (neverShortens && text.size() > maxLength)
            return false;
    }
    return false;
}
