// What an apply (or a removal) is asked to do: for the run as a whole, and
// for each printer's part as the callback is told of it.
#pragma once

#include <string>
#include <vector>

// What one apply is asked to do.
struct ApplyRequest {
    std::vector<std::string> printers; // as the spooler spells them, each once
    std::string setName;               // the set they are to use
    // One printer only: its name afterwards (its own name for none; an empty
    // one is refused). A rename run again: the name the printer had before an earlier
    // run renamed it (empty otherwise); a section still standing under it,
    // with none under the printer's name, moves with the record.
    std::string newName = std::string();
    std::string formerName = std::string();
    // Every printer was asked for (not each by name): a printer that cannot
    // have a record of its own or is gone by now is skipped, and the others
    // go on. Otherwise such a printer stops the apply before anything changes.
    bool skipUnusable = false;
    // The printers' records are removed instead (setName is not used), and
    // the files they named that no record names any more are deleted.
    bool remove = false;
    // The callback is told of the printers under other sets that now print
    // with a file this apply wrote (OtherPrintersUseFile). Finding them reads
    // every other printer's record, so a face that shows no such line leaves
    // it off.
    bool tellOtherPrinters = false;
};

// One printer's part of an apply, as the callback is told of it.
struct PrinterRequest {
    std::string printer; // the printer's name now
    std::string setName; // the set it is to use
    std::string newName; // its name afterwards; equal to printer for none
    std::string formerName = std::string();
};
