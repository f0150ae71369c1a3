// The unattended command line: any text parses to exactly one mode, and what
// it yields holds together (a values-only apply has both names, a line
// without arguments is the dialog, quoted text never leaks its quotes).
#include "FuzzCheck.h"
#include "cmdline/CommandLine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string line = TakeText(data, size);
    const CommandOptions options = ParseCommandLine(line);

    switch (options.mode) {
    case CommandInteractive:
        // Only a line of blanks (or nothing) starts the dialog.
        FUZZ_CHECK(line.find_first_not_of(" \t") == std::string::npos);
        break;
    case CommandApply:
    case CommandCheck:
        FUZZ_CHECK((options.allPrinters || !options.printers.empty()) && !options.setName.empty());
        FUZZ_CHECK(options.badArgument.empty());
        // "*" is never mixed with names, and a new name goes to one printer.
        FUZZ_CHECK(!(options.allPrinters && !options.printers.empty()));
        FUZZ_CHECK(!options.rename || (!options.allPrinters && options.printers.size() == 1));
        FUZZ_CHECK(options.mode == CommandApply || (!options.rename && options.overwrite));
        break;
    case CommandRemove:
        // The printers alone: no set, nothing to rename or overwrite.
        FUZZ_CHECK((options.allPrinters || !options.printers.empty()) && options.setName.empty());
        FUZZ_CHECK(options.badArgument.empty() && !options.rename && options.overwrite);
        break;
    case CommandList:
    case CommandSets:
        FUZZ_CHECK(!options.allPrinters && options.printers.empty() && options.setName.empty() && !options.rename);
        FUZZ_CHECK(options.badArgument.empty());
        break;
    case CommandUsage:
        FUZZ_CHECK(line.find("/?") != std::string::npos || line.find("?") != std::string::npos);
        break;
    case CommandBad:
        break;
    }
    // Quotes are dropped wherever they stood.
    for (const std::string* value : {&options.setName, &options.newName, &options.logPath})
        FUZZ_CHECK(value->find('"') == std::string::npos);
    for (const std::string& printer : options.printers)
        FUZZ_CHECK(!printer.empty() && printer.find('"') == std::string::npos);
    return 0;
}
