// Resource ids of KPXSETUP.EXE, grouped by dialog. Shared by the resource
// script and the code; the numbers are fixed (help context ids, the window
// lookup of a running copy and the driver's own tools depend on them).
#pragma once

#include "classlib/FrameworkIds.h"

// Application-wide
#define IDS_APP_TITLE AFX_IDS_APP_TITLE // application title and main dialog caption
#define IDM_ABOUTBOX  0x0010            // system-menu command of the version dialog
#ifndef IDC_STATIC
#define IDC_STATIC (-1) // controls the code never addresses
#endif

// Strings
#define IDS_ABOUTBOX                101 // system-menu item text
#define IDS_VERSION_TEXT            102 // text of the version dialog
#define IDS_COL_PRINTER             103
#define IDS_COL_PROFILESET          104
#define IDS_COL_PORT                105
#define IDS_DRIVER_NAME             106 // "KESTRO PLOTARA"
#define IDS_DRIVER_NAME_COLOR       107 // "KESTRO PLOTARA Color Printer"
#define IDS_CAPTION_NAME_ERROR      108
#define IDS_CAPTION_PRINTER         109
#define IDS_CAPTION_PROFILE_SETTING 110
#define IDS_NO_DRIVER               111
#define IDS_NAME_EXISTS             112
#define IDS_NAME_EMPTY              113
#define IDS_CONFIRM_CHANGE          114
#define IDS_CHANGE_FAILED           115
#define IDS_DEFAULT_SET_NAME        116
#define IDS_OTHER_USER              117
#define IDS_FILE_NOT_FOUND          118
#define IDS_BROWSE_TITLE            119
// The report after an apply that recorded the set but could not do everything:
// a first line, then one line per step that did not happen.
#define IDS_APPLY_INCOMPLETE     120
#define IDS_COPY_FAILED_ITEM     121 // %s: the target that could not be written
#define IDS_RENAME_REFUSED_ITEM  122 // %s: the new name
#define IDS_RENAME_SKIPPED_ITEM  123 // %s: the new name
#define IDS_SECTION_LEFT_ITEM    124 // %s: the old name
#define IDS_FILE_NAME_CLASH      125 // %s: the file name two of the set's files share
#define IDS_BAD_PROFILE_FILE     126 // %s: "Kind=path" of a file that is no profile file
#define IDS_NAME_BLANK_EDGE      127 // a new name with a blank at an end
#define IDS_PRINTER_UNRECORDABLE 128 // %s: a printer name with a blank at an end
#define IDS_PRINTER_GONE         129 // %s: a printer renamed or deleted meanwhile
#define IDS_NO_FILE_GIVEN        130 // names the file in the copy error dialog when no path is given
#define IDS_APPLY_AT_RESTART     131 // recorded, and files in use replaced at the restart (one line each follows)
#define IDS_AT_RESTART_HEAD      132 // the same list after a report of failed steps
// The unattended command line: its usage (with the exit codes) and one output
// line per step done or failed. %s is the value named.
#define IDS_CMD_USAGE              140
#define IDS_CMD_BAD_ARGUMENT       141 // %s: the argument
#define IDS_CMD_LOG_FAILED         142 // %s: the log file
#define IDS_CMD_ALREADY_RUNNING    143
#define IDS_CMD_PRINTER_NOT_FOUND  144 // %s: the printer as typed
#define IDS_CMD_SET_NOT_FOUND      145 // %s: the set as typed
#define IDS_CMD_NAME_CHARS         146 // %s: the new name
#define IDS_CMD_NAME_TOO_LONG      147 // %s: the new name
#define IDS_CMD_RENAME_NOT_ALLOWED 148 // %s: the printer
#define IDS_CMD_COPIED             149 // %s: the target
#define IDS_CMD_KEPT               150 // %s: the target
#define IDS_CMD_COPY_FAILED        151 // %s: the target
#define IDS_CMD_SOURCE_MISSING     152 // %s: the source file
#define IDS_CMD_RECORDED           153 // %1 the set, %2 the driver settings file
#define IDS_CMD_RENAMED            154 // %s: the new name
#define IDS_CMD_RENAME_REFUSED     155 // %s: the new name
#define IDS_CMD_RENAME_SKIPPED     156 // %1 the new name, %2 the driver settings file
#define IDS_CMD_SECTION_MOVED      157 // %1 the new name, %2 the driver settings file
#define IDS_CMD_SECTION_LEFT       158 // %1 the old name, %2 the driver settings file
#define IDS_CMD_AT_RESTART         159 // %s: a target replaced at the restart
// Lines with numbered places (%1, %2 ...; cmdline/LineText.h).
#define IDS_LOG_OPENED            160 // %1 local time, %2 computer, %3 user, %4 command line, %5 version
#define IDS_LOG_CLOSED            161 // %1 exit code, %2 its meaning, %3 seconds, %4 what changed
#define IDS_LOG_PER_USER          162 // %1 the driver settings file, %2 the user it belongs to
#define IDS_CMD_NOT_RECORDED      163 // %1 the set, %2 the driver settings file
#define IDS_CMD_OTHERS_USE_FILE   164 // %1 the file name, %2 the set, %3 the printers
#define IDS_CMD_LIST_READ         165 // %1 the driver settings file
#define IDS_LOG_INTERNAL_ERROR    174 // %1 the cause of an internal error that ended a run
#define IDS_SETS_LINE             166 // %1 the set, %2 its four files
#define IDS_SETS_FILE_OK          167 // %1 Kind=path
#define IDS_SETS_FILE_MISSING     168 // %1 Kind=path (the system's reason follows)
#define IDS_SETS_FILE_NOT_PROFILE 169 // %1 Kind=path
#define IDS_SETS_FILE_SAME_NAME   170 // %1 Kind=path
#define IDS_SETS_CLASH            171 // %1 the file name, %2 each set with its source
#define IDS_SETS_NONE             172
#define IDS_SETS_FILE_UNTRUSTED   173 // %1 Kind=path, %2 why (one of the texts of IDS_TRUST_*)
// Several printers in one run, a rename run again, and /check.
#define IDS_CMD_PRINTER_SKIPPED    180 // follows why a printer of /printer:* is left out
#define IDS_CMD_ALREADY_RENAMED    181 // %s: the old name; the new name follows
#define IDS_CMD_CHECK_PASSED       182 // %s: the set
#define IDS_CMD_CHECK_NO_RECORD    183 // %s: the printer
#define IDS_CMD_CHECK_OTHER_SET    184 // %s: the printer; the recorded set follows
#define IDS_CMD_CHECK_FILE_NAME    185 // %s: the printer; "key=recorded (expected)" follows
#define IDS_CMD_CHECK_FILE_MISSING 186 // %s: the printer; the target's path follows
#define IDS_CMD_CHECK_FILE_DIFFERS 187 // %s: the printer; the target's path follows
#define IDS_CMD_CHECK_UNREADABLE   188 // %s: the printer; the target's path and the reason follow
#define IDS_CMD_SPOOLER_FAILED     189 // the system's reason follows
#define IDS_CMD_PRINTER_UNUSABLE   192 // %s: a printer of a supported driver that cannot be opened
#define IDS_CMD_IN_PLACE           193 // %1: a target that already is the set's file
#define IDS_CMD_SETS_OFFERED       194 // %1: the sets the tool settings file offers
// A removal's steps.
#define IDS_CMD_REMOVED             210 // %1 the set, %2 the driver settings file
#define IDS_CMD_NOTHING_TO_REMOVE   211 // a printer without a record
#define IDS_CMD_NOT_REMOVED         212 // %1 the driver settings file; the reason follows
#define IDS_CMD_DELETED             213 // %1 a deleted file
#define IDS_CMD_DELETE_AT_RESTART   214 // %1 a file deleted at the restart
#define IDS_CMD_DELETE_FAILED       215 // %1 a file; the reason follows
#define IDS_CMD_STILL_NAMED         216 // %1 a file name other records name
#define IDS_CMD_FILES_KEPT_PER_USER 217 // under Terminal Services no file is deleted
#define IDS_CMD_RESTORED            230 // %1 a file the tool replaced, back in its place
#define IDS_CMD_RESTORE_AT_RESTART  231 // %1 the same, at the restart
#define IDS_CMD_LEFT_NOT_OURS       232 // %1 a file the tool did not put there
#define IDS_CMD_LEFT_CHANGED        233 // %1 a file changed since the tool put it there
#define IDS_CMD_LEFT_ALIAS          234 // %1 a short name
#define IDS_CMD_LEFT_UNREADABLE     235 // %1 a file; the reason follows
#define IDS_CMD_ACCOUNT_UNREADABLE  236 // %1 the account of installed files; the reason follows
// A set of a tool settings file read as UTF-8 that the system code page
// cannot hold: /sets' finding and the apply's refusal.
#define IDS_SETS_LOST_CHARACTER 250 // %1 the set, %2 the line, %3 the character ("U+00E9")
// A Set click's report of targets that already were the set's files.
#define IDS_APPLY_IN_PLACE 251 // recorded, and these left as they were (one line each follows)
#define IDS_IN_PLACE_HEAD  252 // the same list after another report
// Texts of a run told apart or completed.
#define IDS_RENAME_NO_REASON    253 // after a refused rename the spooler gave no reason for
#define IDS_CHECK_MORE_PRINTERS 255 // %1 how many more printers share the finding
// A source that others than administrators may change: the apply's refusal,
// and why (one of the four texts after it).
#define IDS_UNTRUSTED_SOURCE      220 // %1 Kind=path, %2 why
#define IDS_TRUST_FILE_WRITABLE   221 // %1 the group
#define IDS_TRUST_FOLDER_WRITABLE 222 // %1 the folder, %2 the group
#define IDS_TRUST_LINK            223 // %1 the file or folder that is a link
#define IDS_TRUST_UNREADABLE      224 // %1 the file or folder; the reason follows
#define IDS_PROGRAM_VERSION       240 // the version alone (kpx_version.h), for the log
// Why a /log path is refused; each follows IDS_CMD_LOG_FAILED.
#define IDS_CMD_LOG_IS_LINK       190 // a symbolic link, a junction or a file of several names
#define IDS_CMD_LOG_NOT_DISK_FILE 191 // a device or a pipe

// Version dialog
#define IDD_ABOUTBOX     100
#define IDC_VERSION_TEXT 1009
#define IDB_ABOUT        130

// Main dialog
#define IDD_KPXSETUP_DIALOG 102
#define IDC_PRINTER_LIST    1000
#define IDC_PRINTER_NAME    1001
#define IDC_PROFILE_SET     1002
#define IDC_SET             1003
#define IDC_VERSION         1004
#define IDC_LIST_LABEL      1006
#define IDC_NAME_LABEL      1007
#define IDC_SET_LABEL       1008

// Copy error dialog
#define IDD_COPYERROR         131
#define IDC_COPY_MESSAGE      1010
#define IDC_COPY_HINT         1011
#define IDC_COPY_SOURCE_LABEL 1012
#define IDC_COPY_SOURCE       1013
#define IDC_BROWSE            1014

// Overwrite confirmation dialog
#define IDD_OVERWRITE      132
#define IDC_OVERWRITE_ALL  5
#define IDC_OVERWRITE_FILE 1015
#define IDC_EXISTING_SIZE  1016
#define IDC_EXISTING_TIME  1017
#define IDC_NEW_SIZE       1018
#define IDC_NEW_TIME       1019
#define IDC_OVERWRITE_DIR  1021 // the folder the file is in

// The command line's usage box
#define IDD_USAGE      133
#define IDC_USAGE_TEXT 1020

// Help context ids of the main dialog's controls: the help file's map is
// their one definition.
#include "../help/context.h"
