#include "cmdline/CommandLine.h"

#include <windows.h>

#include <vector>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// The arguments with their quotes taken out.
std::vector<std::string> SplitArguments(const std::string& line)
{
    std::vector<std::string> arguments;
    size_t i = 0;
    for (;;) {
        while (i < line.size() && IsBlank(line[i]))
            ++i;
        if (i == line.size())
            return arguments;
        std::string argument;
        bool quoted = false;
        for (; i < line.size() && (quoted || !IsBlank(line[i])); ++i) {
            if (line[i] == '"')
                quoted = !quoted;
            else
                argument += line[i];
        }
        arguments.push_back(argument);
    }
}

// Switch names are plain ASCII: lstrcmpiA is enough.
bool SameName(const std::string& a, const char* b)
{
    return ::lstrcmpiA(a.c_str(), b) == 0;
}

} // namespace

CommandOptions ParseCommandLine(const std::string& arguments)
{
    CommandOptions options;
    bool bad = false;
    bool usage = false;
    bool list = false;
    bool sets = false;
    bool check = false;
    bool remove = false;
    bool setName = false, overwrite = false, log = false;
    std::string renameArgument, skipArgument;

    // Every argument is read, also after a bad one, so that a /log given
    // anywhere still receives the complaint.
    for (const std::string& argument : SplitArguments(arguments)) {
        const auto fail = [&] {
            if (!bad)
                options.badArgument = argument;
            bad = true;
        };
        if (argument.size() < 2 || argument[0] != '/') {
            fail();
            continue;
        }
        const size_t colon = argument.find(':');
        const std::string name = argument.substr(1, colon == std::string::npos ? std::string::npos : colon - 1);
        const bool hasValue = colon != std::string::npos;
        const std::string value = hasValue ? argument.substr(colon + 1) : std::string();

        // A switch that takes a value: given once, with a value that may be
        // empty only where emptiness means something (an empty new name is
        // refused later, like an emptied name edit).
        const auto take = [&](bool& seen, std::string& target, bool mayBeEmpty) {
            if (seen || !hasValue || (value.empty() && !mayBeEmpty))
                return fail();
            seen = true;
            target = value;
        };
        if (SameName(name, "?") && !hasValue) {
            usage = true;
        } else if (SameName(name, "list") && !hasValue && !list) {
            list = true;
        } else if (SameName(name, "sets") && !hasValue && !sets) {
            sets = true;
        } else if (SameName(name, "check") && !hasValue && !check) {
            check = true;
        } else if (SameName(name, "remove") && !hasValue && !remove) {
            remove = true;
        } else if (SameName(name, "csv") && !hasValue && !options.csv) {
            options.csv = true;
        } else if (SameName(name, "printer")) {
            // Given once per printer; "*" stands for every printer and
            // cannot be mixed with names (which printers would be meant?).
            if (!hasValue || value.empty() ||
                (value == "*" ? !options.printers.empty() || options.allPrinters : options.allPrinters))
                fail();
            else if (value == "*")
                options.allPrinters = true;
            else
                options.printers.push_back(value);
        } else if (SameName(name, "skip")) {
            // Repeatable, one printer each, matched as /printer is.
            if (!hasValue || value.empty())
                fail();
            else
                options.skipped.push_back(value);
            if (skipArgument.empty())
                skipArgument = argument;
        } else if (SameName(name, "set")) {
            take(setName, options.setName, false);
        } else if (SameName(name, "rename")) {
            take(options.rename, options.newName, true);
            renameArgument = argument;
        } else if (SameName(name, "log")) {
            take(log, options.logPath, false);
        } else if (SameName(name, "overwrite") && !overwrite && hasValue &&
                   (SameName(value, "yes") || SameName(value, "no"))) {
            overwrite = true;
            options.overwrite = SameName(value, "yes");
        } else {
            fail();
        }
    }

    // A new name belongs to one printer: with several or every printer it
    // would be given to each of them.
    if (options.rename && (options.allPrinters || options.printers.size() > 1) && !bad) {
        options.badArgument = renameArgument;
        bad = true;
    }
    // A printer is left out of every printer only: named printers are
    // chosen one by one.
    if (!options.skipped.empty() && !options.allPrinters && !bad) {
        options.badArgument = skipArgument;
        bad = true;
    }
    const bool printer = options.allPrinters || !options.printers.empty();
    const bool apply = printer || setName || options.rename || overwrite;
    if (usage && !options.csv)
        options.mode = CommandUsage;
    else if (bad || usage)
        options.mode = CommandBad; // with /csv: the usage is text for a reader, not rows
    else if (sets && (list || apply || check || remove))
        options.mode = CommandBad; // /sets is a mode of its own
    else if (sets)
        options.mode = CommandSets;
    else if (remove) // the printers only: no set to name, nothing to rename or overwrite
        options.mode =
            printer && !setName && !list && !check && !options.rename && !overwrite ? CommandRemove : CommandBad;
    else if (list && !apply && !check)
        options.mode = CommandList;
    else if (check && printer && setName && !list && !options.rename && !overwrite)
        options.mode = CommandCheck; // it compares only: nothing to rename or overwrite
    else if (printer && setName && !list && !check)
        options.mode = CommandApply;
    else if (list || apply || log || check || options.csv)
        options.mode = CommandBad; // /list mixed with the apply's switches, half an apply, /log or /csv alone
    return options;
}
