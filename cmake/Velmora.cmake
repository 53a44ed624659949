# Shared helpers of the build.

# velmora_glob(<var> <dir>...): the .cpp files of the portable folders,
# without their win32/ and fake/ subfolders.
function(velmora_glob var)
  set(result)
  foreach(dir ${ARGN})
    file(GLOB_RECURSE found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
    foreach(f ${found})
      if(NOT f MATCHES "/(win32|fake)/")
        list(APPEND result ${f})
      endif()
    endforeach()
  endforeach()
  set(${var} ${result} PARENT_SCOPE)
endfunction()

# velmora_glob_win32(<var> <dir>...): the .cpp files of the win32/ subfolders.
function(velmora_glob_win32 var)
  set(result)
  foreach(dir ${ARGN})
    file(GLOB_RECURSE found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/win32/*.cpp)
    list(APPEND result ${found})
  endforeach()
  set(${var} ${result} PARENT_SCOPE)
endfunction()

# Strict warnings on our own targets only.
function(velmora_strict target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /permissive-)
    if(VELMORA_WERROR)
      target_compile_options(${target} PRIVATE /WX)
    endif()
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                             -Wno-sign-conversion -Wnon-virtual-dtor -Wold-style-cast
                                             -Woverloaded-virtual -Wnull-dereference -Wformat=2)
    if(VELMORA_WERROR)
      target_compile_options(${target} PRIVATE -Werror)
    endif()
  endif()
endfunction()
