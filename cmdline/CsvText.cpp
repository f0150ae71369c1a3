#include "cmdline/CsvText.h"

#include "classlib/LineBreaks.h"

#include <algorithm>

const char kCsvDone[] = "done";
const char kCsvUnchanged[] = "unchanged";
const char kCsvRemoved[] = "removed";
const char kCsvRestart[] = "restart";
const char kCsvFailed[] = "failed";
const char kCsvSkipped[] = "skipped";
const char kCsvMatches[] = "matches";
const char kCsvDiffers[] = "differs";
const char kCsvListed[] = "listed";
const char kCsvOk[] = "ok";
const char kCsvMissing[] = "missing";
const char kCsvInvalid[] = "invalid";
const char kCsvUntrusted[] = "untrusted";
const char kCsvSameName[] = "samename";
const char kCsvClash[] = "clash";
const char kCsvNone[] = "none";
const char kCsvStopped[] = "stopped";

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

} // namespace

std::string CsvField(const std::string& text)
{
    const bool quoted = text.find_first_of(",\"\r\n") != std::string::npos ||
                        (!text.empty() && (IsBlank(text.front()) || IsBlank(text.back())));
    if (!quoted)
        return text;
    std::string field = "\"";
    for (const char c : text) {
        field += c;
        if (c == '"')
            field += '"';
    }
    return field + '"';
}

std::string CsvRow(const std::vector<std::string>& fields)
{
    std::string row;
    for (size_t i = 0; i < fields.size(); ++i)
        row += (i == 0 ? "" : ",") + CsvField(fields[i]);
    return row + "\r\n";
}

std::string CsvHeader(CsvLayout layout)
{
    switch (layout) {
    case CsvListing:
        return CsvRow({"Printer", "Set", "Port", "Driver", "Result", "ExitCode", "Detail"});
    case CsvSetFiles:
        return CsvRow({"Set", "Key", "File", "Result", "ExitCode", "Detail"});
    case CsvPrinters:
        break;
    }
    return CsvRow({"Printer", "Set", "Result", "ExitCode", "Detail"});
}

std::string CsvRecordRow(CsvLayout layout, const CsvRecord& r)
{
    const std::string code = std::to_string(r.code);
    switch (layout) {
    case CsvListing:
        return CsvRow({r.printer, r.set, r.port, r.driver, r.result, code, r.detail});
    case CsvSetFiles:
        return CsvRow({r.set, r.key, r.file, r.result, code, r.detail});
    case CsvPrinters:
        break;
    }
    return CsvRow({r.printer, r.set, r.result, code, r.detail});
}

std::string JoinedLines(const std::vector<std::string>& lines)
{
    // A tab between steps: no step holds one (its own tabs and line breaks
    // become blanks), so a reader splits the field back into its steps.
    std::string joined;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string line = OnOneLine(lines[i]);
        std::replace(line.begin(), line.end(), '\t', ' ');
        joined += (i == 0 ? "" : "\t") + line;
    }
    return joined;
}
