# Fails when VERavevi.exe imports a library that Windows searches for beside
# the program, where a planted copy wins: only KnownDLLs (as Windows 10 lists
# them under HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\KnownDLLs,
# without the WOW64 ones, with ntdll and kernelbase that every process has)
# and comctl32 (bound by the manifest) may be imported.
cmake_minimum_required(VERSION 3.20)
set(allowed advapi32 clbcatq combase comdlg32 coml2 difxapi gdi32 gdiplus imagehlp imm32 kernel32 kernelbase
            msctf msvcrt normaliz nsi ntdll ole32 oleaut32 psapi rpcrt4 sechost setupapi shcore shell32
            shlwapi user32 wldap32 ws2_32 comctl32)
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
string(REGEX MATCHALL "DLL Name: [^\r\n]+" names "${dump}")
if(failed OR NOT names)
  message(FATAL_ERROR "no import table read from ${EXE}")
endif()
foreach(entry ${names})
  string(REGEX REPLACE "^DLL Name: (.*)\\.[Dd][Ll][Ll]$" "\\1" name "${entry}")
  string(TOLOWER "${name}" name)
  if(NOT name IN_LIST allowed)
    list(APPEND searched ${name})
  endif()
endforeach()
if(searched)
  message(FATAL_ERROR "imports searched beside the program: ${searched}")
endif()
