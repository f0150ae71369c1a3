// Substituting the tool directory for "%KPXSETUP%": the outcome agrees with a
// plain model (repeat whole-character passes until none finds the token), and
// false is given only when that outcome is longer than the bound.
#include "FuzzCheck.h"
#include "settings/ToolDirToken.h"

namespace {

const std::string kToken = "%KPXSETUP%";

// One pass of the model; returns whether it replaced anything.
bool ModelPass(std::string& text, const std::string& toolDir)
{
    std::string result;
    bool replaced = false;
    for (size_t i = 0; i < text.size();) {
        if (text.compare(i, kToken.size(), kToken) == 0) {
            result += toolDir;
            i += kToken.size();
            replaced = true;
        } else {
            size_t step = (IsDBCSLeadByte(static_cast<BYTE>(text[i])) && i + 1 < text.size()) ? 2 : 1;
            result.append(text, i, step);
            i += step;
        }
    }
    text.swap(result);
    return replaced;
}

bool HoldsToken(const std::string& text)
{
    std::string copy = text;
    return ModelPass(copy, std::string());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    // Bounds up to 1023 cover the settings values (260 bytes) with room.
    const size_t maxLength = (static_cast<size_t>(data[0]) << 8 | data[1]) % 1024;
    data += 2;
    size -= 2;
    const std::string toolDir = TakeText(data, size);
    const std::string original = TakeText(data, size);

    std::string text = original;
    const bool ok = SubstituteToolDir(text, toolDir, maxLength);

    std::string model = original;
    if (HoldsToken(toolDir)) {
        // The directory appears as it is: one pass.
        ModelPass(model, toolDir);
        FUZZ_CHECK(ok);
        FUZZ_CHECK(text == model);
        return 0;
    }
    // The model runs while the text can still end up within the bound; a
    // directory shorter than the token shortens the text with every pass.
    bool finished = false;
    for (int pass = 0; pass < 4096 && model.size() <= 4 * maxLength + 4 * kToken.size() + original.size(); ++pass) {
        if (!ModelPass(model, toolDir)) {
            finished = true;
            break;
        }
    }
    if (ok) {
        FUZZ_CHECK(finished);
        FUZZ_CHECK(text == model);
        FUZZ_CHECK(!HoldsToken(text));
    } else {
        // Refused only where the full substitution cannot fit the bound.
        FUZZ_CHECK(toolDir.size() >= kToken.size());
        FUZZ_CHECK(!finished || model.size() > maxLength);
    }
    return 0;
}
