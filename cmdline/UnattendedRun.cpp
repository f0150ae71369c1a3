// The application started with the command line's switches: no main dialog,
// no message box (except the usage when nobody reads the output), no running
// copy brought forward. What the run does goes to the log file and the
// redirected standard output; how it ended is the exit code.
#include "cmdline/UnattendedRun.h"

#include "classlib/ExceptionReport.h"
#include "classlib/LineBreaks.h"
#include "classlib/SystemMessage.h"
#include "classlib/WinApp.h"
#include "cmdline/LineText.h"
#include "cmdline/PrinterListing.h"
#include "cmdline/RunLog.h"
#include "cmdline/RunOutput.h"
#include "cmdline/SetsReport.h"
#include "cmdline/UnattendedApply.h"
#include "cmdline/UnattendedCheck.h"
#include "cmdline/UsageBox.h"
#include "operation/StartupCheck.h"
#include "printers/PrinterSnapshot.h"
#include "res/resource.h"

namespace {

std::string WithoutBlankLines(std::string text)
{
    for (size_t at = text.find("\n\n"); at != std::string::npos; at = text.find("\n\n"))
        text.erase(at, 1);
    return text;
}

// The usage, written where the caller reads the lines (the log, a
// redirected output), else in the usage box: the only window an unattended
// start may show. complaint, when given, comes first. A bad command line's box
// closes itself: in a startup script nobody may be there to click, and the
// script must go on; the usage asked for with /? waits for its reader.
void ShowUsage(CRunOutput& output, const std::string& complaint)
{
    const std::string usage = LoadResString(IDS_CMD_USAGE);
    if (output.HasLog() || output.HasStandardOutput()) {
        if (!complaint.empty())
            output.Line(complaint);
        output.StandardOutputLine(usage);
        // In the log a blank line sets runs apart: the usage goes there
        // without its own.
        output.LogLine(WithoutBlankLines(usage));
        return;
    }
    if (complaint.empty())
        ShowUsageBox(usage, 0);
    else
        ShowUsageBox(complaint + "\n\n" + usage, kUsageBoxMs);
}

// The run after the log is open: the exit code.
int RunMode(const CommandOptions& options, const std::string& commandLine, const CToolSettingsFile& toolFile,
            HANDLE& mutex, CRunOutput& output, RunChange& change)
{
    if (options.mode == CommandUsage) {
        ShowUsage(output, std::string());
        return ExitDone;
    }
    if (options.mode == CommandBad) {
        const std::string argument = options.badArgument.empty() ? commandLine : options.badArgument;
        ShowUsage(output, FormatResString(IDS_CMD_BAD_ARGUMENT, {argument}));
        return ExitBadCommandLine;
    }
    // The settings file alone: no printer is needed, and nothing is written,
    // so another running copy does not matter.
    if (options.mode == CommandSets) {
        if (!toolFile.Exists()) {
            output.Line(toolFile.NotFoundText());
            return ExitNoSettings;
        }
        return RunSetsReport(toolFile.Open(), output);
    }

    // Only what writes takes the instance mutex, as the dialog does: a copy
    // that runs is only reported (no window brought forward, nothing asked).
    // The listing and the check write nothing and run beside any copy.
    StartupNeeds needs;
    needs.lock = options.mode != CommandList && options.mode != CommandCheck;
    // A machine without a supported printer has an empty list: that is the
    // answer, not a failure (a detection or an inventory script reads it as
    // such).
    needs.printer = needs.settings = options.mode != CommandList;
    // The run writes right after it lists: each printer is opened once.
    CPrinterSnapshot printers;
    printers.KeepHandles();
    DWORD mutexError = 0; // or the spooler's
    switch (CheckStartup(needs, toolFile, printers, mutex, mutexError)) {
    case StartupReady:
        break;
    case StartupOtherUser:
        output.Line(LoadResString(IDS_OTHER_USER));
        return ExitAlreadyRunning;
    case StartupAlreadyRunning:
    case StartupNoMutex:
        // A mutex that could not be made at all is told with the system's
        // reason.
        output.Line(WithReason(LoadResString(IDS_CMD_ALREADY_RUNNING), mutexError));
        return ExitAlreadyRunning;
    case StartupNoSpooler:
        output.Line(WithReason(LoadResString(IDS_CMD_SPOOLER_FAILED), mutexError));
        return ExitSpoolerFailed;
    case StartupNoPrinter:
        for (const std::string& name : printers.UnusableNames())
            output.Line(FormatResString(IDS_CMD_PRINTER_UNUSABLE, {name}));
        output.Line(OnOneLine(LoadResString(IDS_NO_DRIVER), ""));
        return ExitNoPrinter;
    case StartupNoSettings:
        output.Line(toolFile.NotFoundText());
        return ExitNoSettings;
    }
    if (options.mode == CommandList) {
        if (printers.AnyListed())
            output.LogLine(FormatResString(IDS_CMD_LIST_READ, {DriverIniText()}));
        ListPrinters(printers, output);
        return ExitDone;
    }
    if (options.mode == CommandCheck)
        return RunUnattendedCheck(toolFile.Open(), printers, options, output);
    return RunUnattendedApply(toolFile.Open(), printers, options, output, change);
}

} // namespace

namespace {

// The run with its log: the exit code.
int RunLogged(const CommandOptions& options, const std::string& commandLine, const CToolSettingsFile& toolFile,
              HANDLE& mutex, CRunOutput& output, DWORD started)
{
    DWORD error = 0;
    if (!options.logPath.empty() && !output.OpenLog(options.logPath, error)) {
        output.Line(LogFailedLine(options.logPath, error));
        return ExitBadCommandLine;
    }
    // The log frames each run: when, where, by whom and with what it
    // started, and how it ended. The whole command line names the copy of
    // the tool that ran, too.
    output.OpenRunInLog(RunOpeningLine(::GetCommandLineA()));
    RunChange change = RunChangedNothing;
    const int code = RunMode(options, commandLine, toolFile, mutex, output, change);
    const char* command = options.mode == CommandCheck ? "/check" : options.mode == CommandSets ? "/sets" : "";
    output.LogLine(RunClosingLine(code, ::GetTickCount() - started, change, std::string(), command));
    return code;
}

// Call only inside a catch block. The end of a run that died of the
// exception in flight: the closing line says so and why, the redirected
// output and a CSV's row too. Whatever cannot be written then is lost; the
// exit code still tells.
void EndOnInternalError(CRunOutput& output, DWORD started) noexcept
{
    try {
        const std::string cause = FormatResString(IDS_LOG_INTERNAL_ERROR, {AfxCurrentExceptionText()});
        output.StandardOutputLine(ExitCodeMeaning(ExitInternalError) + " " + cause);
        output.LogLine(RunClosingLine(ExitInternalError, ::GetTickCount() - started, RunChangeUnknown, cause));
        output.EndCsv(ExitInternalError, cause);
    } catch (...) {
    }
}

} // namespace

int RunUnattended(const CommandOptions& options, const std::string& commandLine, const CToolSettingsFile& toolFile,
                  HANDLE& mutex)
{
    const DWORD started = ::GetTickCount();
    CRunOutput output;
    // A run that dies of an exception (out of memory, a fault of the tool's
    // own) ends with a code of its own and says so in its last line, rather
    // than in the run time's abort, whose code would read as another
    // outcome. What it did before stays done: the code never says nothing
    // changed. The dialog face reports such a failure in its own way.
    try {
        // The header first, so that even a run that cannot open its log
        // gives a script rows to read.
        if (options.csv)
            output.StartCsv(options.mode == CommandList   ? CsvListing
                            : options.mode == CommandSets ? CsvSetFiles
                                                          : CsvPrinters);
        const int code = RunLogged(options, commandLine, toolFile, mutex, output, started);
        output.EndCsv(code);
        return code;
    } catch (...) {
        EndOnInternalError(output, started);
        return ExitInternalError;
    }
}
