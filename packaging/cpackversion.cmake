# Read by cpack when it runs: the package takes the version of the build it
# packs (written by the build on every run), not the one of the last time
# cmake was configured.
file(STRINGS "${CPACK_VANDREL_VERSION_FILE}" CPACK_PACKAGE_VERSION LIMIT_COUNT 1)
set(CPACK_DEBIAN_PACKAGE_VERSION ${CPACK_PACKAGE_VERSION})
