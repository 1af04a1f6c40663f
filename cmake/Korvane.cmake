# Helpers that keep one library per folder and the layering rules of the tree.
include(GoogleTest)
#
# korvane_library(NAME [STDLIB_ONLY] DEPS dep...)
#   Builds every .cpp of the calling folder (and its own non-target subfolders
#   listed in SUBDIRS) into a static library. STDLIB_ONLY marks a library that
#   may use only the standard library, POSIX and other STDLIB_ONLY libraries;
#   korvane_check_stdlib_only() enforces that at configure time, and since Qt's
#   include folders reach a target only through Qt's own targets, a Qt include
#   in such a library fails to compile.
#   Libraries are defined bottom layer first; korvane_check_layers() refuses a
#   library that links one defined after it, so every arrow points down.
set_property(GLOBAL PROPERTY KORVANE_LIBRARIES "")

function(korvane_library name)
  cmake_parse_arguments(KL "STDLIB_ONLY" "" "DEPS;SUBDIRS;EXTRA_SOURCES" ${ARGN})
  set(globs ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(sub IN LISTS KL_SUBDIRS)
    list(APPEND globs ${CMAKE_CURRENT_SOURCE_DIR}/${sub}/*.cpp)
  endforeach()
  file(GLOB sources CONFIGURE_DEPENDS ${globs})
  if(NOT sources AND NOT KL_EXTRA_SOURCES)
    # A folder that has no code yet still gives a (empty) library.
    set(empty ${CMAKE_CURRENT_BINARY_DIR}/${name}_empty.cpp)
    file(WRITE ${empty} "")
    list(APPEND sources ${empty})
  endif()
  add_library(${name} STATIC ${sources} ${KL_EXTRA_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${KL_DEPS})
  if(KL_STDLIB_ONLY)
    set_property(TARGET ${name} PROPERTY KORVANE_STDLIB_ONLY TRUE)
  endif()
  set_property(GLOBAL APPEND PROPERTY KORVANE_LIBRARIES ${name})
endfunction()

function(korvane_check_layers)
  get_property(libs GLOBAL PROPERTY KORVANE_LIBRARIES)
  set(below "")
  foreach(lib IN LISTS libs)
    get_target_property(deps ${lib} LINK_LIBRARIES)
    if(NOT deps)
      set(deps "")
    endif()
    foreach(dep IN LISTS deps)
      if(dep IN_LIST libs AND NOT dep IN_LIST below)
        message(FATAL_ERROR "${lib} links ${dep}, which lies in a layer above it")
      endif()
    endforeach()
    list(APPEND below ${lib})
    get_target_property(only ${lib} KORVANE_STDLIB_ONLY)
    if(NOT only)
      continue()
    endif()
    foreach(dep IN LISTS deps)
      if(dep MATCHES "^Qt" OR NOT TARGET ${dep})
        message(FATAL_ERROR "${lib} may use only the standard library, yet links ${dep}")
      endif()
      get_target_property(dep_only ${dep} KORVANE_STDLIB_ONLY)
      if(NOT dep_only)
        message(FATAL_ERROR "${lib} may use only the standard library, yet links ${dep}")
      endif()
    endforeach()
  endforeach()
endfunction()

# Tests that read our output back through an outside program (LibreOffice,
# pdftotext) take most of the suite's time; they carry this ctest label so
# that `ctest -LE readback` runs the rest.
set(KORVANE_READBACK_LABEL readback)

# korvane_gtest(NAME DEPS dep...): one GoogleTest program from every
# *_test.cpp of the calling folder, its cases registered with ctest. Cases
# whose name holds "LibreOffice" are the read-back ones.
function(korvane_gtest name)
  cmake_parse_arguments(KT "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  file(GLOB helpers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_fixture.cpp)
  if(NOT sources)
    return()  # no tests in this folder yet
  endif()
  add_executable(${name} ${sources} ${helpers})
  target_link_libraries(${name} PRIVATE ${KT_DEPS} GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests/support)
  # A parameterised case is named by its suite's name generator alone: the
  # printed parameter value (bytes of a struct) would make the name change
  # from build to build.
  gtest_discover_tests(${name} WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR} DISCOVERY_TIMEOUT 60
                       NO_PRETTY_VALUES TEST_FILTER "-*LibreOffice*")
  gtest_discover_tests(${name} WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR} DISCOVERY_TIMEOUT 60
                       NO_PRETTY_VALUES TEST_FILTER "*LibreOffice*"
                       PROPERTIES LABELS ${KORVANE_READBACK_LABEL})
endfunction()

# korvane_qtest(NAME SOURCE src DEPS dep...): one Qt Test program, run
# headless with its settings and runtime folders inside the build tree. A
# program whose sources run pdftotext or LibreOffice is a read-back test.
function(korvane_qtest name)
  cmake_parse_arguments(KQ "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${KQ_SOURCES})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_link_libraries(${name} PRIVATE ${KQ_DEPS} Qt6::Test)
  set(home ${CMAKE_CURRENT_BINARY_DIR}/${name}.home)
  file(MAKE_DIRECTORY ${home}/config ${home}/data)
  file(MAKE_DIRECTORY ${home}/runtime)
  file(CHMOD ${home}/runtime DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT
    "QT_QPA_PLATFORM=offscreen;XDG_CONFIG_HOME=${home}/config;XDG_DATA_HOME=${home}/data;XDG_RUNTIME_DIR=${home}/runtime")
  foreach(src IN LISTS KQ_SOURCES)
    file(STRINGS ${src} readers REGEX "pdftotext|ConvertWithLibreOffice|soffice")
    if(readers)
      set_tests_properties(${name} PROPERTIES LABELS ${KORVANE_READBACK_LABEL})
      break()
    endif()
  endforeach()
endfunction()
