@echo off
rem Starts merid-utf8.exe, beside this file, on a console set to code page
rem 65001 (UTF-8), the one its text is written in, and sets the console
rem back to the code page it had.  A run that ended with status 2 (a
rem failure, its message on the screen) waits for a key, so that a window
rem opened by a double-click does not close before the message can be read.
setlocal
set "merid_code_page="
for /f "tokens=2 delims=:" %%a in ('chcp') do (
  for /f "tokens=1 delims=. " %%b in ("%%a") do set "merid_code_page=%%b"
)
chcp 65001 >nul 2>&1
"%~dp0merid-utf8.exe"
set "merid_status=%errorlevel%"
if defined merid_code_page chcp %merid_code_page% >nul 2>&1
if "%merid_status%"=="2" pause
exit /b %merid_status%
