# Windows build (MinGW-w64 i686): the add-in, its message modules, the
# stand-in host, the console front end, and the tests that run under Wine.

set(ORVA_IDE_DIR ${CMAKE_BINARY_DIR}/ide)            # the stand-in host lives here
set(ORVA_ADDIN_DIR ${ORVA_IDE_DIR}/Addins)           # orvara.dll and its six modules
set(ORVA_TEST_DIR ${CMAKE_BINARY_DIR}/tests)         # test programs, fixtures beside them
set(ORVA_MSGMOD ${CMAKE_SOURCE_DIR}/message_module_builder/msgmod.py)

# The add-in lives inside the host's process: optimised for size, no
# exception or RTTI machinery and no unwind tables (it throws nothing), no C
# runtime start-up code (it has no static constructors), and every function
# in a section of its own, so that the linker drops what no export reaches.
# (Data keeps the common sections: with a section each, GCC for PE stores
# the zeros of the state record in the file.) No frame may come near the
# 4 KB page that a stack probe guards (a build error); so no probe is ever
# needed, and without the probe option MinGW passes arguments pushed, as the
# platform's own compilers do, rather than stored into an area reserved in
# every frame.
set(ORVA_ADDIN_FLAGS -Oz -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables
    -ffunction-sections -fno-stack-protector -mno-stack-arg-probe -mno-accumulate-outgoing-args
    -Wframe-larger-than=3072 -Wall -Wextra -Werror)

# Everything the add-in is made of, as object libraries, so that the tests can
# link the same objects the DLL is made of.
file(GLOB ORVA_ENGINE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/lookup/*.cpp)
file(GLOB_RECURSE ORVA_ADDIN_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/state/*.cpp ${CMAKE_SOURCE_DIR}/notes/*.cpp ${CMAKE_SOURCE_DIR}/ui/*.cpp
  ${CMAKE_SOURCE_DIR}/host/*.cpp ${CMAKE_SOURCE_DIR}/host/*.S)

enable_language(ASM)
enable_language(RC)

add_library(orva_engine OBJECT ${ORVA_ENGINE_SOURCES})
target_include_directories(orva_engine PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(orva_engine PRIVATE $<$<COMPILE_LANGUAGE:CXX>:${ORVA_ADDIN_FLAGS}>)

if(ORVA_ADDIN_SOURCES)
  add_library(orva_addin OBJECT ${ORVA_ADDIN_SOURCES})
  target_include_directories(orva_addin PUBLIC ${CMAKE_SOURCE_DIR})
  target_compile_options(orva_addin PRIVATE $<$<COMPILE_LANGUAGE:CXX>:${ORVA_ADDIN_FLAGS}>)
  set(ORVA_ADDIN_OBJECTS $<TARGET_OBJECTS:orva_addin>)
endif()

set(ORVA_SYSTEM_LIBS user32 gdi32 comctl32 kernel32 shell32 advapi32 ole32)

# The project's version for the resource scripts (orvara.dll, orva-lookup.exe).
set(ORVA_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_SOURCE_DIR}/cmake/orva_version.h.in ${ORVA_GENERATED_DIR}/orva_version.h @ONLY)
set(ORVA_VERSION_LAYOUT ${CMAKE_SOURCE_DIR}/resources/version_info.rc)

# A resource-only message module made by the message-module builder from a
# readable source (.errors or .msgtable). With SHIPPED it carries the version
# resource, as every file of the package does.
function(orva_message_module source module)
  cmake_parse_arguments(PARSE_ARGV 2 arg "SHIPPED" "" "")
  get_filename_component(dir ${module} DIRECTORY)
  get_filename_component(name ${module} NAME)
  set(version)
  set(depends ${source} ${ORVA_MSGMOD})
  if(arg_SHIPPED)
    set(version --version ${PROJECT_VERSION} ${ORVA_VERSION_LAYOUT})
    list(APPEND depends ${ORVA_VERSION_LAYOUT})
  endif()
  add_custom_command(OUTPUT ${module}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND ${Python3_EXECUTABLE} ${ORVA_MSGMOD} dll ${source} ${module}
            --windres ${CMAKE_RC_COMPILER} --cc ${CMAKE_C_COMPILER} ${version}
    DEPENDS ${depends}
    COMMENT "Message module ${name}")
endfunction()

# --- Icons: pixel rows as text, turned into .ico files ----------------------
set(ORVA_ICON_DIR ${CMAKE_BINARY_DIR}/icons)
file(GLOB ORVA_ICON_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/icons/*.txt)
set(ORVA_ICONS)
foreach(source ${ORVA_ICON_SOURCES})
  get_filename_component(stem ${source} NAME_WE)
  set(icon ${ORVA_ICON_DIR}/${stem}.ico)
  add_custom_command(OUTPUT ${icon}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ORVA_ICON_DIR}
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/icon_builder/make_ico.py ${source} ${icon}
    DEPENDS ${source} ${CMAKE_SOURCE_DIR}/icon_builder/make_ico.py
    COMMENT "Icon ${stem}.ico")
  list(APPEND ORVA_ICONS ${icon})
endforeach()
add_custom_target(orva_icons DEPENDS ${ORVA_ICONS})

# The add-in's resources (icons 1 to 7) as one object, shared by the DLL and
# the tests that link the add-in's objects.
if(EXISTS ${CMAKE_SOURCE_DIR}/resources/orvara.rc)
  add_library(orva_resources OBJECT ${CMAKE_SOURCE_DIR}/resources/orvara.rc)
  target_include_directories(orva_resources PRIVATE ${ORVA_ICON_DIR} ${CMAKE_SOURCE_DIR} ${ORVA_GENERATED_DIR})
  set_source_files_properties(${CMAKE_SOURCE_DIR}/resources/orvara.rc PROPERTIES OBJECT_DEPENDS
    "${ORVA_ICONS};${ORVA_VERSION_LAYOUT};${ORVA_GENERATED_DIR}/orva_version.h")
  add_dependencies(orva_resources orva_icons)
  set(ORVA_RESOURCE_OBJECTS $<TARGET_OBJECTS:orva_resources>)
endif()

# --- orvara.dll -------------------------------------------------------------
if(ORVA_ADDIN_SOURCES)
  add_library(orvara SHARED $<TARGET_OBJECTS:orva_engine> ${ORVA_ADDIN_OBJECTS} ${ORVA_RESOURCE_OBJECTS}
    ${CMAKE_SOURCE_DIR}/resources/orvara.def)
  set_target_properties(orvara PROPERTIES PREFIX "" OUTPUT_NAME orvara
    RUNTIME_OUTPUT_DIRECTORY ${ORVA_ADDIN_DIR} LIBRARY_OUTPUT_DIRECTORY ${ORVA_ADDIN_DIR})
  target_link_options(orvara PRIVATE -s -nostartfiles -Wl,-e,_DllEntryPoint@12 -static-libgcc
    -Wl,--gc-sections -Wl,--enable-stdcall-fixup)
  target_link_libraries(orvara PRIVATE ${ORVA_SYSTEM_LIBS})
endif()

# --- The six message modules from the catalogue -------------------------------
file(GLOB ORVA_CATALOGUE CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/catalogue/*.errors)
set(ORVA_MODULES)
foreach(source ${ORVA_CATALOGUE})
  get_filename_component(stem ${source} NAME_WE)
  set(module ${ORVA_ADDIN_DIR}/${stem}.dll)
  orva_message_module(${source} ${module} SHIPPED)
  list(APPEND ORVA_MODULES ${module})
endforeach()
add_custom_target(orva_modules ALL DEPENDS ${ORVA_MODULES})

# --- The console tool: orva-lookup, beside the modules it reads -----------------
add_library(orva_console_logic OBJECT ${ORVA_CONSOLE_PORTABLE_SOURCES})
target_include_directories(orva_console_logic PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(orva_console_logic PRIVATE -Os -Wall -Wextra -Werror)

set(ORVA_LOOKUP_RC ${CMAKE_SOURCE_DIR}/orva_lookup/orva_lookup.rc)
set_source_files_properties(${ORVA_LOOKUP_RC} PROPERTIES OBJECT_DEPENDS
  "${ORVA_ICON_DIR}/1_orva.ico;${ORVA_VERSION_LAYOUT};${ORVA_GENERATED_DIR}/orva_version.h")
add_executable(orva-lookup ${CMAKE_SOURCE_DIR}/orva_lookup/orva_lookup.cpp
  ${CMAKE_SOURCE_DIR}/notes/note_files.cpp ${CMAKE_SOURCE_DIR}/state/notes_folder.cpp ${ORVA_LOOKUP_RC}
  $<TARGET_OBJECTS:orva_console_logic> $<TARGET_OBJECTS:orva_engine>)
target_include_directories(orva-lookup PRIVATE ${CMAKE_SOURCE_DIR} ${ORVA_ICON_DIR} ${ORVA_GENERATED_DIR})
target_compile_options(orva-lookup PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-Os -Wall -Wextra -Werror>)
set_target_properties(orva-lookup PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${ORVA_ADDIN_DIR})
target_link_options(orva-lookup PRIVATE -static -s)
add_dependencies(orva-lookup orva_modules orva_icons)

# --- The stand-in host ---------------------------------------------------------
# Plays the IDE: ide/stand-in-host.exe loads ide/Addins/orvara.dll. Its core
# (everything but main.cpp) is linked into the test programs as well, so that
# tests load and drive the real DLL exactly as the program does.
file(GLOB ORVA_HOST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/stand_in_host/*.cpp
     ${CMAKE_SOURCE_DIR}/stand_in_host/*.S)
list(FILTER ORVA_HOST_SOURCES EXCLUDE REGEX "/main\\.cpp$")
if(ORVA_HOST_SOURCES)
  add_library(orva_stand_in_core OBJECT ${ORVA_HOST_SOURCES})
  target_include_directories(orva_stand_in_core PUBLIC ${CMAKE_SOURCE_DIR})
  target_compile_options(orva_stand_in_core PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra -Werror>)

  add_executable(stand-in-host ${CMAKE_SOURCE_DIR}/stand_in_host/main.cpp $<TARGET_OBJECTS:orva_stand_in_core>)
  target_include_directories(stand-in-host PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_options(stand-in-host PRIVATE -Wall -Wextra -Werror)
  target_link_libraries(stand-in-host PRIVATE user32 gdi32 kernel32)
  target_link_options(stand-in-host PRIVATE -static -s)
  set_target_properties(stand-in-host PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${ORVA_IDE_DIR})
  add_dependencies(stand-in-host orva_modules orva_sample_projects)
  if(TARGET orvara)
    add_dependencies(stand-in-host orvara)
  endif()
endif()

# The sample projects beside the host, in ide/Projects: build logs in the
# tools' own forms for Make > Build, and the sources their messages name,
# which the host's double-click in the output pane opens.
set(ORVA_PROJECTS_SOURCE ${CMAKE_SOURCE_DIR}/stand_in_host/projects)
file(GLOB_RECURSE ORVA_PROJECT_FILES CONFIGURE_DEPENDS RELATIVE ${ORVA_PROJECTS_SOURCE} ${ORVA_PROJECTS_SOURCE}/*)
set(ORVA_PROJECT_COPIES)
foreach(file ${ORVA_PROJECT_FILES})
  set(copy ${ORVA_IDE_DIR}/Projects/${file})
  add_custom_command(OUTPUT ${copy}
    COMMAND ${CMAKE_COMMAND} -E copy ${ORVA_PROJECTS_SOURCE}/${file} ${copy}
    DEPENDS ${ORVA_PROJECTS_SOURCE}/${file})
  list(APPEND ORVA_PROJECT_COPIES ${copy})
endforeach()
add_custom_target(orva_sample_projects ALL DEPENDS ${ORVA_PROJECT_COPIES})

# --- Tests ------------------------------------------------------------------------
add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Fixture modules, made from the readable tables in tests/fixtures/<set>/.
file(GLOB_RECURSE ORVA_FIXTURE_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/tests/fixtures/*.msgtable ${CMAKE_SOURCE_DIR}/tests/fixtures/*.errors)
set(ORVA_FIXTURES)
foreach(source ${ORVA_FIXTURE_SOURCES})
  file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR}/tests/fixtures ${source})
  get_filename_component(dir ${rel} DIRECTORY)
  get_filename_component(stem ${rel} NAME_WE)
  set(module ${ORVA_TEST_DIR}/fixtures/${dir}/${stem}.dll)
  orva_message_module(${source} ${module})
  list(APPEND ORVA_FIXTURES ${module})
endforeach()
# What the real formatter must give back for every catalogue entry.
set(ORVA_EXPECTED)
foreach(source ${ORVA_CATALOGUE})
  get_filename_component(stem ${source} NAME_WE)
  set(expected ${ORVA_TEST_DIR}/catalogue/${stem}.expected)
  add_custom_command(OUTPUT ${expected}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ORVA_TEST_DIR}/catalogue
    COMMAND ${Python3_EXECUTABLE} ${ORVA_MSGMOD} expected ${source} ${expected}
    DEPENDS ${source} ${ORVA_MSGMOD})
  list(APPEND ORVA_EXPECTED ${expected})
endforeach()
# The tools' documented messages and the reviewed exceptions to them, which the
# catalogue is checked against.
foreach(name documented-messages.tsv title-exceptions.txt)
  set(copy ${ORVA_TEST_DIR}/catalogue/${name})
  add_custom_command(OUTPUT ${copy}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ORVA_TEST_DIR}/catalogue
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/catalogue/${name} ${copy}
    DEPENDS ${CMAKE_SOURCE_DIR}/catalogue/${name})
  list(APPEND ORVA_EXPECTED ${copy})
endforeach()
add_custom_target(orva_fixtures ALL DEPENDS ${ORVA_FIXTURES} ${ORVA_EXPECTED})

# One test program per folder below tests/windows, plus the portable tests
# built for Windows as well. Each links the add-in's own objects and icons.
function(orva_windows_test name)
  add_executable(${name} ${ARGN} ${CMAKE_SOURCE_DIR}/tests/windows/support/test_main.cpp
    $<TARGET_OBJECTS:orva_engine> ${ORVA_ADDIN_OBJECTS} ${ORVA_RESOURCE_OBJECTS})
  file(GLOB support CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/windows/support/*.cpp)
  list(FILTER support EXCLUDE REGEX "test_main\\.cpp$")
  target_sources(${name} PRIVATE ${support})
  if(TARGET orva_stand_in_core)
    target_sources(${name} PRIVATE $<TARGET_OBJECTS:orva_stand_in_core>)
  endif()
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE gtest ${ORVA_SYSTEM_LIBS})
  target_link_options(${name} PRIVATE -static)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${ORVA_TEST_DIR})
  add_dependencies(${name} orva_fixtures orva_modules orva_sample_projects)
  if(TARGET orvara)
    add_dependencies(${name} orvara)
  endif()
  add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${ORVA_TEST_DIR})
endfunction()

file(GLOB ORVA_PORTABLE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/portable/*.cpp)
orva_windows_test(portable_tests_win32 ${ORVA_PORTABLE_TESTS} $<TARGET_OBJECTS:orva_console_logic>)

file(GLOB ORVA_TEST_AREAS LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/windows/*)
foreach(area ${ORVA_TEST_AREAS})
  get_filename_component(name ${area} NAME)
  if(IS_DIRECTORY ${area} AND NOT name STREQUAL "support")
    file(GLOB area_sources CONFIGURE_DEPENDS ${area}/*.cpp)
    if(area_sources)
      orva_windows_test(test_${name} ${area_sources})
    endif()
  endif()
endforeach()

# The console tests run the built orva-lookup.exe.
if(TARGET test_orva_lookup)
  add_dependencies(test_orva_lookup orva-lookup)
endif()

# --- The release package: dist/orva-<version>-win32.zip and its checksum ------------
# scripts/package.sh copies them to the source tree's dist/.
set(ORVA_PACKAGER ${CMAKE_SOURCE_DIR}/package/make_package.py)
set(ORVA_PACKAGE ${CMAKE_BINARY_DIR}/dist/orva-${PROJECT_VERSION}-win32.zip)
add_custom_command(OUTPUT ${ORVA_PACKAGE} ${ORVA_PACKAGE}.sha256
  COMMAND ${Python3_EXECUTABLE} ${ORVA_PACKAGER} ${PROJECT_VERSION} ${CMAKE_SOURCE_DIR}/package/ORVA.txt
          ${ORVA_PACKAGE} $<TARGET_FILE:orvara> ${ORVA_MODULES} $<TARGET_FILE:orva-lookup>
  DEPENDS orvara orva-lookup ${ORVA_MODULES} ${ORVA_PACKAGER} ${CMAKE_SOURCE_DIR}/package/ORVA.txt
  COMMENT "Release package orva-${PROJECT_VERSION}-win32.zip")
add_custom_target(orva_package ALL DEPENDS ${ORVA_PACKAGE})

# The package test: the zip checked and unpacked into a folder with a space in
# its path, as "C:\Program Files\RadASM" would be; then test_package runs the
# unpacked files.
set(ORVA_UNPACKED "${ORVA_TEST_DIR}/package test/Program Files/RadASM")
add_test(NAME package_contents
  COMMAND ${Python3_EXECUTABLE} ${ORVA_PACKAGER} --check ${ORVA_PACKAGE} ${ORVA_UNPACKED})
set_tests_properties(package_contents PROPERTIES FIXTURES_SETUP unpacked_package)
if(TARGET test_package)
  target_link_libraries(test_package PRIVATE version)
  target_include_directories(test_package PRIVATE ${ORVA_GENERATED_DIR})
  add_dependencies(test_package orva_package)
  set_tests_properties(test_package PROPERTIES FIXTURES_REQUIRED unpacked_package)
endif()

# --- The benchmark program (scripts/bench.sh) -------------------------------------
# A synthetic catalogue of 10,000 messages in one module, for the fill of the
# Error Browser at scale.
set(ORVA_SYNTHETIC_SOURCE ${CMAKE_BINARY_DIR}/bench-synthetic-source/ML.errors)
add_custom_command(OUTPUT ${ORVA_SYNTHETIC_SOURCE}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/bench-synthetic-source
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/benchmarks/make_synthetic.py 10000 ${ORVA_SYNTHETIC_SOURCE}
  DEPENDS ${CMAKE_SOURCE_DIR}/benchmarks/make_synthetic.py)
orva_message_module(${ORVA_SYNTHETIC_SOURCE} ${ORVA_IDE_DIR}/bench-synthetic/ML.dll)
add_custom_target(orva_bench_modules DEPENDS ${ORVA_IDE_DIR}/bench-synthetic/ML.dll)

add_executable(orva-bench EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/benchmarks/orva_bench.cpp
  $<TARGET_OBJECTS:orva_engine> $<TARGET_OBJECTS:orva_console_logic> ${ORVA_ADDIN_OBJECTS} ${ORVA_RESOURCE_OBJECTS})
target_include_directories(orva-bench PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(orva-bench PRIVATE -O2)
target_link_libraries(orva-bench PRIVATE ${ORVA_SYSTEM_LIBS})
target_link_options(orva-bench PRIVATE -static)
set_target_properties(orva-bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${ORVA_IDE_DIR})
add_dependencies(orva-bench orva_bench_modules orva_modules orvara)

# --- Size budget and imports of orvara.dll ------------------------------------------
# The add-in with its icons, in the linker's own layout, measures 40,448 bytes.
set(ORVA_SIZE_BUDGET 40960)
add_test(NAME addin_size_and_imports
  COMMAND ${CMAKE_COMMAND} -DADDIN=${ORVA_ADDIN_DIR}/orvara.dll -DBUDGET=${ORVA_SIZE_BUDGET}
          -DOBJDUMP=i686-w64-mingw32-objdump -P ${CMAKE_SOURCE_DIR}/cmake/check_addin.cmake)
