// The /csv output as text: RFC 4180 fields and rows, and the columns each
// command's rows have. Pure: no file, no window. The bytes stay in the
// system code page; only the comma, the double quote, CR and LF are looked
// for, and no trail byte of code page 932 is one of them (a trail byte may be
// 0x5C, a backslash, which CSV does not treat specially).
#pragma once

#include <string>
#include <vector>

// Which columns the rows of a command have; the header names them in stable
// English, whatever the language of the lines.
enum CsvLayout {
    CsvPrinters, // the applies, /check: Printer,Set,Result,ExitCode,Detail
    CsvListing,  // /list: Printer,Set,Port,Driver,Result,ExitCode,Detail
    CsvSetFiles, // /sets: Set,Key,File,Result,ExitCode,Detail
};

// The result words: lowercase English, never translated and never changed,
// since scripts compare them.
extern const char kCsvDone[];      // applied: everything asked for happened (0)
extern const char kCsvUnchanged[]; // applied or removed: everything was in place already, nothing written (0)
extern const char kCsvRemoved[];   // /remove: the record and the files no other record names are gone (0)
extern const char kCsvRestart[];   // applied, a file in use is replaced at the next restart (3010)
extern const char kCsvFailed[];    // applied in part: not recorded (7), a copy (8) or the rename (9) failed
extern const char kCsvSkipped[];   // left out: cannot be opened for administration, gone, or no record
                                   // of its own possible (12; /list: 0)
extern const char kCsvMatches[];   // /check: uses the set as an apply leaves it (0)
extern const char kCsvDiffers[];   // /check: does not (10)
extern const char kCsvListed[];    // /list: a printer the dialog lists (0)
extern const char kCsvOk[];        // /sets: the file may be installed (0)
extern const char kCsvMissing[];   // /sets: the file cannot be opened (10)
extern const char kCsvInvalid[];   // /sets: no profile file to install (10)
extern const char kCsvUntrusted[]; // /sets: others than administrators may change it (10)
extern const char kCsvSameName[];  // /sets: another file of the set has its file name (10)
extern const char kCsvClash[];     // /sets: another set installs its file name from another file (10)
extern const char kCsvNone[];      // the only row: the run ended with 0 and had nothing to list
extern const char kCsvStopped[];   // the only row: the run ended before any printer or set was
                                   // handled; the exit code and the detail say why

// One row's values; a layout takes the columns it has and leaves the rest.
struct CsvRecord {
    std::string printer;
    std::string set;
    std::string port, driver; // CsvListing
    std::string key, file;    // CsvSetFiles
    const char* result = kCsvNone;
    int code = 0;
    std::string detail;
};

// A field as RFC 4180 writes it: in double quotes, its own doubled, when it
// holds a comma, a double quote, CR or LF, and also when it begins or ends
// with a blank, so that a reader that trims unquoted fields keeps the
// blanks of a printer name.
std::string CsvField(const std::string& text);
// The fields joined by commas, ended with CR LF.
std::string CsvRow(const std::vector<std::string>& fields);
// The header row and a record's row of a layout.
std::string CsvHeader(CsvLayout layout);
std::string CsvRecordRow(CsvLayout layout, const CsvRecord& record);
// Output lines as one detail text: joined by a tab, a tab or a line break
// inside one (LF or CR LF) made a blank, so the tabs part the steps alone.
std::string JoinedLines(const std::vector<std::string>& lines);
