# Packaging: what `cmake --install` puts where, and the packages CPack makes
# of it (`make dist` runs cpack in the native and the windows build).
#
#   windows build: ferry-VERSION-windows-x64.zip, flat: Ferry.exe,
#     ferry-convert.exe, README.txt (the designers' part of README.md, CR LF),
#     examples/ (the example scenery and its expected document), LICENSE if
#     the project has one.
#   native build: ferry-VERSION-linux-x86_64.tar.gz and a .deb, both laid out
#     as `cmake --install` lays them out under a prefix: bin/ferry-convert,
#     share/man/man1/ferry-convert.1 (help2man, from the built program's
#     --help), share/doc/ferry/README.md and share/doc/ferry/examples/.
include(GNUInstallDirs)

set(FERRY_EXAMPLE_FILES
  ${PROJECT_SOURCE_DIR}/examples/KJFK.sca
  ${PROJECT_SOURCE_DIR}/examples/KJFK_Exclude.SCA
  ${PROJECT_SOURCE_DIR}/examples/KJFK_AFD.SCA
  ${PROJECT_SOURCE_DIR}/examples/KJFK.expected.xml
)
set(FERRY_LICENSE_FILE ${PROJECT_SOURCE_DIR}/LICENSE)

if(WIN32)
  install(TARGETS Ferry ferry-convert RUNTIME DESTINATION .)

  # README.txt: README.md up to the line that ends the designers' part,
  # without its pictures, with Windows line ends. Made again whenever
  # README.md changes.
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/README.md)
  file(READ ${PROJECT_SOURCE_DIR}/README.md readme)
  string(FIND "${readme}" "<!-- end of the designers' part -->" designers_end)
  if(designers_end EQUAL -1)
    message(FATAL_ERROR "README.md lacks the line <!-- end of the designers' part -->")
  endif()
  string(SUBSTRING "${readme}" 0 ${designers_end} readme)
  string(REGEX REPLACE "\n!\\[[^\n]*\\]\\([^\n]*\\)\n" "\n" readme "${readme}")
  string(REGEX REPLACE "\n+$" "\n" readme "${readme}")
  string(REPLACE "\n" "\r\n" readme "${readme}")
  file(WRITE ${CMAKE_BINARY_DIR}/README.txt "${readme}")
  install(FILES ${CMAKE_BINARY_DIR}/README.txt DESTINATION .)
  install(FILES ${FERRY_EXAMPLE_FILES} DESTINATION examples)
  if(EXISTS ${FERRY_LICENSE_FILE})
    install(FILES ${FERRY_LICENSE_FILE} DESTINATION .)
  endif()

  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME ferry-${PROJECT_VERSION}-windows-x64)
else()
  set(FERRY_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/ferry)
  install(TARGETS ferry-convert RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${FERRY_DOC_DIR})
  install(FILES ${FERRY_EXAMPLE_FILES} DESTINATION ${FERRY_DOC_DIR}/examples)
  if(EXISTS ${FERRY_LICENSE_FILE})
    install(FILES ${FERRY_LICENSE_FILE} DESTINATION ${FERRY_DOC_DIR})
  endif()

  # The man page comes from the program's own --help and --version, so it
  # follows whatever the command line offers.
  find_program(FERRY_HELP2MAN help2man)
  if(FERRY_HELP2MAN)
    add_custom_command(
      OUTPUT ferry-convert.1
      COMMAND ${FERRY_HELP2MAN} --no-info --no-discard-stderr
              --name "convert SCA scenery sources to XML for the scenery compiler"
              --output ferry-convert.1 $<TARGET_FILE:ferry-convert>
      DEPENDS ferry-convert
      COMMENT "Writing the man page ferry-convert.1"
      VERBATIM)
    add_custom_target(ferry_man_page ALL DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/ferry-convert.1)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/ferry-convert.1
            DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  else()
    message(WARNING "help2man not found: no man page (scripts/install-deps.sh installs it)")
  endif()

  set(CPACK_GENERATOR TGZ DEB)
  set(CPACK_PACKAGE_FILE_NAME ferry-${PROJECT_VERSION}-linux-${CMAKE_SYSTEM_PROCESSOR})
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Ferry developers <ferry@invalid>")
endif()

set(CPACK_PACKAGE_NAME ferry)
set(CPACK_PACKAGE_VENDOR "Ferry")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "converts SCA scenery sources to XML for the scenery compiler")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_STRIP_FILES TRUE)
set(CPACK_SOURCE_IGNORE_FILES "/build/;/dist/;/\\\\.git/")
include(CPack)
