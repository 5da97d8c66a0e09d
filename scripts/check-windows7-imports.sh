#!/usr/bin/env bash
# Checks that the executables and libraries of a program folder load on Windows 7 SP1: lists
# what every .exe and .dll imports (objdump -p) and fails on a library such a system lacks (the
# universal C runtime, the api-ms-win-* API sets, Visual C++'s runtime, the DPI library of
# Windows 8.1) or on a function that only Windows 8 or later has, of those that compilers'
# run-time libraries and Qt are known to pick up. Something looked up at run time
# (GetProcAddress) is no import and passes, as it should: it is what a program does to use a
# newer function where there is one.
#
#   scripts/check-windows7-imports.sh FOLDER...
#
# scripts/build-windows.sh runs it on the Windows 7 builds before packing them. It prints
# every offending import and ends with status 1 if there is any.
set -euo pipefail
[ $# -gt 0 ] || { echo "usage: $0 FOLDER..." >&2; exit 2; }

# Libraries that Windows 7 SP1 does not have (as shipped, without a Visual C++ or universal C
# runtime installed beside it), as shell patterns of lower-case names.
missing_libraries=(
    'ucrtbase.dll' 'ucrtbased.dll'
    'api-ms-win-*' 'ext-ms-win-*'
    'vcruntime*' 'msvcp140*' 'concrt140*'
    'shcore.dll'          # DPI of each monitor, Windows 8.1
    'dcomp.dll'           # DirectComposition, Windows 8
    'd3d12.dll'
    'windows.ui.dll' 'combase.dll' 'coremessaging.dll'
)

# Functions of Windows 8 and later that show up as imports of MinGW's or Microsoft's
# run-time libraries, of Qt 6 or of code written for a newer Windows.
newer_functions=(
    # kernel32 / kernelbase, Windows 8
    GetSystemTimePreciseAsFileTime CreateFile2 CopyFile2 GetCurrentThreadStackLimits
    WaitOnAddress WakeByAddressSingle WakeByAddressAll
    InitializeSynchronizationBarrier EnterSynchronizationBarrier DeleteSynchronizationBarrier
    GetOverlappedResultEx PrefetchVirtualMemory GetFirmwareType
    GetProcessInformation SetProcessInformation GetThreadInformation SetThreadInformation
    CreateFileMappingFromApp MapViewOfFileFromApp GetCurrentPackageId GetCurrentPackageFullName
    GetPackageFamilyName GetPackagePath
    # Windows 8.1 and 10
    DiscardVirtualMemory OfferVirtualMemory ReclaimVirtualMemory
    SetThreadDescription GetThreadDescription VirtualAllocFromApp
    QueryUnbiasedInterruptTimePrecise QueryInterruptTimePrecise GetSystemCpuSetInformation
    SetThreadSelectedCpuSets GetTempPath2W GetTempPath2A
    # user32, Windows 8 (pointer input) and 10 (DPI of each window)
    GetPointerType GetPointerInfo GetPointerFrameInfo GetPointerPenInfo GetPointerTouchInfo
    GetPointerDevices GetPointerDeviceRects EnableMouseInPointer IsMouseInPointerEnabled
    RegisterPointerDeviceNotifications SkipPointerFrameMessages InjectTouchInput
    GetDpiForWindow GetDpiForSystem GetSystemMetricsForDpi AdjustWindowRectExForDpi
    SystemParametersInfoForDpi EnableNonClientDpiScaling SetProcessDpiAwarenessContext
    SetThreadDpiAwarenessContext GetThreadDpiAwarenessContext GetWindowDpiAwarenessContext
    GetAwarenessFromDpiAwarenessContext AreDpiAwarenessContextsEqual
    IsValidDpiAwarenessContext GetDpiFromDpiAwarenessContext
    # shcore, Windows 8.1
    GetDpiForMonitor SetProcessDpiAwareness GetProcessDpiAwareness
    # dxgi 1.3, Windows 8.1
    CreateDXGIFactory2
)

declare -A newer=()
for name in "${newer_functions[@]}"; do newer[$name]=1; done

# objdump of either target reads both machines' files.
objdump=x86_64-w64-mingw32-objdump
command -v "$objdump" >/dev/null || objdump=i686-w64-mingw32-objdump

failures=0
files=0
for folder in "$@"; do
    [ -d "$folder" ] || { echo "$folder: no such folder" >&2; exit 2; }
    while IFS= read -r -d '' file; do
        files=$((files + 1))
        relative=${file#"$folder"/}
        dump=$("$objdump" -p "$file") || { echo "$relative: objdump cannot read it" >&2; exit 2; }
        imports=0
        # "DLL Name: X" opens a library's list (ordinary and delay-loaded imports alike);
        # each of its lines after that is "<address> <hint> <name>".
        while IFS=$'\t' read -r kind library function; do
            if [ "$kind" = dll ]; then
                imports=$((imports + 1))
                for pattern in "${missing_libraries[@]}"; do
                    # shellcheck disable=SC2053
                    if [[ ${library,,} == $pattern ]]; then
                        echo "$relative imports $library, which Windows 7 does not have"
                        failures=$((failures + 1))
                    fi
                done
            elif [ -n "${newer[$function]:-}" ]; then
                echo "$relative imports $function from $library, which Windows 7 does not have"
                failures=$((failures + 1))
            fi
        done < <(awk '
            /^[ \t]*DLL Name: / { sub(/^[ \t]*DLL Name: /, ""); library = $0; print "dll\t" library "\t"; next }
            /^[ \t]*$/ || /^[^ \t]/ { library = ""; next }
            library != "" && $1 ~ /^[0-9a-f]+$/ && NF >= 3 { print "function\t" library "\t" $3 }
        ' <<<"$dump")
        # Every Windows program imports kernel32 at least: nothing read means the listing was
        # not understood, and a check that reads nothing would pass anything.
        if [ "$imports" -eq 0 ]; then
            echo "$relative: no imports found in objdump's listing" >&2
            exit 2
        fi
    done < <(find "$folder" -type f \( -iname '*.exe' -o -iname '*.dll' \) -print0 | sort -z)
done
if [ "$files" -eq 0 ]; then
    echo "No .exe or .dll in $*" >&2
    exit 2
fi
if [ "$failures" -gt 0 ]; then
    echo "$failures imports of $files files are not on Windows 7" >&2
    exit 1
fi
echo "All $files executables and libraries load on Windows 7 SP1 as far as their imports go"
