h
--8<--
files=*.bat *.cmd
case=0
str1="
delimiter=|&<>()=@,;"
color_string=1515A3
color_comment=2008000
comment1=::
comment2="REM "
comment3="rem "
comment4="Rem "

--8<--

--8<--
@echo off
:: sample.bat: copies new photos into a dated folder, an example of a batch file.
setlocal enabledelayedexpansion

set "SRC=%~1"
if "%SRC%"=="" set "SRC=%USERPROFILE%\Pictures\Camera"
set "DEST=%USERPROFILE%\Pictures\Archive"

if not exist "%SRC%" (
    echo Source folder "%SRC%" not found.
    exit /b 1
)

REM Build a folder name like 2024-05-01 from the date.
for /f "tokens=1-3 delims=/-. " %%a in ("%DATE%") do set "TODAY=%%c-%%b-%%a"
set "TARGET=%DEST%\%TODAY%"
if not exist "%TARGET%" mkdir "%TARGET%"

set /a COUNT=0
for %%f in ("%SRC%\*.jpg" "%SRC%\*.png") do (
    if not exist "%TARGET%\%%~nxf" (
        copy /y "%%f" "%TARGET%\" >nul
        set /a COUNT+=1
    )
)

echo Copied !COUNT! new files to %TARGET%.
if %COUNT% gtr 0 start "" explorer "%TARGET%"
endlocal
pause
