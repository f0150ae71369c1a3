// A printer's record written as an apply writes it: through the one writer
// of the driver settings file.
#pragma once

#include "settings/DriverIniChange.h"

#include <string>

// The set and the file names of paths (auto, font, tone, vividness) under
// the printer's section; TextChangeFailed when the file cannot be written.
TextChangeResult WriteRecord(const std::string& printer, const std::string& setName, const std::string paths[4]);
