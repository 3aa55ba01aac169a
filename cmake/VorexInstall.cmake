# Where `cmake --install` puts the programs and their files. Other packaging relies on these
# paths; nothing installed may name the source or build tree (the programs find their data
# relative to themselves: see ui/help_window.h and validation/data_files.h).
include(GNUInstallDirs)

set(VOREX_DATA_DIR ${CMAKE_INSTALL_DATADIR}/vorex)
set(VOREX_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/vorex)

if(VOREX_UI)
  install(TARGETS vorex RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(TARGETS vorex-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The build tree's name is validate; installed beside other programs it says whose it is.
install(PROGRAMS $<TARGET_FILE:validate> DESTINATION ${CMAKE_INSTALL_BINDIR}
        RENAME vorex-validate)
# A renamed file is not a target to CMake, so `--strip` is applied to it here.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP AND NOT \"${CMAKE_STRIP}\" STREQUAL \"\")
    execute_process(COMMAND \"${CMAKE_STRIP}\"
      \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/vorex-validate\")
  endif()")

install(FILES docs/VorexDoc.htm docs/written-mechanism.png DESTINATION ${VOREX_DATA_DIR})
install(DIRECTORY src/validation/data/ DESTINATION ${VOREX_DATA_DIR}/validation-data
        FILES_MATCHING PATTERN "*.txt")

install(FILES docs/validation.md docs/validation-convergence.png DESTINATION ${VOREX_DOC_DIR})
install(DIRECTORY examples/ DESTINATION ${VOREX_DOC_DIR}/examples
        FILES_MATCHING PATTERN "*.vxs" PATTERN "*.txt" PATTERN "*.py" PATTERN "*.md"
        PATTERN "__pycache__" EXCLUDE)

install(FILES data/vorex.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/vorex.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES data/icons/vorex.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 24 32 48 64 128 256)
  install(FILES data/icons/vorex-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME vorex.png)
endforeach()
install(FILES ${VOREX_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
