# Install rules and packages.
#
# Linux: the FHS layout, bin/vorel-convert with the language pack in
# share/vorel (vorel-convert finds it through ../share/vorel), the man page and
# the documents; packed as a .deb and a .tar.gz.
# Windows: one flat folder, the way vorel.exe expects its files (config.ini,
# option.ini and keywords/ beside the program); packed as a .zip per
# architecture.
include_guard(GLOBAL)

set(VOREL_MAINTAINER "The Vorel developers <vorel-developers@example.org>")
set(VOREL_SUMMARY "source code to coloured HTML or UBB forum markup")
# Debian wants description lines under 80 characters.
string(CONCAT VOREL_DESCRIPTION
    "Vorel cuts program source text into strings, comments, delimiters and\n"
    "words, and wraps every string, comment and keyword in markup giving its\n"
    "colour and style: an HTML page, or UBB code for web forums. A syntax is a\n"
    "section of config.ini plus up to two keyword files. A language pack for\n"
    "27 languages is included. This package holds the command-line converter,\n"
    "vorel-convert.")

set(data_dir ${PROJECT_SOURCE_DIR}/data)
set(gen_dir ${PROJECT_BINARY_DIR}/package)

if(WIN32)
  set(bin_dest .)
  set(pack_dest .)
  install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION .)
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
else()
  include(GNUInstallDirs)
  set(bin_dest ${CMAKE_INSTALL_BINDIR})
  # Fixed, not CMAKE_INSTALL_DATADIR: vorel-convert looks in ../share/vorel.
  set(pack_dest share/vorel)
  set(doc_dest share/doc/vorel)

  # Manual pages and changelogs are installed compressed, without a time stamp
  # in the gzip header so that two builds give the same package.
  find_program(VOREL_GZIP gzip REQUIRED)
  set(man_gz ${gen_dir}/vorel-convert.1.gz)
  add_custom_command(OUTPUT ${man_gz}
    COMMAND ${VOREL_GZIP} -9nc ${PROJECT_SOURCE_DIR}/docs/vorel-convert.1 > ${man_gz}
    DEPENDS ${PROJECT_SOURCE_DIR}/docs/vorel-convert.1 VERBATIM)

  # A Debian changelog for this release; SOURCE_DATE_EPOCH, when set, fixes its date.
  string(TIMESTAMP release_date "%a, %d %b %Y %H:%M:%S +0000" UTC)
  file(WRITE ${gen_dir}/changelog
       "vorel (${PROJECT_VERSION}) unstable; urgency=medium\n\n"
       "  * Release ${PROJECT_VERSION}.\n\n"
       " -- ${VOREL_MAINTAINER}  ${release_date}\n")
  set(changelog_gz ${gen_dir}/changelog.gz)
  add_custom_command(OUTPUT ${changelog_gz}
    COMMAND ${VOREL_GZIP} -9nc ${gen_dir}/changelog > ${changelog_gz}
    DEPENDS ${gen_dir}/changelog VERBATIM)
  add_custom_target(vorel_package_docs ALL DEPENDS ${man_gz} ${changelog_gz})

  # The machine-readable copyright file, with the license text from LICENSE.
  file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE license_lines)
  list(SUBLIST license_lines 4 -1 license_lines)  # past the title, the copyright line and a blank
  set(license_body "")
  foreach(line IN LISTS license_lines)
    if(line STREQUAL "")
      string(APPEND license_body " .\n")
    else()
      string(APPEND license_body " ${line}\n")
    endif()
  endforeach()
  file(WRITE ${gen_dir}/copyright
       "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
       "Upstream-Name: Vorel\n\n"
       "Files: *\n"
       "Copyright: 2026 The Vorel developers\n"
       "License: Expat\n"
       "${license_body}")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)

  install(FILES ${man_gz} DESTINATION share/man/man1)
  install(FILES ${gen_dir}/copyright ${changelog_gz} ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${doc_dest})
endif()

install(TARGETS vorel-convert RUNTIME DESTINATION ${bin_dest})
if(TARGET vorel)
  install(TARGETS vorel RUNTIME DESTINATION ${bin_dest})
endif()
install(FILES ${data_dir}/config.ini ${data_dir}/option.ini DESTINATION ${pack_dest})
install(DIRECTORY ${data_dir}/keywords DESTINATION ${pack_dest})

# ---- CPack -----------------------------------------------------------------
set(CPACK_PACKAGE_NAME vorel)
set(CPACK_PACKAGE_VENDOR "The Vorel developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY ${VOREL_SUMMARY})
set(CPACK_PACKAGE_DESCRIPTION ${VOREL_DESCRIPTION})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_SOURCE_DIR}/build/packages)
set(CPACK_SOURCE_GENERATOR "")

if(WIN32)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(arch x86_64)
  else()
    set(arch i686)
  endif()
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME vorel-${PROJECT_VERSION}-windows-${arch})
else()
  set(CPACK_GENERATOR "DEB;TGZ")
  set(CPACK_PACKAGE_FILE_NAME vorel-${PROJECT_VERSION}-linux-${CMAKE_SYSTEM_PROCESSOR})
  set(CPACK_PACKAGE_CONTACT ${VOREL_MAINTAINER})
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${VOREL_MAINTAINER})
  set(CPACK_DEBIAN_PACKAGE_SECTION text)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
endif()

include(CPack)
