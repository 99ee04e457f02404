# The program's version: the changelog's latest entry names it, as in any Debian package, so
# `tavi --versao` and the package never disagree.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/../packaging/changelog TAVI_CHANGELOG_TOP LIMIT_COUNT 1)
if(NOT TAVI_CHANGELOG_TOP MATCHES "^tavi \\(([0-9][0-9A-Za-z.+~]*)\\) ")
    message(FATAL_ERROR "packaging/changelog: the first line names no version: ${TAVI_CHANGELOG_TOP}")
endif()
set(TAVI_PACKAGE_VERSION ${CMAKE_MATCH_1})
