// The printer list of the built KPXSETUP.EXE as an administrator meets it:
// which printers it lists, with the set PLOTA2.INI records for each and
// their ports, how a click on a column header sorts it, which row starts
// selected, and what a row change puts into the name edit and the set
// drop-down. Driven from this process, with real printers of the prefix's
// spooler (each test runs in a private prefix).
#include "res/resource.h"
#include "support/Cp932.h"
#include "support/RemoteMainDialog.h"
#include "support/SettingsText.h"
#include "support/TestPrinter.h"
#include "support/ToolFolder.h"
#include "support/ToolProcess.h"
#include "support/WinePrefix.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const DWORD kTimeout = 20000;
using Rows = std::vector<std::vector<std::string>>;

TEST(ListingBlackbox, ListsSortsAndFollowsTheSelectedRow)
{
    // Three printers of the two supported drivers, one of another maker's
    // driver, which is not listed; gamma is shared, so it cannot be renamed,
    // and it is the system's default printer, so it starts selected.
    TestPrinter beta("beta", kDriver, "LPT1:");
    TestPrinter alpha("Alpha", kColorDriver, "LPT2:");
    TestPrinter gamma("gamma", kDriver, "FILE:", PRINTER_ATTRIBUTE_SHARED);
    TestPrinter laser("Office Laser", kOtherDriver, "LPT1:");
    ASSERT_TRUE(beta.added() && alpha.added() && gamma.added() && laser.added());
    ASSERT_TRUE(SetDefaultTestPrinter("gamma"));

    // beta has a recorded set; Alpha's section lacks the key, so it shows
    // the default text like gamma, which has no section at all.
    ASSERT_TRUE(WriteFileBytes(
        DriverIniFile(), DriverSettingsText({{"beta", {{"ColorProfileSetName", "Poster"}, {"Auto", "poster.kpx"}}},
                                             {"Alpha", {{"Auto", "a.kpx"}}}})));

    ToolFolder folder;
    ASSERT_TRUE(folder.deployed());
    // Listed in the file as Poster, Office, Art: the drop-down sorts them.
    ASSERT_TRUE(folder.WriteSettings(ToolSettingsText({"Poster", "Office", "Art"})));

    ToolProcess tool;
    HWND dlg = StartMainDialog(tool, folder.exe());
    ASSERT_NE(dlg, nullptr);
    RemoteMainDialog main(dlg);

    const std::string none = Cp932(u8"MODELA QX 480");
    // Sorted by printer name without regard to case.
    EXPECT_EQ(main.Rows(), (Rows{{"Alpha", none, "LPT2:"}, {"beta", "Poster", "LPT1:"}, {"gamma", none, "FILE:"}}));
    EXPECT_EQ(main.Sets(), (std::vector<std::string>{"Art", "Office", "Poster"}));

    // The default printer's row, its name, no set matching the default text,
    // and no rename for a shared printer.
    EXPECT_EQ(main.SelectedRow(), 2);
    EXPECT_EQ(main.Name(), "gamma");
    EXPECT_EQ(main.SelectedSet(), "");
    EXPECT_FALSE(main.NameEditEnabled());
    EXPECT_FALSE(main.SetButtonEnabled());

    // Header clicks: the list starts sorted by printer name ascending, so a
    // click on that column reverses it and the next restores it; the first
    // click on another column sorts by it ascending (port; then set name).
    main.ClickColumn(0);
    EXPECT_EQ(main.Printers(), (std::vector<std::string>{"gamma", "beta", "Alpha"}));
    main.ClickColumn(0);
    EXPECT_EQ(main.Printers(), (std::vector<std::string>{"Alpha", "beta", "gamma"}));
    main.ClickColumn(2);
    EXPECT_EQ(main.Printers(), (std::vector<std::string>{"gamma", "beta", "Alpha"}));
    main.ClickColumn(1);
    EXPECT_EQ(main.Rows()[2], (std::vector<std::string>{"beta", "Poster", "LPT1:"}));
    // A sort leaves the selection with its printer.
    EXPECT_EQ(main.Printers()[main.SelectedRow()], "gamma");

    // Another row: its name and its recorded set come up, rename is offered
    // for the unshared printer, and Set waits for a change.
    ASSERT_TRUE(main.SelectRow(main.RowOf("beta")));
    EXPECT_EQ(main.Name(), "beta");
    EXPECT_EQ(main.SelectedSet(), "Poster");
    EXPECT_TRUE(main.NameEditEnabled());
    EXPECT_FALSE(main.SetButtonEnabled());

    // Typing enables Set; the next row change disables it again and puts
    // that row's values in.
    EXPECT_EQ(main.TypeName("2"), "beta2");
    EXPECT_TRUE(main.SetButtonEnabled());
    ASSERT_TRUE(main.SelectRow(main.RowOf("Alpha")));
    EXPECT_EQ(main.Name(), "Alpha");
    EXPECT_EQ(main.SelectedSet(), "Poster") << "an unmatched set text leaves the drop-down as it was";
    EXPECT_FALSE(main.SetButtonEnabled());

    // Picking a set enables Set.
    ASSERT_TRUE(main.PickSet("Office"));
    EXPECT_TRUE(main.SetButtonEnabled());

    // Close ends the program without asking or writing anything.
    std::string before = ReadFileBytes(DriverIniFile());
    main.PressClose();
    EXPECT_TRUE(tool.WaitForExit(kTimeout));
    EXPECT_EQ(ReadFileBytes(DriverIniFile()), before);
}

} // namespace
