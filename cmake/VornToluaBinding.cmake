# vorn_add_tolua_binding(<target> <name> <package> <hook>): generates <name>.cpp from a tolua++
# package (which pulls in one package per class with $pfile, paths relative to its folder) with
# the fix-up hook, and compiles it into <target>. The output lives in the build folder only.
find_program(TOLUA_GENERATOR NAMES tolua++5.1 tolua++ REQUIRED)

function(vorn_add_tolua_binding target name package hook)
  get_filename_component(dir ${package} DIRECTORY)
  file(GLOB inputs CONFIGURE_DEPENDS ${dir}/*.pkg)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/generated/${name}.cpp)
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/generated
    # Written aside first, so a failed run leaves no half file that looks up to date.
    COMMAND ${TOLUA_GENERATOR} -L ${hook} -n ${name} -o ${out}.part ${package}
    COMMAND ${CMAKE_COMMAND} -E rename ${out}.part ${out}
    WORKING_DIRECTORY ${dir}
    DEPENDS ${inputs} ${hook}
    COMMENT "Generating the ${name} script binding"
    VERBATIM)
  target_sources(${target} PRIVATE ${out})
  # The generator's style: its goto-based checks and per-class tables trip these warnings.
  set_source_files_properties(${out} PROPERTIES COMPILE_OPTIONS "-Wno-unused-parameter;-Wno-unused-variable")
endfunction()
