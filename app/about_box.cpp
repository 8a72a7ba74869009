#include "app/about_box.h"

#include "resources/panel_layout.h"

#ifndef MARVOLIN_VERSION
#define MARVOLIN_VERSION "unknown"
#endif

namespace marvolin::app {

platform::AboutBoxContents AboutBox() {
    return {
        .title = "About us...",
        .logoBitmap = resources::kAboutLogoBitmap,
        .lines =
            {
                "Marvolin " MARVOLIN_VERSION,
                "Turns a short voice recording into a funny",
                "or atmospheric version of itself.",
                "Copyright (c) 2026 the Marvolin developers",
                "Free software under the MIT License.",
                "Report problems on the project's issue tracker.",
            },
    };
}

}  // namespace marvolin::app
