# tessivo_module(<name> [DEPS <targets>...])
# One static library per subsystem folder, from every .cpp in that folder.
function(tessivo_module name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(tessivo_${name} STATIC ${sources})
  target_include_directories(tessivo_${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(tessivo_${name} PUBLIC ${ARG_DEPS})
endfunction()

# tessivo_forbid_widgets(<target>): fails the configure step when <target> links, directly or
# through any library it uses, Qt Widgets or Qt Gui. Keeps the logic libraries testable headless.
function(_tessivo_collect_links target out)
  set(seen ${${out}})
  foreach(property LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
    get_target_property(libs ${target} ${property})
    if(NOT libs)
      continue()
    endif()
    foreach(lib ${libs})
      if(lib MATCHES "^\\$<" OR lib IN_LIST seen)
        continue()
      endif()
      list(APPEND seen ${lib})
      if(TARGET ${lib})
        get_target_property(aliased ${lib} ALIASED_TARGET)
        if(aliased)
          list(APPEND seen ${aliased})
        endif()
        _tessivo_collect_links(${lib} seen)
      endif()
    endforeach()
  endforeach()
  set(${out} ${seen} PARENT_SCOPE)
endfunction()

function(tessivo_forbid_widgets target)
  set(links)
  _tessivo_collect_links(${target} links)
  foreach(forbidden Qt6::Widgets Qt::Widgets Qt6::Gui Qt::Gui)
    if(forbidden IN_LIST links)
      message(FATAL_ERROR "${target} must stay free of widgets and drawing, but links ${forbidden}")
    endif()
  endforeach()
endfunction()

# tessivo_loadable_module(<target> <file name> <source> LIBS <targets>...): a shared object the
# executable loads from its own folder when it first needs it. Only the entry point is exported;
# the static code inside stays the module's own.
function(tessivo_loadable_module target file source)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  add_library(${target} MODULE ${source})
  target_link_libraries(${target} PRIVATE ${ARG_LIBS})
  target_link_options(${target} PRIVATE -Wl,--exclude-libs,ALL)
  # Every symbol resolved at link time, except under the sanitizers, whose runtime the
  # executable brings.
  if(NOT TESSIVO_SANITIZE AND NOT TESSIVO_FUZZ)
    target_link_options(${target} PRIVATE -Wl,--no-undefined)
  endif()
  set_target_properties(${target} PROPERTIES
    PREFIX "" OUTPUT_NAME ${file}
    LIBRARY_OUTPUT_DIRECTORY ${TESSIVO_BIN_DIR}
    CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
endfunction()
