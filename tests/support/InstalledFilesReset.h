// The tool's account of the profile files it installed lives in the system
// directory of the prefix, which the tests of one program share: each test
// starts without one, as on a machine the tool never ran on.
#pragma once

// Deletes the account and the files it keeps aside (in the native folders).
void ForgetInstalledFiles();
