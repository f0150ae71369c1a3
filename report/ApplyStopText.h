// What the user reads where an apply stopped at the printer or at a file
// before anything was written: the same text in the main dialog's report and,
// as one line, in the command line's output.
#pragma once

#include "operation/ApplyOutcome.h"

#include <windows.h>

#include <string>

// The text for ApplyUnrecordable, ApplyNewNameRefused, ApplyPrinterGone,
// ApplyBadProfileFile, ApplyUntrustedSource and ApplyFileNameClash; empty for
// every other stop.
std::string ApplyStopText(const PrinterRequest& request, const ApplyOutcome& outcome);

// Why a source is not trusted (which group may write the file or which
// folder, which name is a link, whose access list cannot be read, with the
// system's reason); empty for a trusted one.
std::string SourceTrustText(const SourceTrust& trust);

// Why newName, for the printer now called printer, is refused; empty for
// the two verdicts that pass.
std::string NewNameRefusalText(NewNameVerdict verdict, const std::string& newName, const std::string& printer);
