// The four kinds of profile file in a colour-profile set. Their names are the
// key names in both settings files.
#pragma once

enum ProfileKind {
    ProfileAuto,
    ProfileVividness,
    ProfileTone,
    ProfileFont,
};

// "Auto", "Vividness", "Tone" or "Font".
const char* ProfileKeyName(ProfileKind kind);
