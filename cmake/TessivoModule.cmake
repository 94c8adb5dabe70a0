# tessivo_module(<name> [DEPS <targets>...])
# One static library per subsystem folder, from every .cpp in that folder.
function(tessivo_module name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(tessivo_${name} STATIC ${sources})
  target_include_directories(tessivo_${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(tessivo_${name} PUBLIC ${ARG_DEPS})
endfunction()
