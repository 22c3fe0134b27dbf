#include "editor/view_transform.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr int kFitMargin = 24;  ///< window pixels left around a fitted level

/// Zoom levels as one number: scale s is s, shrink f is −f (and −1 does not occur).
int zoomLevel(const ViewTransform& view) {
    return view.shrink > 1 ? -view.shrink : view.scale;
}

void setZoomLevel(ViewTransform& view, int level) {
    if (level >= 1) {
        view.scale = level > kMaximumScale ? kMaximumScale : level;
        view.shrink = 1;
    } else {
        view.scale = 1;
        view.shrink = -level > kMaximumShrink ? kMaximumShrink : -level;
    }
}

long truncated(float value) {
    return static_cast<long>(value);
}

}  // namespace

int windowX(const ViewTransform& view, float x) {
    return view.shrink > 1 ? static_cast<int>(truncated(x) / view.shrink + view.offsetX)
                           : static_cast<int>(truncated(x) * view.scale + view.offsetX);
}

int windowY(const ViewTransform& view, float y) {
    return view.shrink > 1 ? static_cast<int>(truncated(y) / view.shrink + view.offsetY)
                           : static_cast<int>(truncated(y) * view.scale + view.offsetY);
}

float pictureX(const ViewTransform& view, int x) {
    return view.shrink > 1
               ? static_cast<float>((x - view.offsetX) * view.shrink) + 0.5f * view.shrink
               : (static_cast<float>(x - view.offsetX) + 0.5f) / view.scale;
}

float pictureY(const ViewTransform& view, int y) {
    return view.shrink > 1
               ? static_cast<float>((y - view.offsetY) * view.shrink) + 0.5f * view.shrink
               : (static_cast<float>(y - view.offsetY) + 0.5f) / view.scale;
}

void zoomAt(ViewTransform& view, int steps, int x, int y) {
    const float px = pictureX(view, x);
    const float py = pictureY(view, y);
    int level = zoomLevel(view);
    for (int n = 0; n < (steps < 0 ? -steps : steps); ++n) {
        level += steps > 0 ? 1 : -1;
        if (level == 0 || level == -1) {
            level = steps > 0 ? 1 : -2;  // 1/1 is scale 1
        }
    }
    setZoomLevel(view, level < -kMaximumShrink ? -kMaximumShrink : level);
    // Put the picture point back under the cursor.
    view.offsetX = 0;
    view.offsetY = 0;
    view.offsetX = x - windowX(view, px);
    view.offsetY = y - windowY(view, py);
}

void fitBox(ViewTransform& view, float minX, float minY, float maxX, float maxY) {
    const float boxW = maxX - minX + 1.0f;
    const float boxH = maxY - minY + 1.0f;
    const float roomW = static_cast<float>(view.width - 2 * kFitMargin);
    const float roomH = static_cast<float>(view.height - 2 * kFitMargin);
    int level = static_cast<int>(std::fmin(roomW / boxW, roomH / boxH));
    if (level < 1) {
        level = -static_cast<int>(std::ceil(std::fmax(boxW / roomW, boxH / roomH)));
        if (level > -2) {
            level = -2;
        }
    }
    setZoomLevel(view, level);
    view.offsetX = 0;
    view.offsetY = 0;
    const float centreX = 0.5f * (minX + maxX);
    const float centreY = 0.5f * (minY + maxY);
    view.offsetX = view.width / 2 - windowX(view, centreX);
    view.offsetY = view.height / 2 - windowY(view, centreY);
}

const char* scaleName(const ViewTransform& view, char* text, int size) {
    if (view.shrink > 1) {
        std::snprintf(text, static_cast<size_t>(size), "1/%d", view.shrink);
    } else {
        std::snprintf(text, static_cast<size_t>(size), "%d", view.scale);
    }
    return text;
}
