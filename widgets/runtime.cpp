#include "runtime.h"

#include <cstdio>
#include <cstdlib>

namespace widgets {

namespace {
Runtime* current = nullptr;
}

Runtime& runtime() {
    if (!current) {
        std::fprintf(stderr, "no runtime installed\n");
        std::abort();
    }
    return *current;
}

void setRuntime(Runtime* rt) {
    current = rt;
}

} // namespace widgets
