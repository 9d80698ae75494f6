# Embeds samples/conveyor.prj.xml and samples/conveyor.plc.xml into mzhost_project as string
# constants (host/project/EmbeddedSamples.h). Included by host/CMakeLists.txt; the same file,
# run with `cmake -P`, generates the source at build time, so an edited sample is picked up by
# the next build without reconfiguring.
#
# The texts go into raw string literals whose delimiter is checked not to occur in them.

if(CMAKE_SCRIPT_MODE_FILE)
  set(delimiter "mzsample")
  set(body "// Generated from the sample files by host/project/Samples.cmake. Do not edit.\n")
  string(APPEND body "#include \"host/project/EmbeddedSamples.h\"\n\nnamespace host {\n")
  foreach(pair "EmbeddedProjectXml=${PROJECT_SAMPLE}" "EmbeddedPlcXml=${PLC_SAMPLE}")
    string(REPLACE "=" ";" parts "${pair}")
    list(GET parts 0 function)
    list(GET parts 1 file)
    file(READ "${file}" text)
    string(FIND "${text}" ")${delimiter}\"" clash)
    if(NOT clash EQUAL -1)
      message(FATAL_ERROR "${file} contains the raw string delimiter )${delimiter}\"")
    endif()
    string(APPEND body "\nstd::string_view ${function}() {\n"
           "  static constexpr std::string_view kText = R\"${delimiter}(${text})${delimiter}\";\n"
           "  return kText;\n}\n")
  endforeach()
  string(APPEND body "\n}  // namespace host\n")
  # Rewrite only on change, so that an unchanged sample does not recompile anything.
  set(old "")
  if(EXISTS "${OUTPUT}")
    file(READ "${OUTPUT}" old)
  endif()
  if(NOT old STREQUAL body)
    file(WRITE "${OUTPUT}" "${body}")
  endif()
  return()
endif()

set(MZ_PROJECT_SAMPLE ${CMAKE_SOURCE_DIR}/samples/conveyor.prj.xml)
set(MZ_PLC_SAMPLE ${CMAKE_SOURCE_DIR}/samples/conveyor.plc.xml)
set(MZ_EMBEDDED_SAMPLES ${CMAKE_CURRENT_BINARY_DIR}/project/EmbeddedSamples.cpp)
add_custom_command(
  OUTPUT ${MZ_EMBEDDED_SAMPLES}
  COMMAND ${CMAKE_COMMAND} -DPROJECT_SAMPLE=${MZ_PROJECT_SAMPLE} -DPLC_SAMPLE=${MZ_PLC_SAMPLE}
          -DOUTPUT=${MZ_EMBEDDED_SAMPLES} -P ${CMAKE_CURRENT_LIST_FILE}
  DEPENDS ${MZ_PROJECT_SAMPLE} ${MZ_PLC_SAMPLE} ${CMAKE_CURRENT_LIST_FILE}
  COMMENT "Embedding the sample project files"
  VERBATIM)
target_sources(mzhost_project PRIVATE ${MZ_EMBEDDED_SAMPLES})
