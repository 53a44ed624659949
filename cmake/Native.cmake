# Native (Linux) build: the portable code and its tests through the fake platform.
find_package(GTest REQUIRED)
include(GoogleTest)

if(VELMORA_SANITIZE)
  foreach(t velmora_portable velmora_fake)
    target_compile_options(${t} PUBLIC -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
    target_link_options(${t} PUBLIC -fsanitize=address,undefined)
  endforeach()
endif()

file(GLOB NATIVE_TEST_SOURCES CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/tests/native/*.cpp
     ${CMAKE_SOURCE_DIR}/tests/contract/*.cpp
     ${CMAKE_SOURCE_DIR}/tests/contract/fake/*.cpp)
# The fuzz build (clang) is for the fuzz targets: the suite runs in the others.
if(NOT VELMORA_FUZZ)
  add_executable(native_tests ${NATIVE_TEST_SOURCES})
  target_link_libraries(native_tests PRIVATE velmora_portable velmora_fake GTest::gtest GTest::gtest_main)
  target_compile_definitions(native_tests PRIVATE VELMORA_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  velmora_strict(native_tests)
  gtest_discover_tests(native_tests DISCOVERY_TIMEOUT 60)
endif()

# Tools built natively from the same portable code.
file(GLOB NATIVE_TOOL_DIRS LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/*/CMakeLists.txt)
foreach(f ${NATIVE_TOOL_DIRS})
  get_filename_component(d ${f} DIRECTORY)
  add_subdirectory(${d})
endforeach()

# Fuzz targets: fuzz/<name>.cpp, each defining LLVMFuzzerTestOneInput, over
# the portable code and the checker's (velmora_checker, from tools/ above).
# With VELMORA_FUZZ (clang) they become libFuzzer programs, over libraries
# instrumented for coverage; otherwise each is linked with a small main that
# replays its seed corpus fuzz/corpus/<name> as the test <name>_corpus.
file(GLOB FUZZ_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/*.cpp)
if(VELMORA_FUZZ)
  # Everything runs under ASan and UBSan, but coverage guides the fuzzer
  # through the code under test only: the fake machine and the targets' own
  # models are not instrumented for it (their comparisons would cost time on
  # every input and lead nowhere).
  foreach(t velmora_portable velmora_fake)
    target_compile_options(${t} PUBLIC -fsanitize=address,undefined)
    target_link_options(${t} PUBLIC -fsanitize=address,undefined)
  endforeach()
  foreach(t velmora_portable velmora_checker)
    target_compile_options(${t} PRIVATE -fsanitize=fuzzer-no-link)
  endforeach()
  foreach(src ${FUZZ_SOURCES})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src})
    target_link_libraries(${name} PRIVATE velmora_checker velmora_fake)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  endforeach()
else()
  foreach(src ${FUZZ_SOURCES})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name}_replay ${src} ${CMAKE_SOURCE_DIR}/fuzz/replay/ReplayMain.cpp)
    target_link_libraries(${name}_replay PRIVATE velmora_checker velmora_fake)
    velmora_strict(${name}_replay)
    add_test(NAME ${name}_corpus COMMAND ${name}_replay ${CMAKE_SOURCE_DIR}/fuzz/corpus/${name})
  endforeach()
endif()

if(VELMORA_BENCH)
  add_subdirectory(bench)
endif()
