// Path splitting: the last real backslash is found character by character,
// and the parts put together give the path back.
#include "FuzzCheck.h"
#include "classlib/PathParts.h"

namespace {

// The last backslash that is a character of its own, found independently.
size_t LastRealBackslash(const std::string& path)
{
    size_t last = std::string::npos;
    for (size_t i = 0; i < path.size(); ++i) {
        if (StartsCharacter(path, i) && path[i] == '\\')
            last = i;
    }
    return last;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = TakeText(data, size);
    const size_t slash = FindLastBackslash(path);
    FUZZ_CHECK(slash == LastRealBackslash(path));

    const std::string directory = DirectoryPart(path);
    const std::string name = FileNamePart(path);
    if (slash == std::string::npos) {
        FUZZ_CHECK(directory == path);
    } else {
        FUZZ_CHECK(directory + "\\" + path.substr(slash + 1) == path);
    }
    // The name is a suffix of the path that starts a character and holds no
    // separator of either kind.
    FUZZ_CHECK(name.size() <= path.size());
    FUZZ_CHECK(path.compare(path.size() - name.size(), name.size(), name) == 0);
    FUZZ_CHECK(StartsCharacter(path, path.size() - name.size()));
    FUZZ_CHECK(LastRealBackslash(name) == std::string::npos);
    FUZZ_CHECK(name.find('/') == std::string::npos);
    return 0;
}
