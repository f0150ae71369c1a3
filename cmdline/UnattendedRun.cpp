// The application started with the command line's switches: no main dialog,
// no message box (except the usage when nobody reads the output), no running
// copy brought forward. What the run does goes to the log file and the
// redirected standard output; how it ended is the exit code.
#include "cmdline/UnattendedRun.h"

#include "classlib/SystemMessage.h"
#include "classlib/WinApp.h"
#include "cmdline/PrinterListing.h"
#include "cmdline/UnattendedApply.h"
#include "cmdline/UnattendedCheck.h"
#include "cmdline/RunOutput.h"
#include "platform/InstanceGuard.h"
#include "printers/PrinterSnapshot.h"
#include "res/resource.h"

namespace {

// The usage, written when the caller reads the output, else in one message
// box (the only window an unattended start may show: nobody would read the
// lines otherwise). complaint, when given, comes first.
void ShowUsage(CRunOutput& output, const std::string& complaint, UINT icon)
{
    const std::string usage = LoadResString(IDS_CMD_USAGE);
    if (!complaint.empty())
        output.Line(complaint);
    if (output.HasStandardOutput()) {
        output.StandardOutputLine(usage);
        return;
    }
    AfxMessageBox((complaint.empty() ? usage : complaint + "\n\n" + usage).c_str(), MB_OK | icon);
}

} // namespace

int RunUnattended(const CommandOptions& options, const std::string& commandLine, const CToolSettingsFile& toolFile,
                  HANDLE& mutex)
{
    CRunOutput output;
    if (!options.logPath.empty()) {
        DWORD error = 0;
        if (!output.OpenLog(options.logPath, error)) {
            output.Line(WithReason(FormatResString(IDS_CMD_LOG_FAILED, options.logPath), error));
            return ExitBadCommandLine;
        }
    }
    if (options.mode == CommandUsage) {
        ShowUsage(output, std::string(), MB_ICONINFORMATION);
        return ExitDone;
    }
    if (options.mode == CommandBad) {
        const std::string argument = options.badArgument.empty() ? commandLine : options.badArgument;
        ShowUsage(output, FormatResString(IDS_CMD_BAD_ARGUMENT, argument), MB_ICONERROR);
        return ExitBadCommandLine;
    }

    // One copy at a time, as for the dialog, but a copy that runs is only
    // reported: the unattended run brings no window forward and asks nothing.
    if (OtherUserRuns()) {
        output.Line(LoadResString(IDS_OTHER_USER));
        return ExitAlreadyRunning;
    }
    DWORD mutexError = 0;
    if (!AcquireInstanceMutex(InstanceMutexName(), mutex, mutexError)) {
        // A mutex that could not be made at all is told with the system's
        // reason.
        output.Line(WithReason(LoadResString(IDS_CMD_ALREADY_RUNNING), mutexError));
        return ExitAlreadyRunning;
    }

    // One enumeration serves the check, the listing and the apply.
    CPrinterSnapshot printers;
    printers.Take();
    if (!printers.AnyListed()) {
        output.Line(OneLine(LoadResString(IDS_NO_DRIVER)));
        return ExitNoPrinter;
    }
    if (options.mode == CommandList) {
        for (const std::string& line : PrinterListLines(printers))
            output.Line(line);
        return ExitDone;
    }

    if (!toolFile.Exists()) {
        output.Line(toolFile.NotFoundText());
        return ExitNoSettings;
    }
    if (options.mode == CommandCheck)
        return RunUnattendedCheck(toolFile.Open(), printers, options, output);
    return RunUnattendedApply(toolFile.Open(), printers, options, output);
}
