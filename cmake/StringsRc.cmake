# Writes the resource script's STRINGTABLE from resources/strings.inc.
# Usage: cmake -DIN=<strings.inc> -DOUT=<strings.rc> -P StringsRc.cmake
#
# Each VSTR(name, id, "text") line becomes `id, "text"`, with the C escape \"
# spelt as the resource compiler's "" and \\ kept. The text is walked line by
# line with string(FIND), not as a CMake list, so that ";" and "[" in texts
# need no care.
file(READ "${IN}" content)
set(out "// Generated from resources/strings.inc; do not edit.\nSTRINGTABLE\nBEGIN\n")
set(count 0)
while(NOT content STREQUAL "")
  string(FIND "${content}" "\n" nl)
  if(nl EQUAL -1)
    set(line "${content}")
    set(content "")
  else()
    string(SUBSTRING "${content}" 0 ${nl} line)
    math(EXPR next "${nl} + 1")
    string(SUBSTRING "${content}" ${next} -1 content)
  endif()
  string(STRIP "${line}" line)
  if(line MATCHES "^VSTR\\(")
    if(NOT line MATCHES "^VSTR\\([A-Za-z0-9_]+, *([0-9]+), *\"(.*)\"\\)$")
      message(FATAL_ERROR "strings.inc: cannot read: ${line}")
    endif()
    set(id "${CMAKE_MATCH_1}")
    set(text "${CMAKE_MATCH_2}")
    # Backslash pairs first to a marker, so that the \" after such a pair is read right.
    string(REPLACE "\\\\" "@VELMORA_BACKSLASHES@" text "${text}")
    string(REPLACE "\\\"" "\"\"" text "${text}")
    string(REPLACE "@VELMORA_BACKSLASHES@" "\\\\" text "${text}")
    string(APPEND out "    ${id}, \"${text}\"\n")
    math(EXPR count "${count} + 1")
  endif()
endwhile()
string(APPEND out "END\n")
if(count EQUAL 0)
  message(FATAL_ERROR "strings.inc: no strings found")
endif()
# Rewrite only on change, so that the resources rebuild only when needed.
set(old "")
if(EXISTS "${OUT}")
  file(READ "${OUT}" old)
endif()
if(NOT old STREQUAL out)
  file(WRITE "${OUT}" "${out}")
endif()
