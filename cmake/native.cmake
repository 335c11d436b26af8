# Native build: the portable pieces and their tests under the sanitizers, and
# the fuzzer that feeds them arbitrary bytes and texts.

set(ORVA_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)

add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

add_library(orva_portable STATIC ${ORVA_PORTABLE_SOURCES})
target_include_directories(orva_portable PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(orva_portable PRIVATE -Wall -Wextra -Werror ${ORVA_SANITIZE})

file(GLOB ORVA_PORTABLE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/portable/*.cpp)
add_executable(portable_tests ${ORVA_PORTABLE_TESTS})
target_link_libraries(portable_tests PRIVATE orva_portable gtest_main)
target_compile_options(portable_tests PRIVATE ${ORVA_SANITIZE})
target_link_options(portable_tests PRIVATE ${ORVA_SANITIZE})
add_test(NAME portable_tests COMMAND portable_tests)

# The catalogue lint needs nothing but Python; it runs with the native tests, and
# fails too when a tool family has fewer entries with an example than its floor.
file(GLOB ORVA_CATALOGUE CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/catalogue/*.errors)
add_test(NAME catalogue_lint
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/message_module_builder/msgmod.py lint
          --floors ${CMAKE_SOURCE_DIR}/catalogue/example-floors.txt ${ORVA_CATALOGUE})

if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  add_library(orva_portable_fuzz STATIC ${ORVA_PORTABLE_SOURCES})
  target_include_directories(orva_portable_fuzz PUBLIC ${CMAKE_SOURCE_DIR})
  target_compile_options(orva_portable_fuzz PRIVATE -fsanitize=fuzzer-no-link,address,undefined
                         -fno-sanitize-recover=all)
  add_executable(fuzz_lookup_engine ${CMAKE_SOURCE_DIR}/tests/fuzz/fuzz_lookup_engine.cpp)
  target_link_libraries(fuzz_lookup_engine PRIVATE orva_portable_fuzz)
  target_compile_options(fuzz_lookup_engine PRIVATE -fsanitize=fuzzer,address,undefined
                         -fno-sanitize-recover=all)
  target_link_options(fuzz_lookup_engine PRIVATE -fsanitize=fuzzer,address,undefined)
endif()
