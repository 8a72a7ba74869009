#include "resources/artwork/app_icon_svg.h"

namespace marvolin::artwork {

// The shapes, colours and gradients of RenderAppIcon on its 256-unit grid; the soft glows,
// blurred layers there, are Gaussian blur filters here.
QString AppIconSvg() {
    const double heights[9] = {34, 70, 118, 166, 108, 150, 92, 58, 28};
    QString bars;
    for (int i = 0; i < 9; ++i) {
        const double x = 128 + (i - 4) * 22;
        bars += QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"15\" height=\"%3\" rx=\"7.5\"/>")
                    .arg(x - 7.5)
                    .arg(128 - heights[i] / 2)
                    .arg(heights[i]);
    }
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
               "viewBox=\"0 0 256 256\">\n"
               "<defs>\n"
               "<linearGradient id=\"bg\" x1=\"12\" y1=\"12\" x2=\"244\" y2=\"244\" "
               "gradientUnits=\"userSpaceOnUse\"><stop offset=\"0\" stop-color=\"#3c4e94\"/>"
               "<stop offset=\"1\" stop-color=\"#10152c\"/></linearGradient>\n"
               "<linearGradient id=\"wave\" x1=\"36\" y1=\"0\" x2=\"220\" y2=\"0\" "
               "gradientUnits=\"userSpaceOnUse\"><stop offset=\"0\" stop-color=\"#5fd3f3\"/>"
               "<stop offset=\"0.5\" stop-color=\"#b08cff\"/>"
               "<stop offset=\"1\" stop-color=\"#ff6e5f\"/></linearGradient>\n"
               "<linearGradient id=\"gloss\" x1=\"0\" y1=\"12\" x2=\"0\" y2=\"128\" "
               "gradientUnits=\"userSpaceOnUse\"><stop offset=\"0\" stop-color=\"#fff\" "
               "stop-opacity=\"0.235\"/><stop offset=\"1\" stop-color=\"#fff\" "
               "stop-opacity=\"0\"/></linearGradient>\n"
               "<filter id=\"shadow\" x=\"-20%\" y=\"-20%\" width=\"140%\" height=\"140%\">"
               "<feGaussianBlur stdDeviation=\"3\"/></filter>\n"
               "<filter id=\"glow\" x=\"-50%\" y=\"-20%\" width=\"200%\" height=\"140%\">"
               "<feGaussianBlur stdDeviation=\"4.5\"/></filter>\n"
               "<clipPath id=\"tile\"><rect x=\"12\" y=\"12\" width=\"232\" height=\"232\" "
               "rx=\"52\"/></clipPath>\n"
               "</defs>\n"
               "<rect x=\"12\" y=\"16\" width=\"232\" height=\"232\" rx=\"52\" fill=\"#000\" "
               "fill-opacity=\"0.55\" filter=\"url(#shadow)\"/>\n"
               "<rect x=\"12\" y=\"12\" width=\"232\" height=\"232\" rx=\"52\" "
               "fill=\"url(#bg)\"/>\n"
               "<rect x=\"13.5\" y=\"13.5\" width=\"229\" height=\"229\" rx=\"50\" fill=\"none\" "
               "stroke=\"#fff\" stroke-opacity=\"0.196\" stroke-width=\"3\"/>\n"
               "<g fill=\"#78b4ff\" fill-opacity=\"0.667\" filter=\"url(#glow)\">%1</g>\n"
               "<g fill=\"url(#wave)\">%1</g>\n"
               "<rect x=\"12\" y=\"12\" width=\"232\" height=\"110\" rx=\"52\" "
               "fill=\"url(#gloss)\" "
               "clip-path=\"url(#tile)\"/>\n"
               "</svg>\n")
        .arg(bars);
}

}  // namespace marvolin::artwork
