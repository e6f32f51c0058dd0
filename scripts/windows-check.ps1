# Checks Vespermark on a real Windows 10 or 11, next to Vespermark.exe:
#   powershell -ExecutionPolicy Bypass -File windows-check.ps1 [-Exe path\Vespermark.exe]
# It starts the program in check mode (the power-off is only written to a
# report, never done), reads its window, region, DPI awareness, taskbar
# owner, icons and tray requests through the Win32 API, arms it a few
# minutes ahead and waits for the power-off request. One line per item,
# PASS or FAIL. It never powers the machine off: the program is closed
# before arming when check mode did not take.
param([string]$Exe = (Join-Path $PSScriptRoot 'Vespermark.exe'))
$ErrorActionPreference = 'Stop'

Add-Type -TypeDefinition @'
using System;
using System.Runtime.InteropServices;
using System.Text;
public static class W {
  public delegate bool EnumProc(IntPtr h, IntPtr l);
  [DllImport("user32.dll")] public static extern bool EnumWindows(EnumProc f, IntPtr l);
  [DllImport("user32.dll")] public static extern bool EnumChildWindows(IntPtr p, EnumProc f, IntPtr l);
  [DllImport("user32.dll")] public static extern uint GetWindowThreadProcessId(IntPtr h, out uint pid);
  [DllImport("user32.dll", CharSet = CharSet.Unicode)] public static extern int GetWindowText(IntPtr h, StringBuilder s, int n);
  [DllImport("user32.dll")] public static extern bool IsWindowVisible(IntPtr h);
  [DllImport("user32.dll")] public static extern bool IsIconic(IntPtr h);
  [DllImport("user32.dll")] public static extern IntPtr GetWindow(IntPtr h, uint cmd);
  [DllImport("user32.dll", EntryPoint = "GetWindowLongPtrW")] public static extern IntPtr GetWindowLongPtr(IntPtr h, int i);
  [DllImport("user32.dll")] public static extern bool GetWindowRect(IntPtr h, out RECT r);
  [DllImport("user32.dll")] public static extern bool GetClientRect(IntPtr h, out RECT r);
  [DllImport("user32.dll")] public static extern int GetWindowRgnBox(IntPtr h, out RECT r);
  [DllImport("user32.dll")] public static extern uint GetDpiForWindow(IntPtr h);
  [DllImport("user32.dll")] public static extern IntPtr GetWindowDpiAwarenessContext(IntPtr h);
  [DllImport("user32.dll")] public static extern int GetAwarenessFromDpiAwarenessContext(IntPtr c);
  [DllImport("user32.dll")] public static extern int GetSystemMetricsForDpi(int i, uint dpi);
  [DllImport("user32.dll")] public static extern IntPtr SendMessage(IntPtr h, uint m, IntPtr w, IntPtr l);
  [DllImport("user32.dll")] public static extern bool PostMessage(IntPtr h, uint m, IntPtr w, IntPtr l);
  [DllImport("user32.dll")] public static extern bool GetIconInfo(IntPtr i, out ICONINFO info);
  [DllImport("gdi32.dll")] public static extern int GetObject(IntPtr o, int n, out BITMAP b);
  [DllImport("gdi32.dll")] public static extern bool DeleteObject(IntPtr o);
  [StructLayout(LayoutKind.Sequential)] public struct RECT { public int Left, Top, Right, Bottom; }
  [StructLayout(LayoutKind.Sequential)] public struct ICONINFO { public bool fIcon; public int x, y; public IntPtr mask, color; }
  [StructLayout(LayoutKind.Sequential)] public struct BITMAP { public int type, width, height, widthBytes; public short planes, bits; public IntPtr bits2; }
  public static IntPtr[] TopWindows(uint pid) {
    var list = new System.Collections.Generic.List<IntPtr>();
    EnumWindows((h, l) => { uint p; GetWindowThreadProcessId(h, out p); if (p == pid) list.Add(h); return true; }, IntPtr.Zero);
    return list.ToArray();
  }
  public static IntPtr[] Children(IntPtr parent) {
    var list = new System.Collections.Generic.List<IntPtr>();
    EnumChildWindows(parent, (h, l) => { list.Add(h); return true; }, IntPtr.Zero);
    return list.ToArray();
  }
  public static string Text(IntPtr h) { var s = new StringBuilder(256); GetWindowText(h, s, 256); return s.ToString(); }
  public static int IconWidth(IntPtr icon) {
    ICONINFO info; if (icon == IntPtr.Zero || !GetIconInfo(icon, out info)) return 0;
    BITMAP b; GetObject(info.color != IntPtr.Zero ? info.color : info.mask, Marshal.SizeOf(typeof(BITMAP)), out b);
    if (info.color != IntPtr.Zero) DeleteObject(info.color); if (info.mask != IntPtr.Zero) DeleteObject(info.mask);
    return b.width;
  }
}
'@

$results = New-Object System.Collections.Generic.List[string]
function Check([string]$item, [bool]$ok, [string]$seen) {
  $line = '{0,-4} {1}: {2}' -f ($(if ($ok) { 'PASS' } else { 'FAIL' })), $item, $seen
  $results.Add($line); Write-Host $line
}

if (-not (Test-Path $Exe)) { Write-Host "FAIL Vespermark.exe not found at $Exe"; exit 1 }
if (Get-Process -Name Vespermark -ErrorAction SilentlyContinue) {
  Write-Host 'FAIL Vespermark is already running: close it (tray icon, Close) and run the check again'; exit 1
}
$report = Join-Path $env:TEMP ("vespermark-check-{0}.txt" -f [guid]::NewGuid())
Set-Content -Path $report -Value 'Vespermark windows-check' -Encoding ASCII
$env:VESPERMARK_CHECK_REPORT = $report
$process = Start-Process -FilePath $Exe -PassThru
Remove-Item Env:VESPERMARK_CHECK_REPORT

$form = [IntPtr]::Zero; $app = [IntPtr]::Zero
for ($i = 0; $i -lt 50 -and $form -eq [IntPtr]::Zero; $i++) {
  Start-Sleep -Milliseconds 200
  foreach ($w in [W]::TopWindows([uint32]$process.Id)) {
    if ([W]::Text($w) -eq 'Vespermark') { if ([W]::IsWindowVisible($w)) { $form = $w } else { $app = $w } }
  }
}
$log = Get-Content $report -Raw
if (-not ($log -match 'check-mode on')) {
  Write-Host 'FAIL check mode did not take: the program is closed without being armed'
  Stop-Process -Id $process.Id -Force; exit 1
}
Check 'window shown' ($form -ne [IntPtr]::Zero) "handle $form"
if ($form -eq [IntPtr]::Zero) { Stop-Process -Id $process.Id -Force; exit 1 }

$dpi = [W]::GetDpiForWindow($form); $scale = $dpi / 96.0
$r = New-Object W+RECT; [void][W]::GetWindowRect($form, [ref]$r)
$c = New-Object W+RECT; [void][W]::GetClientRect($form, [ref]$c)
Check 'client size 171 x 264 at the scale' ([math]::Abs($c.Right - [math]::Round(171 * $scale)) -le 2 -and [math]::Abs($c.Bottom - [math]::Round(264 * $scale)) -le 2) ("{0} x {1} at {2} dpi" -f $c.Right, $c.Bottom, $dpi)
$g = New-Object W+RECT; $kind = [W]::GetWindowRgnBox($form, [ref]$g)
Check 'window region from the skin' ($kind -ge 2) ("region kind $kind, box {0} x {1}, window {2} x {3}" -f ($g.Right - $g.Left), ($g.Bottom - $g.Top), ($r.Right - $r.Left), ($r.Bottom - $r.Top))
$awareness = [W]::GetAwarenessFromDpiAwarenessContext([W]::GetWindowDpiAwarenessContext($form))
Check 'per-monitor DPI awareness' ($awareness -eq 2) "awareness $awareness (0 unaware, 1 system, 2 per monitor)"
$ex = [int64][W]::GetWindowLongPtr($form, -20); $style = [int64][W]::GetWindowLongPtr($form, -16)
Check 'main window owns its taskbar button' ((($ex -band 0x40000) -ne 0) -and ([W]::GetWindow($form, 4) -eq [IntPtr]::Zero) -and (($ex -band 0x80) -eq 0)) ("exstyle 0x{0:X}, owner {1}" -f $ex, [W]::GetWindow($form, 4))
Check 'taskbar can minimise it' (($style -band 0x20000) -ne 0) ("style 0x{0:X}" -f $style)
Check 'application window never shown' (($app -ne [IntPtr]::Zero) -and -not [W]::IsWindowVisible($app)) "handle $app"
$small = [W]::GetSystemMetricsForDpi(49, $dpi); $large = [W]::GetSystemMetricsForDpi(11, $dpi)
$smallIcon = [W]::IconWidth([W]::SendMessage($form, 0x7F, [IntPtr]0, [IntPtr]::Zero))
$bigIcon = [W]::IconWidth([W]::SendMessage($form, 0x7F, [IntPtr]1, [IntPtr]::Zero))
Check 'window icons at the system sizes' ($smallIcon -eq $small -and $bigIcon -eq $large) "small $smallIcon (wants $small), big $bigIcon (wants $large)"
$log = Get-Content $report -Raw
Check 'tray icon added' ($log -match 'tray add ok=1') (($log -split "`r`n" | Where-Object { $_ -match '^tray add' }) -join '; ')
Check 'tray version 4' ($log -match 'tray setversion ok=1 version=4') (($log -split "`r`n" | Where-Object { $_ -match 'setversion' }) -join '; ')
$trayIcon = if ($log -match 'tray add ok=1 flags=\S+ icon=(\d+)x') { [int]$Matches[1] } else { 0 }
Check 'tray icon at the small-icon size' ($trayIcon -eq $small) "icon $trayIcon (wants $small)"

# Armed three minutes ahead: the clock face starts at 12:00 AM; Page Up
# steps the hour and Up the minute.
$children = [W]::Children($form)
$picker = $children | Where-Object { [W]::Text($_) -eq '' } | Select-Object -First 1
$start = $children | Where-Object { [W]::Text($_) -eq 'Start' } | Select-Object -First 1
$target = (Get-Date).AddMinutes(3)
for ($h = 0; $h -lt $target.Hour; $h++) { [void][W]::SendMessage($picker, 0x100, [IntPtr]0x21, [IntPtr]::Zero) }
for ($m = 0; $m -lt $target.Minute; $m++) { [void][W]::SendMessage($picker, 0x100, [IntPtr]0x26, [IntPtr]::Zero) }
[void][W]::PostMessage($start, 0x201, [IntPtr]1, [IntPtr](10 + (10 -shl 16)))
[void][W]::PostMessage($start, 0x202, [IntPtr]0, [IntPtr](10 + (10 -shl 16)))
Start-Sleep -Seconds 2
Check 'Start hides the window into the tray' (-not [W]::IsWindowVisible($form) -and -not [W]::IsIconic($form)) ("armed for {0:HH:mm}" -f $target)
$startText = [W]::Text($start)
Check 'Start shows the running time' ($startText -ne 'Start' -and $startText -ne '') "caption '$startText'"
$deadline = $target.AddSeconds(-$target.Second).AddSeconds(90)
while ((Get-Date) -lt $deadline -and -not ((Get-Content $report -Raw) -match 'power-off flags')) { Start-Sleep -Seconds 2 }
$log = Get-Content $report -Raw
Check 'power-off requested at the target (not done)' ($log -match 'power-off flags=(\S+) reason=0x80000000') (($log -split "`r`n" | Where-Object { $_ -match '^power-off' }) -join '; ')

[void][W]::PostMessage($form, 0x10, [IntPtr]::Zero, [IntPtr]::Zero)
if (-not $process.WaitForExit(5000)) { Stop-Process -Id $process.Id -Force }
$failed = @($results | Where-Object { $_ -like 'FAIL*' }).Count
Write-Host ("{0} items, {1} failed. Report: {2}" -f $results.Count, $failed, $report)
Write-Host 'Please paste these lines, with your Windows version and display scale, into a new issue.'
exit $failed
