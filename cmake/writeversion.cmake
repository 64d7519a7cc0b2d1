# Run by the build (cmake -P) before anything that prints the version is
# compiled, so that every build names the commit it was made from without
# cmake being run again by hand.
#
# The version comes from the tree alone: the project's version (raised in
# the commit that makes a release) plus the commit, as
# BASE_VERSION+git<date>.<time>.<commit>, the commit's date and time (UTC)
# first so that a later build always sorts after an earlier one, also for the
# package manager. Tags are not read: they do not travel with every clone, and
# a build must not name itself differently for want of one. A source tree
# without git (an unpacked archive) is the plain BASE_VERSION.
#
# Inputs: SOURCE_DIR BASE_VERSION TEMPLATE OUTPUT_SOURCE OUTPUT_TEXT, and
# what the template needs besides (VANDREL_TRANSLATIONS_FROM_BIN).
set(VANDREL_VERSION ${BASE_VERSION})
find_program(GIT_PROGRAM git)
# Only the tree's own history counts: an archive unpacked inside some other
# checkout must not take that checkout's commit.
if(EXISTS ${SOURCE_DIR}/.git AND NOT GIT_PROGRAM)
    message(WARNING "git is not installed: this build of a git checkout calls itself ${BASE_VERSION}")
elseif(EXISTS ${SOURCE_DIR}/.git)
    set(ENV{TZ} UTC)
    execute_process(
        COMMAND ${GIT_PROGRAM} -C ${SOURCE_DIR} log -1 --abbrev=7 --format=%cd.%h
                --date=format-local:%Y%m%d.%H%M%S
        RESULT_VARIABLE failed OUTPUT_VARIABLE commit OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(NOT failed AND commit MATCHES "^[0-9]+\\.[0-9]+\\.[0-9a-f]+$")
        set(VANDREL_VERSION ${BASE_VERSION}+git${commit})
    else()
        # Said aloud: git refusing the tree (another owner, say) would
        # otherwise pass a development build off as a plain release.
        message(WARNING "git could not name the commit of ${SOURCE_DIR}; "
                        "this build calls itself ${BASE_VERSION}")
    endif()
endif()

# configure_file rewrites only what changed, so an unchanged version
# compiles nothing.
configure_file(${TEMPLATE} ${OUTPUT_SOURCE} @ONLY)
set(text "${VANDREL_VERSION}\n")
set(old_text "")
if(EXISTS ${OUTPUT_TEXT})
    file(READ ${OUTPUT_TEXT} old_text)
endif()
if(NOT old_text STREQUAL text)
    file(WRITE ${OUTPUT_TEXT} "${text}")
endif()
