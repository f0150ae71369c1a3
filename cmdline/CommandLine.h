// The unattended command line, parsed once into plain options:
//   /printer:NAME [/printer:NAME ...] /set:NAME [/rename:NAME] [/overwrite:yes|no] [/log:PATH] [/csv]
//   /printer:* [/skip:NAME ...] /set:NAME [/overwrite:yes|no] [/log:PATH] [/csv]
//   /printer:NAME|* [...] [/skip:NAME ...] /set:NAME /check [/log:PATH] [/csv]
//   /printer:NAME|* [...] [/skip:NAME ...] /remove [/log:PATH] [/csv]
// /skip goes only with /printer:*.
//   /list [/log:PATH] [/csv]
//   /sets [/log:PATH] [/csv]
//   /?
// /csv goes with a command (with /? or alone it makes the line bad): the
// standard output then gets rows a script reads instead of the lines.
// Switch names match without regard to case. Arguments are separated by
// blanks; a double quote starts and ends a quoted stretch, in which blanks
// belong to the argument, and is itself dropped, so /printer:"Plotter 3F"
// and "/printer:Plotter 3F" are the same. A backslash is an ordinary
// character (paths end in one), and a double-byte character never holds a
// blank or a quote in code page 932.
#pragma once

#include <string>
#include <vector>

enum CommandMode {
    CommandInteractive, // no arguments: the main dialog
    CommandApply,       // /printer and /set
    CommandCheck,       // /check with /printer and /set: compares, changes nothing
    CommandRemove,      // /remove with /printer: takes the printers' records and files away
    CommandList,        // /list
    CommandSets,        // /sets
    CommandUsage,       // /? anywhere
    CommandBad,         // anything else
};

struct CommandOptions {
    CommandMode mode = CommandInteractive;
    std::vector<std::string> printers; // each /printer's value, in the order given
    bool allPrinters = false;          // /printer:* (never given together with a name)
    std::vector<std::string> skipped;  // each /skip's value: printers /printer:* leaves out
    std::string setName;
    bool rename = false; // /rename was given (its value may be empty)
    std::string newName;
    bool overwrite = true;   // /overwrite:yes, the default
    std::string logPath;     // empty without /log; kept for a bad command line too
    bool csv = false;        // /csv: rows on the standard output; kept for a bad command line too
    std::string badArgument; // the first argument that made the line bad
};

// The arguments after the program name (WinMain's command line).
CommandOptions ParseCommandLine(const std::string& arguments);
