# Writes NEWS.md in the form Debian's tools read a package's changelog in
# (apt changelog, apt-listchanges, lintian): one entry a release, newest
# first, and for a build that is not a release an entry of its own version
# holding the "Unreleased" changes, so that the top entry is always the
# installed version.
#
# Inputs: NEWS VERSION_FILE OUTPUT CONTACT
file(STRINGS ${VERSION_FILE} version LIMIT_COUNT 1)
file(STRINGS ${NEWS} lines ENCODING UTF-8)

set(out "")
set(entry "")
set(body "")
# Closes the entry being gathered. A release is dated at the start of its day
# (UTC), a build from git at its commit's time, so that the build's entry
# is later than the release it follows, as the order of entries says.
macro(close_entry)
    if(entry AND NOT body STREQUAL "")
        execute_process(COMMAND date -u -R -d "${entry_date}"
            OUTPUT_VARIABLE stamp OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed)
        if(failed)
            message(FATAL_ERROR "${NEWS}: \"${entry_date}\" is not a date")
        endif()
        string(APPEND out "vandrel (${entry}) unstable; urgency=medium\n\n${body}\n -- ${CONTACT}  ${stamp}\n\n")
    endif()
    set(entry "")
    set(body "")
endmacro()

set(in_comment FALSE)
foreach(line IN LISTS lines)
    if(in_comment OR line MATCHES "^<!--")
        set(in_comment TRUE)
        if(line MATCHES "-->$")
            set(in_comment FALSE)
        endif()
    elseif(line MATCHES "^## Unreleased")
        close_entry()
        # A release's own build leaves the unreleased changes out.
        if(version MATCHES "^([^+]+)\\+git([0-9]+)\\.([0-9]+)\\.(.*)$")
            set(entry ${version})
            set(body "  * Built from commit ${CMAKE_MATCH_4}, after ${CMAKE_MATCH_1}.\n")
            set(time ${CMAKE_MATCH_3})
            string(REGEX REPLACE "^(....)(..)(..)$" "\\1-\\2-\\3" day ${CMAKE_MATCH_2})
            string(REGEX REPLACE "^(..)(..)(..)$" "\\1:\\2:\\3" time ${time})
            set(entry_date "${day} ${time} UTC")
        endif()
    elseif(line MATCHES "^## ([^ ]+) \\(([0-9-]+)\\)")
        close_entry()
        set(entry ${CMAKE_MATCH_1})
        set(entry_date ${CMAKE_MATCH_2})
    elseif(line MATCHES "^# ")
        close_entry()
    elseif(entry AND line MATCHES "^- (.*)")
        string(APPEND body "  * ${CMAKE_MATCH_1}\n")
    elseif(entry AND line MATCHES "^  (.*)")
        string(APPEND body "    ${CMAKE_MATCH_1}\n")
    elseif(entry AND NOT line STREQUAL "")
        # A paragraph of its own: said once, above the list.
        string(APPEND body "  ${line}\n")
    endif()
endforeach()
close_entry()
if(out STREQUAL "")
    message(FATAL_ERROR "${NEWS} holds no release")
endif()
string(REGEX REPLACE "\n\n$" "\n" out "${out}")
file(WRITE ${OUTPUT} "${out}")
