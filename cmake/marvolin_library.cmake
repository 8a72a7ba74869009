# marvolin_library(TARGET FOLDER [DEPENDS target...] [SOURCES file...] [EXCLUDE name.cpp...])
#
# One static library per folder of the program. Its sources are the folder's *.cpp files; its
# headers are reached as "FOLDER/name.h" through a staging folder of links in the build tree
# that holds this folder's headers only. A library therefore sees its own headers and those
# of the libraries it depends on, and nothing else: an include against the dependency arrows
# fails to compile instead of quietly linking a layer to one above it. EXCLUDE keeps a
# program's main file out of the library.
function(marvolin_library target folder)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "DEPENDS;SOURCES;EXCLUDE")
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
  foreach(excluded IN LISTS arg_EXCLUDE)
    list(REMOVE_ITEM sources ${CMAKE_SOURCE_DIR}/${folder}/${excluded})
  endforeach()
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.h)

  set(stage ${CMAKE_BINARY_DIR}/include/${target})
  file(REMOVE_RECURSE ${stage})
  file(MAKE_DIRECTORY ${stage}/${folder})
  foreach(header IN LISTS headers)
    get_filename_component(name ${header} NAME)
    file(CREATE_LINK ${header} ${stage}/${folder}/${name} SYMBOLIC)
  endforeach()

  if(sources OR arg_SOURCES)
    add_library(${target} STATIC ${sources} ${arg_SOURCES})
    target_include_directories(${target} PUBLIC ${stage})
    target_link_libraries(${target} PUBLIC ${arg_DEPENDS})
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${stage})
    target_link_libraries(${target} INTERFACE ${arg_DEPENDS})
  endif()
endfunction()
