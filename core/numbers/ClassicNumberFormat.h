#pragma once

#include <locale.h>

namespace tavi
{

// While it lives, the C library formats and reads numbers on this thread with a decimal
// point, whatever the process's locale says. Code handing numbers to a file format through
// printf or strtod (libxlsxwriter writes cell values and column widths that way) runs inside
// one: under a decimal-comma locale it would otherwise write "3580,1", which spreadsheets
// misread or refuse. Only LC_NUMERIC changes, and only for this thread.
class ClassicNumberFormat
{
public:
    // Throws std::bad_alloc when the C library cannot make the locale.
    ClassicNumberFormat();
    ~ClassicNumberFormat();
    ClassicNumberFormat(const ClassicNumberFormat &) = delete;
    ClassicNumberFormat &operator=(const ClassicNumberFormat &) = delete;

private:
    locale_t m_classic = nullptr;
    locale_t m_previous = nullptr;
};

} // namespace tavi
