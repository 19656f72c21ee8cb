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

// Why a value of the request is none the map window can show, naming it;
// empty when every value is one.
std::string picture_request_error(const PictureRequest& request);
// Why the route filter is none the map window offers for this game ("_All",
// "_Only own", "_Own and Allies", "_Only allies" or a race of the game);
// empty when it is one, or when no routes are asked for.
std::string route_filter_error(const Session& session, const std::string& filter);

// Writes the picture; the error's text, or nothing when it was written.
std::string write_picture(Model& model, Prompter& prompter, const PictureRequest& request);

}  // namespace trevanor
