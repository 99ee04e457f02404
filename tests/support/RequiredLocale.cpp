// Linked into every test program: a test registered under a locale fails at once when the C
// library cannot load that locale, rather than running silently in "C" and passing where
// users' machines would fail.

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{

bool requireTheLocaleOfTheEnvironment()
{
    const char *wanted = std::getenv("LC_ALL");
    if (!wanted || !*wanted)
        return true;
    const char *loaded = std::setlocale(LC_ALL, "");
    if (!loaded || (std::strcmp(wanted, "C") != 0 && std::strcmp(loaded, "C") == 0)) {
        const char *path = std::getenv("LOCPATH");
        std::fprintf(stderr,
                     "The locale %s is not installed (LOCPATH=%s): compile it with localedef, "
                     "as the build does.\n",
                     wanted, path ? path : "");
        std::exit(1);
    }
    return true;
}

[[maybe_unused]] const bool localeRequired = requireTheLocaleOfTheEnvironment();

} // namespace
