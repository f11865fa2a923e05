// Finds the pictures that the build embedded in the executable (resources_data.S) by their
// resource identifier.
#include "display/resources.h"

// Each embedded file is bracketed by a start and an end symbol.
#define ZEMA_RESOURCE(id)                                                                          \
    extern "C" const uint8_t zemaResource##id[];                                                   \
    extern "C" const uint8_t zemaResource##id##End[];
ZEMA_RESOURCE(111)
ZEMA_RESOURCE(112)
ZEMA_RESOURCE(113)
ZEMA_RESOURCE(114)
ZEMA_RESOURCE(115)
ZEMA_RESOURCE(116)
ZEMA_RESOURCE(117)
ZEMA_RESOURCE(118)
ZEMA_RESOURCE(119)
ZEMA_RESOURCE(120)
ZEMA_RESOURCE(121)
ZEMA_RESOURCE(123)
ZEMA_RESOURCE(124)
ZEMA_RESOURCE(142)
ZEMA_RESOURCE(143)
ZEMA_RESOURCE(144)
#undef ZEMA_RESOURCE

namespace {
struct Embedded {
    int id;
    const uint8_t* begin;
    const uint8_t* end;
};

#define ZEMA_RESOURCE(id)                                                                          \
    { id, zemaResource##id, zemaResource##id##End }
const Embedded embedded[] = {
    ZEMA_RESOURCE(111), ZEMA_RESOURCE(112), ZEMA_RESOURCE(113), ZEMA_RESOURCE(114),
    ZEMA_RESOURCE(115), ZEMA_RESOURCE(116), ZEMA_RESOURCE(117), ZEMA_RESOURCE(118),
    ZEMA_RESOURCE(119), ZEMA_RESOURCE(120), ZEMA_RESOURCE(121), ZEMA_RESOURCE(123),
    ZEMA_RESOURCE(124), ZEMA_RESOURCE(142), ZEMA_RESOURCE(143), ZEMA_RESOURCE(144),
};
#undef ZEMA_RESOURCE
} // namespace

bool findResource(int id, Resource& resource) {
    for (const Embedded& e : embedded)
        if (e.id == id) {
            resource = {e.begin, static_cast<size_t>(e.end - e.begin)};
            return true;
        }
    return false;
}
