# One static library per source folder: every .cpp below the folder belongs to it,
# so adding a file needs no edit here. Each library also records the folders it may
# include from, which the layering test checks against the sources.
function(qv_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/engine ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/engine ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  set(ours "")
  foreach(dep ${ARG_DEPS})
    if(dep MATCHES "^qv_")
      list(APPEND ours ${dep})
    endif()
  endforeach()
  list(JOIN ours "," ours_text)
  set_property(GLOBAL APPEND PROPERTY QV_LAYERS "${name} ${folder} ${ours_text}")
endfunction()

# Writes the recorded libraries, one line each: name, folder, our libraries it links.
function(qv_write_layers path)
  get_property(layers GLOBAL PROPERTY QV_LAYERS)
  list(JOIN layers "\n" text)
  file(WRITE ${path}.tmp "${text}\n")
  file(COPY_FILE ${path}.tmp ${path} ONLY_IF_DIFFERENT)
endfunction()

# One test program per folder under tests/, every test registered with CTest. WINDOWS
# keeps the video system running for the whole program (see VideoForTheWholeRun.h).
function(qv_test_program name)
  cmake_parse_arguments(ARG "WINDOWS" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  if(ARG_WINDOWS)
    list(APPEND sources ${PROJECT_SOURCE_DIR}/tests/support/WindowTestEnvironment.cpp)
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests ${PROJECT_SOURCE_DIR}/tests/support)
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QV_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()
