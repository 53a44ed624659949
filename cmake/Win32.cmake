# Windows build: the whole program and the tests that run on the real
# platform (under Wine when cross-built).
enable_language(RC)

if(MINGW)
  # One self-contained exe: no libstdc++, libgcc or winpthread DLLs beside it.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501 WINVER=0x0501)

set(VELMORA_WIN32_LIBS comctl32 ole32 oleaut32 uuid shlwapi shell32 gdi32 user32 advapi32 kernel32)

velmora_glob_win32(WIN32_PLATFORM_SOURCES platform)
add_library(velmora_win32platform STATIC ${WIN32_PLATFORM_SOURCES})
target_include_directories(velmora_win32platform PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(velmora_win32platform PUBLIC ${VELMORA_WIN32_LIBS})
velmora_strict(velmora_win32platform)

# The Win32 user-interface layer: windows and dialogs that translate messages
# into calls of the portable logic and apply its results to real controls.
velmora_glob_win32(WIN32_UI_SOURCES config install browser app)
list(FILTER WIN32_UI_SOURCES EXCLUDE REGEX "/WinMain\\.cpp$")
add_library(velmora_win32ui STATIC ${WIN32_UI_SOURCES})
target_include_directories(velmora_win32ui PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(velmora_win32ui PUBLIC velmora_portable velmora_win32platform)
velmora_strict(velmora_win32ui)

include(${CMAKE_CURRENT_LIST_DIR}/Resources.cmake)
add_executable(VERavevi WIN32 ${CMAKE_SOURCE_DIR}/app/win32/WinMain.cpp ${VELMORA_RC})
target_link_libraries(VERavevi PRIVATE velmora_win32ui)
velmora_strict(VERavevi)

# GoogleTest compiled from Debian's sources for this target.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(VELMORA_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
add_subdirectory(${VELMORA_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# The platform contract suite and the Win32 wiring tests, run under ctest
# through CMAKE_CROSSCOMPILING_EMULATOR (Wine) when cross-built.
file(GLOB WIN32_TEST_SOURCES CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/tests/contract/*.cpp
     ${CMAKE_SOURCE_DIR}/tests/contract/win32/*.cpp
     ${CMAKE_SOURCE_DIR}/tests/win32/*.cpp)
add_executable(win32_tests ${WIN32_TEST_SOURCES} ${VELMORA_RC})
target_link_libraries(win32_tests PRIVATE velmora_win32ui gtest gtest_main)
target_compile_definitions(win32_tests PRIVATE VELMORA_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
velmora_strict(win32_tests)
# One ctest entry per suite keeps Wine start-ups few.
add_test(NAME win32_tests COMMAND win32_tests --gtest_brief=1)
set_tests_properties(win32_tests PROPERTIES TIMEOUT 900 RESOURCE_LOCK veravevi_processes)

# Helper programs the tests and the demo disk use (stand-in installers,
# a program with a version resource, a test script library).
add_subdirectory(tests/fixtures)
add_subdirectory(examples/demo/stub)
add_subdirectory(tests/e2e)
add_subdirectory(bench/win32)

# capsule-check.exe, the authoring checker, as an extra console program.
add_subdirectory(tools/capsule-check)
