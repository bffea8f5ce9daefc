# vorn_add_layer(<target> <folder>): a static library of every .cpp under <folder>
# (and, for the engine, every module include folder) so that adding a class needs no list edit.
function(vorn_add_layer target folder)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp
                                              ${CMAKE_SOURCE_DIR}/${folder}/*.c)
  add_library(${target} STATIC ${sources})
  # Every subfolder is an include folder too, as the game includes "CCNode.h" style names.
  file(GLOB_RECURSE headers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.h)
  set(dirs "")
  foreach(h ${headers})
    get_filename_component(d ${h} DIRECTORY)
    list(APPEND dirs ${d})
  endforeach()
  list(REMOVE_DUPLICATES dirs)
  target_include_directories(${target} PUBLIC ${dirs})
endfunction()

# vorn_add_test(<name> SOURCES ... LIBS ...): one GoogleTest executable run headless by CTest.
function(vorn_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} vorn_test_support GTest::gtest GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT
    "SDL_VIDEODRIVER=dummy;SDL_AUDIODRIVER=dummy;SDL_RENDER_DRIVER=software;XDG_DATA_HOME=${CMAKE_BINARY_DIR}/test-home/${name};VORN_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
endfunction()
