#include "modul1.h"

namespace games {

Modul1& modul1() {
    static Modul1 m;
    return m;
}

} // namespace games
