// Finds the pictures that the build embedded in the executable (resources_data.S) by their
// resource identifier.
#include "render/resources.h"

namespace zema {

namespace {
// The build writes one entry per embedded file: its identifier and where its bytes begin and end.
struct EmbeddedResource {
    int64_t id;
    const uint8_t* begin;
    const uint8_t* end;
};
} // namespace

extern "C" const EmbeddedResource zemaResourceIndex[];
extern "C" const EmbeddedResource zemaResourceIndexEnd[];

bool findResource(int id, Resource& resource) {
    for (const EmbeddedResource* e = zemaResourceIndex; e != zemaResourceIndexEnd; ++e)
        if (e->id == id) {
            resource = {e->begin, static_cast<size_t>(e->end - e->begin)};
            return true;
        }
    return false;
}

} // namespace zema
