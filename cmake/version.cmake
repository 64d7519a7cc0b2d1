# The version of the three programs and the package, refreshed from git on
# every build (cmake/writeversion.cmake), and where the installed window
# finds its translations: one generated source, VANDREL_VERSION_SOURCE, and
# the bare version text in VANDREL_VERSION_FILE for the package and the
# install check.
include(GNUInstallDirs)
set(VANDREL_TRANSLATIONS_DIR ${CMAKE_INSTALL_DATADIR}/vandrel/translations)
file(RELATIVE_PATH VANDREL_TRANSLATIONS_FROM_BIN ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/${VANDREL_TRANSLATIONS_DIR})
set(VANDREL_VERSION_SOURCE ${CMAKE_BINARY_DIR}/generated/vandrelversion.cpp)
set(VANDREL_VERSION_FILE ${CMAKE_BINARY_DIR}/generated/version.txt)
set(VANDREL_VERSION_ARGS
    -DSOURCE_DIR=${CMAKE_SOURCE_DIR}
    -DBASE_VERSION=${PROJECT_VERSION}
    -DTEMPLATE=${CMAKE_SOURCE_DIR}/app/vandrelversion.cpp.in
    -DOUTPUT_SOURCE=${VANDREL_VERSION_SOURCE}
    -DOUTPUT_TEXT=${VANDREL_VERSION_FILE}
    -DVANDREL_TRANSLATIONS_FROM_BIN=${VANDREL_TRANSLATIONS_FROM_BIN}
    -P ${CMAKE_CURRENT_LIST_DIR}/writeversion.cmake)
# Once now, so that the source exists for every target that lists it, and
# again on every build; Ninja sees the source as this target's product and
# recompiles it only when its text changed.
execute_process(COMMAND ${CMAKE_COMMAND} ${VANDREL_VERSION_ARGS} RESULT_VARIABLE version_failed)
if(version_failed)
    message(FATAL_ERROR "Could not write ${VANDREL_VERSION_SOURCE}")
endif()
add_custom_target(vandrel_version
    COMMAND ${CMAKE_COMMAND} ${VANDREL_VERSION_ARGS}
    BYPRODUCTS ${VANDREL_VERSION_SOURCE} ${VANDREL_VERSION_FILE}
    COMMENT "Version from git"
    VERBATIM)
