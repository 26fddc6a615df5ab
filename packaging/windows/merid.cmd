@echo off
rem Starts merid-cp866.exe, beside this file, on a console set to code page
rem 866, the one its text is written in, and sets the console back to the
rem code page it had.  A run that ended with status 2 (a failure, its
rem message on the screen) waits for a key, so that a window opened by a
rem double-click does not close before the message can be read.
setlocal
set "merid_code_page="
for /f "tokens=2 delims=:" %%a in ('chcp') do (
  for /f "tokens=1 delims=. " %%b in ("%%a") do set "merid_code_page=%%b"
)
chcp 866 >nul 2>&1
"%~dp0merid-cp866.exe"
set "merid_status=%errorlevel%"
if defined merid_code_page chcp %merid_code_page% >nul 2>&1
if "%merid_status%"=="2" pause
exit /b %merid_status%
