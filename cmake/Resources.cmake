# String tables and custom resources, one source for both builds:
# res/strings/*.rc (STRINGTABLE blocks, one file per area) and res/data/*.rc
# (custom binary resources).  Windows: compiled by windres into an object that
# every executable linking the class library gets.  Native: a C++ table
# generated from the same files at build time, compiled into the class library.
# Dialog templates (res/dialogs/*.rc) are window resources: Windows build only.
function(lorvane_add_resources lib)
  file(GLOB rc_files CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/res/strings/*.rc ${CMAKE_SOURCE_DIR}/res/data/*.rc)
  list(SORT rc_files)
  if(WIN32)
    file(GLOB dialog_rc_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/dialogs/*.rc)
    list(SORT dialog_rc_files)
    list(APPEND rc_files ${dialog_rc_files})
    set(all_rc "// Generated: every resource source of the program.\n")
    foreach(rc IN LISTS rc_files)
      string(APPEND all_rc "#include \"${rc}\"\n")
    endforeach()
    set(gen ${CMAKE_BINARY_DIR}/generated/AllResources.rc)
    file(CONFIGURE OUTPUT ${gen} CONTENT "${all_rc}")
    # windres leaves no dependency file: name the included sources, so that an edited string table
    # is compiled again.
    file(GLOB data_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/data/*)
    set_source_files_properties(${gen} PROPERTIES OBJECT_DEPENDS
      "${rc_files};${data_files};${CMAKE_SOURCE_DIR}/classlib/ClassLibIds.h")
    add_library(lorvane_resources OBJECT ${gen})
    target_include_directories(lorvane_resources PRIVATE ${CMAKE_SOURCE_DIR})
    # A resource object in a static library would never be pulled in: hand
    # the object itself to everything that links the library.
    target_link_libraries(${lib} INTERFACE $<TARGET_OBJECTS:lorvane_resources>)
    add_dependencies(${lib} lorvane_resources)
  else()
    set(gen ${CMAKE_BINARY_DIR}/generated/ResourceTable.cpp)
    # Files named by the sources (binary resources) are dependencies too.
    string(REPLACE ";" "|" rc_arg "${rc_files}")
    set(deps ${rc_files})
    file(GLOB data_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/data/*)
    list(APPEND deps ${data_files})
    add_custom_command(OUTPUT ${gen}
      COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR} -DOUTPUT=${gen}
              "-DRC_FILES=${rc_arg}" -P ${CMAKE_SOURCE_DIR}/cmake/GenerateResources.cmake
      DEPENDS ${deps} ${CMAKE_SOURCE_DIR}/cmake/GenerateResources.cmake ${CMAKE_SOURCE_DIR}/classlib/ClassLibIds.h
      COMMENT "Generating the native resource table"
      VERBATIM)
    target_sources(${lib} PRIVATE ${gen})
  endif()
endfunction()
