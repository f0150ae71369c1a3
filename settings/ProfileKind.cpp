#include "settings/ProfileKind.h"

const char* ProfileKeyName(ProfileKind kind)
{
    switch (kind) {
    case ProfileAuto:
        return "Auto";
    case ProfileVividness:
        return "Vividness";
    case ProfileTone:
        return "Tone";
    case ProfileFont:
        return "Font";
    }
    return "";
}

std::string ProfileKeyLine(ProfileKind kind, const std::string& value)
{
    return std::string(ProfileKeyName(kind)) + "=" + value;
}
