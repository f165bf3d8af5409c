# glyphsmith_embed_resources(TARGET name RESOURCES id file id file ...)
# Builds a static library that holds each file's bytes and answers
# glyphsmith::embeddedResource(id) (declared in src/platform/resources.h).
set(GLYPHSMITH_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/embed_file.cmake)

function(glyphsmith_embed_resources)
  cmake_parse_arguments(ARG "" "TARGET" "RESOURCES" ${ARGN})
  set(sources)
  set(cases "")
  set(declarations "")
  list(LENGTH ARG_RESOURCES count)
  math(EXPR last "${count} - 1")
  foreach(index RANGE 0 ${last} 2)
    math(EXPR file_index "${index} + 1")
    list(GET ARG_RESOURCES ${index} id)
    list(GET ARG_RESOURCES ${file_index} file)
    get_filename_component(file ${file} ABSOLUTE)
    set(output ${CMAKE_CURRENT_BINARY_DIR}/resource_${id}.cpp)
    add_custom_command(
      OUTPUT ${output}
      COMMAND ${CMAKE_COMMAND} -DINPUT=${file} -DOUTPUT=${output} -DSYMBOL=resource_${id}
              -P ${GLYPHSMITH_EMBED_SCRIPT}
      DEPENDS ${file} ${GLYPHSMITH_EMBED_SCRIPT}
      COMMENT "Embedding resource ${id}")
    list(APPEND sources ${output})
    string(APPEND declarations "extern const std::span<const std::uint8_t> resource_${id};\n")
    string(APPEND cases "    case ${id}: return resource_${id};\n")
  endforeach()
  set(index_file ${CMAKE_CURRENT_BINARY_DIR}/resource_index.cpp)
  file(CONFIGURE OUTPUT ${index_file} CONTENT "#include \"platform/resources.h\"\n\nnamespace glyphsmith {\n${declarations}\nstd::span<const std::uint8_t> embeddedResource(int resourceId)\n{\n    switch (resourceId) {\n${cases}    default: return {};\n    }\n}\n\n} // namespace glyphsmith\n")
  add_library(${ARG_TARGET} STATIC ${sources} ${index_file})
  target_include_directories(${ARG_TARGET} PUBLIC ${PROJECT_SOURCE_DIR}/src)
endfunction()

# glyphsmith_windows_resources(TARGET exe DESCRIPTION text [ICON])
# Gives a Windows program its version information (the project's version) and,
# with ICON (the editor), the application icon as icon resource 130 and the
# manifest of res/glyphsmith.manifest.in, compiled by windres.
function(glyphsmith_windows_resources)
  cmake_parse_arguments(ARG "ICON" "TARGET;DESCRIPTION" "" ${ARGN})
  set(GLYPHSMITH_RC_FILE_NAME ${ARG_TARGET}.exe)
  set(GLYPHSMITH_RC_DESCRIPTION "${ARG_DESCRIPTION}")
  set(GLYPHSMITH_RC_ICON "")
  if(ARG_ICON)
    # The editor also gets its manifest (resource 1 of type 24, RT_MANIFEST).
    set(manifest ${CMAKE_CURRENT_BINARY_DIR}/${ARG_TARGET}.manifest)
    configure_file(${PROJECT_SOURCE_DIR}/res/glyphsmith.manifest.in ${manifest} @ONLY)
    set(GLYPHSMITH_RC_ICON "130 ICON \"${PROJECT_SOURCE_DIR}/res/app_icon.ico\"\n1 24 \"${manifest}\"")
  endif()
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${ARG_TARGET}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/res/version.rc.in ${rc} @ONLY)
  target_sources(${ARG_TARGET} PRIVATE ${rc})
endfunction()
