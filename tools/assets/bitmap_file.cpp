#include "tools/assets/bitmap_file.h"

#include "tools/assets/file_bytes.h"

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

/// Straight colour channel from a premultiplied one, rounded.
uint8_t unpremultiply(uint32_t channel, uint32_t alpha) {
    if (alpha == 0) {
        return 0;
    }
    uint32_t v = (channel * 255 + alpha / 2) / alpha;
    return static_cast<uint8_t>(v > 255 ? 255 : v);
}

struct Bgra {
    uint8_t b, g, r, a;
};

/// One output pixel from Cairo's premultiplied native-endian ARGB word.
Bgra convertPixel(uint32_t argb, BitmapFormat format) {
    uint32_t a = argb >> 24;
    uint32_t r = (argb >> 16) & 0xFF;
    uint32_t g = (argb >> 8) & 0xFF;
    uint32_t b = argb & 0xFF;
    switch (format) {
        case BitmapFormat::StraightAlpha32:
            return {unpremultiply(b, a), unpremultiply(g, a), unpremultiply(r, a),
                    static_cast<uint8_t>(a)};
        case BitmapFormat::KeyedMagenta32:
        case BitmapFormat::KeyedMagenta24:
            if (a < 128) {
                return {0xFF, 0x00, 0xFF, 0xFF};
            }
            // Premultiplied colour is the colour laid over black.
            return {static_cast<uint8_t>(b), static_cast<uint8_t>(g), static_cast<uint8_t>(r),
                    0xFF};
        case BitmapFormat::Opaque24:
            break;
    }
    return {static_cast<uint8_t>(b), static_cast<uint8_t>(g), static_cast<uint8_t>(r), 0xFF};
}

}  // namespace

bool writeBitmap(cairo_surface_t* surface, const std::string& path, BitmapFormat format,
                 std::string* reason) {
    cairo_surface_flush(surface);
    const int w = cairo_image_surface_get_width(surface);
    const int h = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);

    const bool wide =
        format == BitmapFormat::StraightAlpha32 || format == BitmapFormat::KeyedMagenta32;
    const uint32_t bytesPerPixel = wide ? 4 : 3;
    const uint32_t rowBytes = (static_cast<uint32_t>(w) * bytesPerPixel + 3) & ~3u;
    const uint32_t imageBytes = rowBytes * static_cast<uint32_t>(h);

    std::vector<uint8_t> out;
    out.reserve(54 + imageBytes);
    // BITMAPFILEHEADER
    out.push_back('B');
    out.push_back('M');
    putU32(out, 54 + imageBytes);
    putU32(out, 0);
    putU32(out, 54);
    // BITMAPINFOHEADER
    putU32(out, 40);
    putU32(out, static_cast<uint32_t>(w));
    putU32(out, static_cast<uint32_t>(h));  // positive height: rows stored bottom-up
    putU16(out, 1);
    putU16(out, bytesPerPixel * 8);
    putU32(out, 0);  // BI_RGB
    putU32(out, imageBytes);
    putU32(out, 2835);  // 72 dpi
    putU32(out, 2835);
    putU32(out, 0);
    putU32(out, 0);

    for (int y = h - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
        size_t start = out.size();
        for (int x = 0; x < w; ++x) {
            Bgra p = convertPixel(row[x], format);
            out.push_back(p.b);
            out.push_back(p.g);
            out.push_back(p.r);
            if (wide) {
                out.push_back(p.a);
            }
        }
        while (out.size() - start < rowBytes) {
            out.push_back(0);
        }
    }

    return writeFileBytes(out, path, reason);
}
