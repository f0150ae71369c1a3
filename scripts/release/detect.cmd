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
"%TOOLDIR%\KPXSETUP.EXE" /check /printer:* /set:Office >nul
if errorlevel 1 exit /b 1
echo Installed
exit /b 0
