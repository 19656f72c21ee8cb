// The dump built without Qt (the Windows check of the core): it reads and
// prints everything, but draws no picture.

#include "picture_dump.h"

namespace trevanor {

std::string picture_request_error(const PictureRequest&) { return {}; }

std::string route_filter_error(const Session&, const std::string&) { return {}; }

std::string write_picture(Model&, Prompter&, const PictureRequest&) {
    return "This build of trevanor-dump cannot draw pictures (it is built without Qt).";
}

}  // namespace trevanor
