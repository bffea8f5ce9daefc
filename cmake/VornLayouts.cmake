# vorn_compile_layouts(<target> <layout sources...> DESTINATION <dir>)
# Compiles each text layout with ccbc into <dir>/<name>.ccbi. The files are remade whenever their
# source or the compiler changes; <target> builds with ALL.
function(vorn_compile_layouts target)
  cmake_parse_arguments(L "" "DESTINATION" "" ${ARGN})
  if(NOT L_DESTINATION)
    message(FATAL_ERROR "vorn_compile_layouts(${target}): DESTINATION is required")
  endif()
  set(outputs "")
  foreach(source ${L_UNPARSED_ARGUMENTS})
    get_filename_component(abs ${source} ABSOLUTE)
    get_filename_component(name ${source} NAME_WE)
    set(out ${L_DESTINATION}/${name}.ccbi)
    add_custom_command(
      OUTPUT ${out}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${L_DESTINATION}
      COMMAND $<TARGET_FILE:ccbc> ${abs} -o ${out}
      DEPENDS ${abs} ccbc
      COMMENT "Compiling layout ${name}"
      VERBATIM)
    list(APPEND outputs ${out})
  endforeach()
  add_custom_target(${target} ALL DEPENDS ${outputs})
endfunction()
