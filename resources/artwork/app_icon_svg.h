#pragma once

#include <QString>

namespace marvolin::artwork {

// The application icon as a scalable SVG document, drawn from the same geometry as the PNG.
QString AppIconSvg();

}  // namespace marvolin::artwork
