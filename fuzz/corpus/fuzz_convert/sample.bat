[S]
case=0
stxfile1=k1.txt
stxfile2=k2.txt
str1="
delimiter=|&<>()=@,;"
color_string=1515A3
color_comment=2008000
comment1=::
comment2="REM "
comment3="rem "
comment4="Rem "

--8<--
aux 1C00000
call 1C00000
cd 1C00000
chdir 1C00000
con 1C00000
defined 1C00000
disabledelayedexpansion 1C00000
do 1C00000
echo 1C00000
else 1C00000
enabledelayedexpansion 1C00000
enableextensions 1C00000
endlocal 1C00000
equ 1C00000
errorlevel 1C00000
exist 1C00000
exit 1C00000
for 1C00000
geq 1C00000
goto 1C00000
gtr 1C00000
if 1C00000
in 1C00000
leq 1C00000
lss 1C00000
neq 1C00000
not 1C00000
nul 1C00000
off 1C00000
on 1C00000
pause 1C00000
prn 1C00000
rem 2008000
set 1C00000
setlocal 1C00000
shift 1C00000
start 1C00000

--8<--
%* A00080
%0 A00080
%1 A00080
%2 A00080
%3 A00080
%APPDATA% A00080
%CD% A00080
%COMPUTERNAME% A00080
%DATE% A00080
%ERRORLEVEL% A00080
%PATH% A00080
%PROGRAMFILES% A00080
%RANDOM% A00080
%TEMP% A00080
%TIME% A00080
%USERNAME% A00080
%USERPROFILE% A00080
%WINDIR% A00080
%~dp0 A00080
%~f1 A00080
%~nx1 A00080
assoc A00080
attrib A00080
chcp A00080
choice A00080
cls A00080
cmd A00080
color A00080
copy A00080
date A00080
del A00080
dir A00080
erase A00080
find A00080
findstr A00080
ftype A00080

--8<--
hf 4294967295 1 S
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
