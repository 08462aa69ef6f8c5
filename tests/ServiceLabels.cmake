# Labels each discovered test by the loopback servers it needs (scripts/services.sh starts them),
# so that `ctest -LE 'mariadb|ftp|sms|web'` runs, on a machine without them, everything that needs
# none. ctest includes this after a test program's tests are discovered, with
# teran_labels_program, teran_labels_base and teran_labels_sources set by the small file that
# includes it.
#
# A suite states what it needs in its source, TERAN_SUITE_NEEDS(Suite, ftp, web), and a case of
# it TERAN_CASE_NEEDS(Suite, Case, ftp) (see support/TestNeeds.h); a test on the MariaDB backend,
# whose parameter is named MariaDb, needs mariadb.
set(teran_services mariadb ftp sms web)
foreach(teran_source IN LISTS teran_labels_sources)
    file(READ "${teran_source}" teran_text)
    # Each declaration starts a line; clang-format may have broken it over several.
    string(REGEX MATCHALL "(^|\n)TERAN_(SUITE|CASE)_NEEDS\\([^)]*\\)" teran_declarations "${teran_text}")
    foreach(teran_declaration IN LISTS teran_declarations)
        string(REGEX REPLACE "[ \n]" "" teran_declaration "${teran_declaration}")
        if(teran_declaration MATCHES "^TERAN_SUITE_NEEDS\\(([A-Za-z0-9_]+),([a-z,]+)\\)$")
            set(teran_suite ${CMAKE_MATCH_1})
            set(teran_words "${CMAKE_MATCH_2}")
        elseif(teran_declaration MATCHES "^TERAN_CASE_NEEDS\\(([A-Za-z0-9_]+),([A-Za-z0-9_]+),([a-z,]+)\\)$")
            set(teran_suite ${CMAKE_MATCH_1}.${CMAKE_MATCH_2})
            set(teran_words "${CMAKE_MATCH_3}")
        else()
            message(FATAL_ERROR "${teran_source}: cannot read ${teran_declaration}")
        endif()
        string(REPLACE "," ";" teran_words "${teran_words}")
        foreach(teran_word IN LISTS teran_words)
            list(FIND teran_services "${teran_word}" teran_known)
            if(teran_known EQUAL -1)
                message(FATAL_ERROR "${teran_source}: ${teran_suite} needs an unknown server '${teran_word}'")
            endif()
            list(APPEND teran_needs_${teran_suite} ${teran_word})
        endforeach()
    endforeach()
endforeach()

foreach(teran_test IN LISTS ${teran_labels_program}_TESTS)
    set(teran_labels ${teran_labels_base})
    # "Instances/Suite.Case/Parameter  # GetParam() = ..." or "Suite.Case".
    string(REGEX MATCH "^[^.]*\\.[A-Za-z0-9_]+" teran_case "${teran_test}")
    string(REGEX REPLACE "^.*/" "" teran_case "${teran_case}")
    string(REGEX REPLACE "\\..*$" "" teran_suite "${teran_case}")
    list(APPEND teran_labels ${teran_needs_${teran_suite}} ${teran_needs_${teran_case}})
    if(teran_test MATCHES "^[^.]*\\.[A-Za-z0-9_]+/MariaDb")
        list(APPEND teran_labels mariadb)
    endif()
    list(REMOVE_DUPLICATES teran_labels)
    set_tests_properties("${teran_test}" PROPERTIES LABELS "${teran_labels}")
endforeach()
