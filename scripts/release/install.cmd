@echo off
rem install.cmd: installs KPXSetup from the folder this file is in and
rem applies the set Office to every PLOTARA printer of this machine.
rem Run it as an administrator or as the system account (a software
rem distribution tool's install command). Its exit code is the tool's:
rem 0 success, 2 retry (another copy runs), 3010 success once Windows
rem restarts; 1603 (the Windows Installer code for a failed installation)
rem when the folder cannot be copied. See README.txt.
setlocal
set "SOURCE=%~dp0"
rem The native program folder, also when a 32-bit command interpreter runs
rem this on 64-bit Windows (its %ProgramFiles% is the x86 folder); detect.cmd
rem and uninstall.cmd look in the same place.
set "TOOLDIR=%ProgramFiles%\KPXSetup"
if defined ProgramW6432 set "TOOLDIR=%ProgramW6432%\KPXSetup"
set "LOGDIR=%SystemRoot%\Logs\KPXSetup"
rem The whole folder, the sets' files in their subfolders included: a
rem changed KPXSETUP.INI with other sets needs no change here.
xcopy "%SOURCE%*" "%TOOLDIR%\" /E /I /Y /Q >nul
if errorlevel 1 exit /b 1603
if not exist "%LOGDIR%\" mkdir "%LOGDIR%"
"%TOOLDIR%\KPXSETUP.EXE" /printer:* /set:Office /log:"%LOGDIR%\kpxsetup.log"
exit /b %ERRORLEVEL%
