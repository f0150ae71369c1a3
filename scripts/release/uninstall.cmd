@echo off
rem uninstall.cmd: removes the set from every PLOTARA printer of this
rem machine, then deletes the program folder install.cmd made. The log
rem folder stays. Its exit code is the tool's: 0 success, 2 retry (the
rem program folder stays, so that the retry finds the tool), 3010 success
rem once Windows restarts; 0 when the tool is not installed.
setlocal
set "TOOLDIR=%ProgramFiles%\KPXSetup"
if defined ProgramW6432 set "TOOLDIR=%ProgramW6432%\KPXSetup"
set "LOGDIR=%SystemRoot%\Logs\KPXSetup"
if not exist "%TOOLDIR%\KPXSETUP.EXE" exit /b 0
if not exist "%LOGDIR%\" mkdir "%LOGDIR%"
"%TOOLDIR%\KPXSETUP.EXE" /remove /printer:* /log:"%LOGDIR%\kpxsetup.log"
set RESULT=%ERRORLEVEL%
if "%RESULT%"=="0" rd /s /q "%TOOLDIR%"
if "%RESULT%"=="3010" rd /s /q "%TOOLDIR%"
exit /b %RESULT%
