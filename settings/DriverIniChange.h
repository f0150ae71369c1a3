// Every change an apply makes to the driver settings file, as one
// replacement of the whole file. The file is copied to a temporary file in
// its own folder, the change is made on the copy through the same profile
// functions the driver reads with (so case rules, trimming and layout are the
// profile functions' own), the copy is flushed and then replaces the file in
// one step (platform/FileReplace.h). A process ended at any instant leaves
// the file as it was or with the whole change, never a part of it.
//
// Another program may write the file meanwhile: if its size or last-write
// time changed between the copy and the replacement, the change starts over
// from a fresh copy (a few times at most), so that write is not lost.
// The file is never left to a restart: it is replaced now or not at all.
#pragma once

#include "settings/DriverINI.h"
#include "settings/IniTextEdit.h"

#include <functional>

// Makes the change on a copy of the file (an empty one where the file does
// not exist yet); change returns false when a write of it failed. True when
// the file now holds the whole change; false when it is as it was, with error
// set to the system's reason (0 when there is none to give: another program
// kept changing the file). A copy that came out byte for byte the file is
// not put in place; written, when given, tells whether the file was
// replaced.
bool ChangeDriverIni(const std::function<bool(CDriverINI& copy)>& change, DWORD& error, bool* written = nullptr);

// What a change of the file's text made of it.
enum TextEdit {
    TextEdited,      // edited holds the new text (its pieces may be views into text)
    TextUnchanged,   // the text holds the change already: nothing is written
    TextNotEditable, // the text is one the edit cannot read as the profile functions do
};
enum TextChangeResult {
    TextChangeDone,        // the file holds the whole change
    TextChangeNotNeeded,   // the file held the change already: nothing was written
    TextChangeFailed,      // the file is as it was (error)
    TextChangeNotEditable, // nothing was written: the change goes through the profile functions
};
// The change made on the file's text in one pass: the file is read once,
// change gives the new text, which is written to a temporary file beside it,
// flushed and put in place in one step, as ChangeDriverIni does. A file
// mapped to the registry (NT's IniFileMapping) is not editable.
TextChangeResult
ChangeDriverIniText(const std::function<TextEdit(const std::string& text, EditedIniText& edited)>& change,
                    DWORD& error);
