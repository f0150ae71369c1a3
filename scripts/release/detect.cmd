@echo off
rem detect.cmd: tells whether install.cmd's work is in place: the tool in
rem its program folder and every PLOTARA printer using the set Office as
rem an apply leaves it (the tool's /check). Installed: writes "Installed"
rem and ends with 0. Not installed: writes nothing and ends with 1.
setlocal
set "TOOLDIR=%ProgramFiles%\KPXSetup"
if defined ProgramW6432 set "TOOLDIR=%ProgramW6432%\KPXSetup"
if not exist "%TOOLDIR%\KPXSETUP.EXE" exit /b 1
if not exist "%TOOLDIR%\KPXSETUP.INI" exit /b 1
rem 12: every printer it could look at uses the set, one was left out (the
rem log names it; /skip leaves it out for good): installed all the same.
"%TOOLDIR%\KPXSETUP.EXE" /check /printer:* /set:Office >nul
set RESULT=%ERRORLEVEL%
if not "%RESULT%"=="0" if not "%RESULT%"=="12" exit /b 1
echo Installed
exit /b 0
