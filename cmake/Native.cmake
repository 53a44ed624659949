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
add_executable(native_tests ${NATIVE_TEST_SOURCES})
target_link_libraries(native_tests PRIVATE velmora_portable velmora_fake GTest::gtest GTest::gtest_main)
target_compile_definitions(native_tests PRIVATE VELMORA_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
velmora_strict(native_tests)
gtest_discover_tests(native_tests DISCOVERY_TIMEOUT 60)

# Tools built natively from the same portable code.
file(GLOB NATIVE_TOOL_DIRS LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/*/CMakeLists.txt)
foreach(f ${NATIVE_TOOL_DIRS})
  get_filename_component(d ${f} DIRECTORY)
  add_subdirectory(${d})
endforeach()

if(VELMORA_FUZZ)
  file(GLOB FUZZ_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/*.cpp)
  foreach(src ${FUZZ_SOURCES})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src})
    target_link_libraries(${name} PRIVATE velmora_portable velmora_fake)
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  endforeach()
endif()

if(VELMORA_BENCH AND EXISTS ${CMAKE_SOURCE_DIR}/bench/CMakeLists.txt)
  add_subdirectory(bench)
endif()
