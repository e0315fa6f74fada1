# Header-only libraries from Debian's packages. The cross compiler must not
# see the host's /usr/include, so both builds reach a library through a
# folder of the build tree that holds only a link to the library's own
# folder of headers.
set(FERRY_HEADERS_DIR ${CMAKE_BINARY_DIR}/headers)

# ferry_system_headers(TARGET FOLDER PACKAGE): /usr/include/FOLDER for
# TARGET, from the Debian package PACKAGE.
function(ferry_system_headers target folder package)
  if(NOT EXISTS /usr/include/${folder})
    message(FATAL_ERROR "/usr/include/${folder} not found (Debian: ${package})")
  endif()
  file(MAKE_DIRECTORY ${FERRY_HEADERS_DIR})
  file(CREATE_LINK /usr/include/${folder} ${FERRY_HEADERS_DIR}/${folder} SYMBOLIC)
  target_include_directories(${target} SYSTEM PRIVATE ${FERRY_HEADERS_DIR})
endfunction()
