# Each subsystem folder builds two static libraries:
#   <name>_core from src/<name>/*.cpp: plain C++; it never sees Qt's include
#               folders, so a Qt include there fails to build;
#   <name>_ui   from src/<name>/ui/*.cpp: Qt forms and widgets over the core.
# Further dependencies are passed as CORE_DEPS and UI_DEPS.
function(pelko_subsystem name)
  cmake_parse_arguments(ARG "" "" "CORE_DEPS;UI_DEPS" ${ARGN})
  file(GLOB core_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.c)
  # Headers are listed too, so that moc sees a new header at once.
  file(GLOB ui_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/ui/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/ui/*.c
    ${CMAKE_CURRENT_SOURCE_DIR}/ui/*.h)
  if(NOT core_sources)
    set(core_sources ${CMAKE_SOURCE_DIR}/cmake/empty.cpp)
  endif()
  if(NOT ui_sources)
    set(ui_sources ${CMAKE_SOURCE_DIR}/cmake/empty.cpp)
  endif()

  add_library(${name}_core STATIC ${core_sources})
  target_include_directories(${name}_core PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name}_core PUBLIC ${ARG_CORE_DEPS})
  foreach(dep IN LISTS ARG_CORE_DEPS)
    if(dep MATCHES "^Qt")
      message(FATAL_ERROR "${name}_core must not link Qt")
    endif()
  endforeach()

  add_library(${name}_ui STATIC ${ui_sources})
  set_target_properties(${name}_ui PROPERTIES AUTOMOC ON AUTOUIC ON AUTORCC ON)
  # Automoc reruns only when a file it already knows changes; when the set of
  # ui files changes, drop its stamp so that new headers are moc'ed too.
  file(GLOB ui_headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/ui/*.h)
  set(ui_list_file ${CMAKE_CURRENT_BINARY_DIR}/${name}_ui_files.txt)
  set(ui_files "${ui_sources};${ui_headers}")
  if(EXISTS ${ui_list_file})
    file(READ ${ui_list_file} previous_ui_files)
  endif()
  if(NOT "${previous_ui_files}" STREQUAL "${ui_files}")
    file(WRITE ${ui_list_file} "${ui_files}")
    file(REMOVE ${CMAKE_CURRENT_BINARY_DIR}/${name}_ui_autogen/timestamp)
  endif()
  target_link_libraries(${name}_ui PUBLIC ${name}_core ${ARG_UI_DEPS}
    Qt6::Widgets Qt6::PrintSupport Qt6::Network Qt6::Multimedia)
endfunction()

# One GoogleTest executable per subsystem from tests/<name>/*.cpp.
function(pelko_test name)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT sources)
    return()
  endif()
  add_executable(test_${name} ${sources} ${CMAKE_SOURCE_DIR}/tests/common/test_main.cpp)
  set_target_properties(test_${name} PROPERTIES
    AUTOMOC ON RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_include_directories(test_${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_compile_definitions(test_${name} PRIVATE
    PELKO_FIXTURES="${CMAKE_SOURCE_DIR}/tests/fixtures"
    PELKO_BIN_DIR="${PELKO_BIN_DIR}")
  target_link_libraries(test_${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock Qt6::Widgets)
  add_dependencies(test_${name} pelko_resources)
  gtest_discover_tests(test_${name} DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)
endfunction()
