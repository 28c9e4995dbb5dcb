[S]
case=0
stxfile1=k1.txt
stxfile2=k2.txt
str1="
str2='
delimiter=~!%^&*()+=[]{}|\:;"'<>,./?@`
color_string=1515A3
color_comment=2008000
comment1=<#
comment1e=#>
comment2=#

--8<--
$false 1C00000
$null 1C00000
$true 1C00000
-and 1C00000
-as 1C00000
-band 1C00000
-bor 1C00000
-ceq 1C00000
-clike 1C00000
-cmatch 1C00000
-cne 1C00000
-contains 1C00000
-creplace 1C00000
-eq 1C00000
-f 1C00000
-ge 1C00000
-gt 1C00000
-in 1C00000
-is 1C00000
-isnot 1C00000
-join 1C00000
-le 1C00000
-like 1C00000
-lt 1C00000
-match 1C00000
-ne 1C00000
-not 1C00000
-notcontains 1C00000
-notin 1C00000
-notlike 1C00000
-notmatch 1C00000
-or 1C00000
-replace 1C00000
-split 1C00000
-xor 1C00000
begin 1C00000
break 1C00000
catch 1C00000
class 1C00000
clean 1C00000
continue 1C00000
data 1C00000
define 1C00000
do 1C00000
dynamicparam 1C00000
else 1C00000
elseif 1C00000
end 1C00000
enum 1C00000

--8<--
$_ A00080
$args A00080
$env A00080
$Error A00080
$ErrorActionPreference A00080
$HOME A00080
$Host A00080
$input A00080
$LASTEXITCODE A00080
$PSItem A00080
$PSScriptRoot A00080
$PSVersionTable A00080
$PWD A00080
$this A00080
Add-Content A00080
array A00080
bool A00080
CmdletBinding A00080
Compare-Object A00080
ConvertFrom-Json A00080
ConvertTo-Json A00080
Copy-Item A00080
datetime A00080
double A00080
Export-Csv A00080
Export-ModuleMember A00080
ForEach-Object A00080
Format-List A00080

--8<--
h 1 7 S
--8<--
# sample.ps1: reports large files under a folder, a small example of PowerShell.
[CmdletBinding()]
param(
    [Parameter(Mandatory = $true)]
    [string]$Path,
    [int]$MinSizeMB = 100,
    [switch]$AsCsv
)

<#
  Lists every file at least MinSizeMB large, biggest first,
  with its size in megabytes and the date it was last changed.
#>
function Get-LargeFile {
    param([string]$Root, [long]$MinBytes)
    Get-ChildItem -Path $Root -File -Recurse -ErrorAction SilentlyContinue |
        Where-Object { $_.Length -ge $MinBytes } |
        Sort-Object Length -Descending
}

if (-not (Test-Path $Path)) {
    Write-Error "Folder '$Path' does not exist."
    exit 1
}

$files = Get-LargeFile -Root $Path -MinBytes ($MinSizeMB * 1MB)
$report = foreach ($f in $files) {
    [PSCustomObject]@{
        Name     = $f.Name
        SizeMB   = [math]::Round($f.Length / 1MB, 1)
        Modified = $f.LastWriteTime.ToString('yyyy-MM-dd')
        Folder   = $f.DirectoryName
    }
}

if ($AsCsv) {
    $report | Export-Csv -Path 'large-files.csv' -NoTypeInformation
    Write-Host "Saved $($report.Count) rows to large-files.csv"
} elseif ($null -eq $report) {
    Write-Host 'No files found.'
} else {
    $report | Format-Table -AutoSize
}
