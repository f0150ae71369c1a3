#include "support/SettingsText.h"

std::string IniText(const std::vector<IniSectionRows>& sections)
{
    std::string text;
    for (const IniSectionRows& section : sections) {
        text += "[" + section.name + "]\r\n";
        for (const auto& entry : section.entries)
            text += entry.first + "=" + entry.second + "\r\n";
    }
    return text;
}

std::string ToolSettingsText(const std::vector<std::string>& setNames, const std::vector<IniSectionRows>& setSections)
{
    IniSectionRows main{"KESTRO PLOTARA Color Profile Setup Tool",
                        {{"NumColorProfileSets", std::to_string(setNames.size())}}};
    for (size_t i = 0; i < setNames.size(); ++i)
        main.entries.emplace_back("ColorProfileSetName" + std::to_string(i + 1), setNames[i]);
    std::vector<IniSectionRows> sections{main};
    sections.insert(sections.end(), setSections.begin(), setSections.end());
    return IniText(sections);
}

IniSectionRows SetFiles(const std::string& set, const std::string& autoFile, const std::string& vividness,
                        const std::string& tone, const std::string& font)
{
    return {set, {{"Auto", autoFile}, {"Vividness", vividness}, {"Tone", tone}, {"Font", font}}};
}
