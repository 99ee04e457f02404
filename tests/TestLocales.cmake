# The locales the tests run under, compiled with Debian's localedef (package "locales") into
# the build folder, so the suite needs no system-wide locale and no root. The tests point the
# C library at them with LOCPATH.
find_program(TAVI_LOCALEDEF localedef REQUIRED)
set(TAVI_LOCALE_DIR ${CMAKE_BINARY_DIR}/locales)
set(TAVI_COMPILED_LOCALES)
foreach(locale pt_BR en_US de_DE ar_EG)
    set(out ${TAVI_LOCALE_DIR}/${locale}.UTF-8)
    add_custom_command(OUTPUT ${out}/LC_NUMERIC
        COMMAND ${CMAKE_COMMAND} -E make_directory ${TAVI_LOCALE_DIR}
        COMMAND ${TAVI_LOCALEDEF} -i ${locale} -f UTF-8 ${out}
        COMMENT "Compiling the locale ${locale}.UTF-8 for the tests"
        VERBATIM)
    list(APPEND TAVI_COMPILED_LOCALES ${out}/LC_NUMERIC)
endforeach()
add_custom_target(tavi_test_locales ALL DEPENDS ${TAVI_COMPILED_LOCALES})
