#pragma once

#include <string>

// The printer's font as a report sets it: size in points, weight, slant and a face
// name; an empty face name leaves the face to the device.
struct PrintFont {
    float size = 12.0f;
    bool bold = false;
    bool italic = false;
    std::string face;

    bool operator==(const PrintFont&) const = default;
};
