// The wooded horizon: a hazy far tree line, a darker nearer one, and bushes and trees that
// come down into the field at the sides; each crown lit from the upper left.
#include <algorithm>
#include <cmath>
#include <vector>

#include "landscape_canvas.h"
#include "noise.h"
#include "random.h"

namespace artwork {

namespace {

struct CrownStyle {
    Colour shadow;
    Colour lit;
    Colour haze;
    double hazeAmount;
    double leafScale;
};

struct Crown {
    double x;
    double y;
    double radius;
    double squash;  // height over width
    double tint;    // -1 bluish .. +1 yellowish
    std::uint32_t seed;
};

void PaintCrown(LandscapeCanvas& canvas, const Crown& crown, const CrownStyle& style) {
    const int left = std::max(0, static_cast<int>(crown.x - crown.radius * 1.4));
    const int right = std::min(canvas.width() - 1, static_cast<int>(crown.x + crown.radius * 1.4));
    const int top = std::max(0, static_cast<int>(crown.y - crown.radius * crown.squash * 1.4));
    const int bottom = std::min(canvas.height() - 1,
                                static_cast<int>(crown.y + crown.radius * crown.squash * 1.4));
    const Colour yellowish{18, 14, -6};
    for (int py = top; py <= bottom; ++py) {
        for (int px = left; px <= right; ++px) {
            const double dx = (px + 0.5 - crown.x) / crown.radius;
            const double dy = (py + 0.5 - crown.y) / (crown.radius * crown.squash);
            const double reach = std::sqrt(dx * dx + dy * dy);
            // Ragged outline: leaves and twigs stick out or leave bites.
            const double ragged =
                Fbm(px / (style.leafScale * 1.8), py / (style.leafScale * 1.8), crown.seed, 3);
            if (reach + (ragged - 0.5) * 0.9 > 1.0) {
                continue;
            }
            const double leaves =
                Fbm(px / style.leafScale, py / style.leafScale, crown.seed + 1u, 3);
            const double bulge = std::sqrt(std::max(0.0, 1.0 - std::min(reach, 1.0) * reach));
            const double light = -0.55 * dx - 0.75 * dy + 0.45 * bulge;
            double shade = 0.42 + 0.5 * light + (leaves - 0.5) * 1.3;
            shade = std::clamp(shade, 0.0, 1.0);
            Colour colour = Mix(style.shadow, style.lit, shade);
            // Deep gaps between leaf clumps.
            colour = Scaled(colour, leaves < 0.36 ? 0.72 : 1.0);
            colour = Mix(colour,
                         {colour.red + yellowish.red * crown.tint,
                          colour.green + yellowish.green * crown.tint,
                          colour.blue + yellowish.blue * crown.tint},
                         1.0);
            canvas.at(px, py) = Mix(colour, style.haze, style.hazeAmount);
        }
    }
}

void PaintCrowns(LandscapeCanvas& canvas, std::vector<Crown> crowns, const CrownStyle& style) {
    // Higher crowns first, so the lower (nearer) ones overlap them.
    std::stable_sort(crowns.begin(), crowns.end(),
                     [](const Crown& a, const Crown& b) { return a.y < b.y; });
    for (const Crown& crown : crowns) {
        PaintCrown(canvas, crown, style);
    }
}

// The dark mass under the crowns: shadowed foliage and trunks down to the ground.
void PaintUnderwood(LandscapeCanvas& canvas, int left, int right, double (*topRow)(int),
                    double (*baseRow)(int), Colour dark, std::uint32_t seed) {
    for (int x = std::max(0, left); x <= std::min(canvas.width() - 1, right); ++x) {
        const int top = static_cast<int>(topRow(x));
        const int base = static_cast<int>(baseRow(x));
        for (int y = top; y <= base; ++y) {
            const double texture = Fbm(x / 2.5, y / 4.0, seed, 3);
            canvas.at(x, y) = Scaled(dark, 0.75 + 0.6 * texture);
        }
    }
}

double FarBase(int x) {
    return 398.0 + 3.0 * Fbm1D(x / 40.0, 51u, 2);
}
double FarTop(int x) {
    return 380.0 + 4.0 * Fbm1D(x / 40.0, 52u, 2);
}
double NearBase(int x) {
    return 400.0 + 7.0 * Fbm1D(x / 55.0, 53u, 3);
}
double NearTop(int x) {
    return NearBase(x) - 14.0;
}

void PaintFarTreeLine(LandscapeCanvas& canvas) {
    const CrownStyle style{{52, 66, 60}, {116, 128, 104}, {170, 179, 187}, 0.3, 1.8};
    PaintUnderwood(canvas, 0, canvas.width() - 1, FarTop, FarBase, {62, 74, 68}, 54u);
    Random random(0xFA4u);
    std::vector<Crown> crowns;
    for (double x = -8.0; x < canvas.width() + 8.0; x += random.between(3.0, 8.0)) {
        const double radius = random.between(4.5, 10.0);
        // The skyline rises and falls over long stretches, as woods and copses do.
        const double skyline = 351.0 + 22.0 * Fbm1D(x / 110.0, 55u, 3);
        const double y = random.between(skyline + radius, FarBase(static_cast<int>(x)) - radius);
        crowns.push_back({x, y, radius, random.between(0.9, 1.3), random.between(-1.0, 0.5),
                          static_cast<std::uint32_t>(random.next())});
    }
    PaintCrowns(canvas, crowns, style);
}

void PaintNearTreeLine(LandscapeCanvas& canvas) {
    const CrownStyle style{{30, 44, 28}, {104, 120, 66}, {170, 179, 187}, 0.1, 2.6};
    PaintUnderwood(canvas, 0, canvas.width() - 1, NearTop, NearBase, {34, 44, 28}, 56u);
    Random random(0xB2u);
    std::vector<Crown> crowns;
    for (double x = -10.0; x < canvas.width() + 10.0; x += random.between(4.0, 11.0)) {
        const double base = NearBase(static_cast<int>(std::clamp(x, 0.0, 1151.0)));
        // Stretches of tall wood alternate with low hedges that let the far line show.
        const double growth = SmoothStep(0.35, 0.7, Fbm1D(x / 140.0, 57u, 3));
        const double radius = random.between(6.0, 10.0) + growth * random.between(2.0, 10.0);
        const double highest = std::max(347.0 + radius, base - 18.0 - growth * 40.0);
        const double y = random.between(highest, base - radius * 0.5);
        crowns.push_back({x, y, radius, random.between(0.85, 1.25), random.between(-0.6, 1.0),
                          static_cast<std::uint32_t>(random.next())});
    }
    PaintCrowns(canvas, crowns, style);
}

struct Thicket {
    double left;
    double right;
    double base;     // row where the bushes stand on the grass
    double tallest;  // how far above the base the highest crowns reach
    std::uint64_t seed;
};

// Bushes and trees in the field, kept clear of the places where targets stand.
constexpr Thicket kThickets[] = {
    {-10, 178, 466, 118, 71},   {188, 286, 427, 34, 72}, {644, 792, 441, 64, 73},
    {1032, 1162, 460, 104, 74}, {886, 962, 424, 22, 75},
};

// Soft shade on the grass under a bush, a little to the right of it, away from the light.
void PaintGroundShadow(LandscapeCanvas& canvas, double x, double base, double radius) {
    const double radiusX = radius * 1.4;
    const double radiusY = std::max(3.0, radius * 0.28);
    for (int y = static_cast<int>(base - radiusY); y <= static_cast<int>(base + radiusY); ++y) {
        for (int px = static_cast<int>(x - radiusX * 0.7);
             px <= static_cast<int>(x + radiusX * 1.3); ++px) {
            if (px < 0 || px >= canvas.width() || y < 0 || y >= canvas.height()) {
                continue;
            }
            const double dx = (px + 0.5 - x - radiusX * 0.3) / radiusX;
            const double dy = (y + 0.5 - base) / radiusY;
            const double inside = 1.0 - (dx * dx + dy * dy);
            if (inside > 0.0) {
                canvas.at(px, y) =
                    Scaled(canvas.at(px, y), 1.0 - 0.45 * SmoothStep(0.0, 0.6, inside));
            }
        }
    }
}

void PaintThicket(LandscapeCanvas& canvas, const Thicket& thicket) {
    const CrownStyle style{{26, 40, 22}, {116, 132, 64}, {170, 179, 187}, 0.0, 3.0};
    Random random(thicket.seed);
    std::vector<Crown> crowns;
    const double width = thicket.right - thicket.left;
    for (double x = thicket.left + 6.0; x < thicket.right - 6.0; x += random.between(7.0, 16.0)) {
        // Tallest in the middle of the thicket, lower at its ends.
        const double along = (x - thicket.left) / width;
        const double height = thicket.tallest * (0.45 + 0.55 * 4.0 * along * (1.0 - along));
        const double radius = std::min(random.between(8.0, 20.0), height * 0.6 + 4.0);
        const double y =
            random.between(thicket.base - height + radius, thicket.base - radius * 0.6);
        PaintGroundShadow(canvas, x, thicket.base, radius);
        // A trunk shows now and then under the taller crowns.
        if (height > 60.0 && random.below(3) == 0) {
            const int trunk = static_cast<int>(x + random.between(-3.0, 3.0));
            for (int ty = static_cast<int>(y); ty < thicket.base - 1; ++ty) {
                for (int tx = trunk; tx <= trunk + 1; ++tx) {
                    if (tx >= 0 && tx < canvas.width()) {
                        canvas.at(tx, ty) = {tx == trunk ? 52.0 : 34.0, 40, 30};
                    }
                }
            }
        }
        crowns.push_back({x, y, radius, random.between(0.8, 1.1), random.between(-0.8, 1.0),
                          static_cast<std::uint32_t>(random.next())});
    }
    PaintCrowns(canvas, crowns, style);
}

}  // namespace

// The grass right at the foot of the wood lies in its shade.
void PaintWoodEdgeShade(LandscapeCanvas& canvas) {
    for (int x = 0; x < canvas.width(); ++x) {
        const double base = NearBase(x);
        for (int y = static_cast<int>(base); y < base + 7.0; ++y) {
            const double depth = 1.0 - (y - base) / 7.0;
            canvas.at(x, y) = Scaled(canvas.at(x, y), 1.0 - 0.35 * depth);
        }
    }
}

void PaintTrees(LandscapeCanvas& canvas) {
    PaintWoodEdgeShade(canvas);
    PaintFarTreeLine(canvas);
    PaintNearTreeLine(canvas);
    for (const Thicket& thicket : kThickets) {
        PaintThicket(canvas, thicket);
    }
}

}  // namespace artwork
