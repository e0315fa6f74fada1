# The engine's folders are layers, each a static library that links only the
# layers below it:
#
#   base -> platform -> sca -> output -> convert -> app -> cli, win32
#
# ferry_layer(NAME SOURCES... [LINKS LIBRARY...]) builds src/NAME as
# ferry_NAME. Its headers are reached as "NAME/x.h". Each layer's include
# root (build/layers/NAME) holds nothing but a link to its own folder, so a
# layer sees the headers of the layers it links and no others: including a
# header of a layer above fails to compile.
set(FERRY_LAYERS_DIR ${CMAKE_BINARY_DIR}/layers)

function(ferry_layer name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SOURCES;LINKS")
  set(root ${FERRY_LAYERS_DIR}/${name})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${name} ${root}/${name} SYMBOLIC)
  add_library(ferry_${name} STATIC ${arg_SOURCES})
  target_include_directories(ferry_${name} PUBLIC ${root})
  target_link_libraries(ferry_${name} PUBLIC ${arg_LINKS})
  target_compile_options(ferry_${name} PRIVATE ${FERRY_WARNINGS})
endfunction()
