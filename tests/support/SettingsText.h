// Settings-file text built from a small table, as the tests plant it: the
// tool's KPXSETUP.INI and the driver's PLOTA2.INI. Each section is "[name]"
// followed by its "key=value" lines in order, every line ending in CR LF;
// names and values are code page bytes, stored as given.
//   ToolSettingsText({"Office"}, {{"Office", {{"Auto", "C:\\p\\auto.kpx"}}}})
//   DriverSettingsText({{"Plotter 3F", {{"ColorProfileSetName", "Office"}}}})
#pragma once

#include <string>
#include <utility>
#include <vector>

struct IniSectionRows {
    std::string name;
    std::vector<std::pair<std::string, std::string>> entries;
};

std::string IniText(const std::vector<IniSectionRows>& sections);

// The tool settings file: its main section names the profile sets in order
// (NumColorProfileSets and ColorProfileSetName1..n), then the given sections
// (a set's files) follow.
std::string ToolSettingsText(const std::vector<std::string>& setNames,
                             const std::vector<IniSectionRows>& setSections = {});

// A set's section naming its four profile files, or one file for all four.
IniSectionRows SetFiles(const std::string& set, const std::string& autoFile, const std::string& vividness,
                        const std::string& tone, const std::string& font);
inline IniSectionRows SetFiles(const std::string& set, const std::string& file)
{
    return SetFiles(set, file, file, file, file);
}

// The driver settings file: one section per printer.
inline std::string DriverSettingsText(const std::vector<IniSectionRows>& printers)
{
    return IniText(printers);
}
