#include "support/ApplyRecorder.h"

bool ApplyRecorder::SourceFileMissing(std::string& path, DWORD)
{
    missing.push_back(path);
    if (correctedPath.empty() || path == correctedPath)
        return false;
    path = correctedPath;
    return true;
}

INT_PTR ApplyRecorder::AskOverwrite(const std::string&, const std::string&)
{
    ++overwriteQuestions;
    return overwrite;
}

void ApplyRecorder::OtherPrintersUseFile(const PrinterRequest&, const std::string& fileName,
                                         const std::vector<std::string>& printers)
{
    std::string line = "others " + fileName + ":";
    for (size_t i = 0; i < printers.size(); ++i)
        line += (i ? ", " : " ") + printers[i];
    steps.push_back(line);
}

void ApplyRecorder::RenameEnded(const PrinterRequest& request, RenameResult result, DWORD)
{
    steps.push_back("renamed " + request.printer + " " + std::to_string(result));
}

void ApplyRecorder::SectionMoveEnded(const PrinterRequest& request, bool moved)
{
    steps.push_back((moved ? "moved " : "left ") + request.printer);
}

void ApplyRecorder::PrinterSkipped(const PrinterRequest& request, ApplyStop why)
{
    steps.push_back("skipped " + request.printer + " " + std::to_string(why));
}

void ApplyRecorder::ApplyEnded(const PrinterRequest& request, const ApplyOutcome& outcome)
{
    steps.push_back("ended " + request.printer + " " + std::to_string(outcome.stop));
}
