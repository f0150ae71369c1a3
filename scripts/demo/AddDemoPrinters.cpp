// Adds the demo's sample printers to the Wine prefix it runs in, through the
// spooler API as an installer would: two of the supported drivers, one shared,
// and one of another maker's driver that the tool must leave out.
#include "scripts/demo/SpoolerSetup.h"

#include <stdio.h>

int main()
{
    bool ok = AddStandInDriver("KESTRO PLOTARA") && AddStandInDriver("KESTRO PLOTARA Color Printer") &&
              AddStandInDriver("Generic Laser 5");
    ok = ok && AddLocalPrinter("Plotter 3F", "KESTRO PLOTARA", "LPT1:", 0);
    ok = ok && AddLocalPrinter("plotter annex", "KESTRO PLOTARA", "FILE:", 0);
    ok = ok && AddLocalPrinter("Color Plotter 2F", "KESTRO PLOTARA Color Printer", "FILE:", 0);
    ok = ok && AddLocalPrinter("Shared Plotter", "KESTRO PLOTARA Color Printer", "LPT1:", PRINTER_ATTRIBUTE_SHARED);
    ok = ok && AddLocalPrinter("Office Laser", "Generic Laser 5", "LPT1:", 0);
    ok = ok && SetDefaultPrinterA("Color Plotter 2F");
    printf(ok ? "demo printers added\n" : "adding the demo printers failed\n");
    return ok ? 0 : 1;
}
