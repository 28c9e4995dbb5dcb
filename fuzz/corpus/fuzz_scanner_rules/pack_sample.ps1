h
--8<--
files=*.ps1 *.psm1 *.psd1
case=0
str1="
str2='
delimiter=~!%^&*()+=[]{}|\:;"'<>,./?@`
color_string=1515A3
color_comment=2008000
comment1=<#
comment1e=#>
comment2=#

--8<--

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
