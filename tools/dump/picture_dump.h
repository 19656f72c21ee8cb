#pragma once
// The map's picture written by the dump (--picture), as the map window's
// "Save Picture" writes it: the same redraw order, the same pixels.

#include <string>

#include "model/model.h"

namespace trevanor {

struct PictureRequest {
    std::string path;            // the PNG file; empty: no picture
    std::string zoom = "max";    // max, 150, 200, 300, 400, or a surface of N pixels (1000..4000)
    std::string names = "none";  // planet names: none, 25, 50, 100
    std::string routes;          // the route filter ("_All", "_Only own", a race ...); empty: no routes
    int jumps = 1;               // years of the routes, 1..9
};

// True when the request's values are ones the map window can show.
bool valid_picture_request(const PictureRequest& request);

// Writes the picture; the error's text, or nothing when it was written.
std::string write_picture(Model& model, Prompter& prompter, const PictureRequest& request);

}  // namespace trevanor
