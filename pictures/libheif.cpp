#include "libheif.h"

#include <dlfcn.h>

#include <optional>

const Libheif* OpenLibheif()
{
    static const std::optional<Libheif> opened = []() -> std::optional<Libheif> {
        // Kept open for the rest of the run, as a linked library would be.
        void* library = dlopen("libheif.so.1", RTLD_NOW | RTLD_LOCAL);
        if (!library)
            return std::nullopt;
        Libheif heif;
        bool whole = true;
#define PLIMMERLO_LIBHEIF_RESOLVE(name)                                                                               \
    heif.name = reinterpret_cast<decltype(&::name)>(dlsym(library, #name));                                          \
    whole = whole && heif.name;
        PLIMMERLO_LIBHEIF_FUNCTIONS(PLIMMERLO_LIBHEIF_RESOLVE)
#undef PLIMMERLO_LIBHEIF_RESOLVE
        return whole ? std::optional(heif) : std::nullopt;
    }();
    return opened ? &*opened : nullptr;
}
