// The four kinds of profile file in a colour-profile set. Their names are the
// key names in both settings files.
#pragma once

#include <string>

enum ProfileKind {
    ProfileAuto,
    ProfileVividness,
    ProfileTone,
    ProfileFont,
};

// The order of a set's four files wherever they are read, checked,
// installed and recorded (the order the driver's own writes leave them in).
inline constexpr ProfileKind kProfileSlots[4] = {ProfileAuto, ProfileFont, ProfileTone, ProfileVividness};

// "Auto", "Vividness", "Tone" or "Font".
const char* ProfileKeyName(ProfileKind kind);
// The key and its value as a settings file's line has them: "Auto=value".
std::string ProfileKeyLine(ProfileKind kind, const std::string& value);
