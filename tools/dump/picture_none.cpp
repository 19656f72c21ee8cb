// The dump built without Qt (the Windows check of the core): it reads and
// prints everything, but draws no picture.

#include "picture_dump.h"

namespace trevanor {

bool valid_picture_request(const PictureRequest&) { return true; }

std::string write_picture(Model&, Prompter&, const PictureRequest&) {
    return "This build of trevanor-dump cannot draw pictures (it is built without Qt).";
}

}  // namespace trevanor
