// The one message a Set click ends with, built from what the apply did.
#pragma once

#include "operation/ApplyOutcome.h"

#include <string>

// Empty when there is nothing to tell: everything was done, or the user
// declined. Otherwise the text of one message box: the plain "could not be
// changed" message when nothing was recorded, the file name when two of the
// set's files share one, and, when the set was recorded but some step did
// not happen, a first line and one line per such step with the system's
// reason where it gave one. Files in use that are replaced at the next
// restart are listed one a line, under a line of their own: after the
// "recorded" line when nothing failed, after the failed steps otherwise.
// Targets that already were the set's files (left unasked) are listed the
// same way, last.
std::string ApplyReportText(const PrinterRequest& request, const ApplyOutcome& outcome);
