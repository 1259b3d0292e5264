// contentpreview <archive> <out.png> [--sheet]
// Shows what an archive holds the way a screen would: its first full-screen picture with
// every shape's first frame drawn on it where its script places it; with --sheet, the smaller
// pictures and every frame of every group side by side on a checkerboard instead.
#include <cairo.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "contentgen/raster/ArchiveReader.h"
#include "engine/base/ByteOrder.h"
#include "engine/gfx/sprites/SprPicture.h"
#include "engine/gfx/sprites/SprShapes.h"
#include "engine/gfx/sprites/format/ShapeScriptFormat.h"

namespace {

void blit(cairo_t* cr, const Raster& r, double x, double y) {
    Raster copy = r;
    cairo_surface_t* s = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(copy.pixels.data()),
                                                             CAIRO_FORMAT_ARGB32, r.width, r.height, r.width * 4);
    cairo_set_source_surface(cr, s, x, y);
    cairo_paint(cr);
    cairo_surface_destroy(s);
}

i16 offsetOf(const ArchiveReader& a, u16 table, u16 frame) {
    const auto t = a.find(kSprOffsetType, table);
    return t && 2u * frame + 2 <= t->size() ? i16(readBE16(t->data() + 2 * frame)) : 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: contentpreview <archive> <out.png> [--sheet]\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    ArchiveReader archive;
    if (!archive.open(std::vector<u8>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()))) {
        std::fprintf(stderr, "contentpreview: %s is not an archive\n", argv[1]);
        return 1;
    }
    const bool sheet = argc > 3 && std::string(argv[3]) == "--sheet";
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, sheet ? 1200 : 800, sheet ? 900 : 600);
    cairo_t* cr = cairo_create(surface);
    for (int y = 0; y < 900; y += 16)
        for (int x = 0; x < 1200; x += 16) {
            ((x + y) / 16) % 2 ? cairo_set_source_rgb(cr, 0.85, 0.85, 0.85) : cairo_set_source_rgb(cr, 1, 1, 1);
            cairo_rectangle(cr, x, y, 16, 16);
            cairo_fill(cr);
        }
    const ResTypeTables* pictures = archive.contents().directory.findType(kSprPictureType);
    if (!sheet && pictures)
        for (const ResIdEntry& e : pictures->ids)
            if (auto p = decodePicture(*archive.find(kSprPictureType, e.id)); p && p->width == 800) {
                blit(cr, *p, 0, 0);
                break;
            }
    const ResTypeTables* groups = archive.contents().directory.findType(kSprGroupType);
    double sx = 4, sy = 4, rowHeight = 0;
    // The sheet starts with the pictures smaller than the screen (icons, tiles, swatches).
    for (const ResIdEntry& e : sheet && pictures ? pictures->ids : std::vector<ResIdEntry>{})
        if (auto p = decodePicture(*archive.find(kSprPictureType, e.id)); p && p->width < 800) {
            if (sx + p->width > 1196) sx = 4, sy += rowHeight + 4, rowHeight = 0;
            blit(cr, *p, sx, sy);
            sx += p->width + 4;
            rowHeight = std::max(rowHeight, double(p->height));
        }
    for (const ResIdEntry& g : groups ? groups->ids : std::vector<ResIdEntry>{}) {
        const auto frames = decodeGroupFrames(*archive.find(kSprGroupType, g.id));
        if (!frames) {
            std::fprintf(stderr, "contentpreview: group %u is damaged\n", g.id);
            continue;
        }
        if (sheet) {
            for (const Raster& f : *frames) {
                if (sx + f.width > 1196) sx = 4, sy += rowHeight + 4, rowHeight = 0;
                blit(cr, f, sx, sy);
                sx += f.width + 4;
                rowHeight = std::max(rowHeight, double(f.height));
            }
            continue;
        }
        for (u32 shape = g.id; shape <= 0xFFFF; ++shape) {
            const auto script = archive.find(kSprScriptType, u16(shape));
            if (!script) break;
            const auto s = *script;
            // The first frame record, after any timing or sound records.
            size_t at = kShapeScriptFirstRecord;
            while (at + 2 <= s.size() && s[at] != kShapeRecordFrame && s[at] != kShapeRecordEnd && s[at + 1] >= 2) at += s[at + 1];
            if (at + 2 > s.size() || s[at] != kShapeRecordFrame) continue;
            const u8 parts = s[at + 1];
            for (u8 i = 0; i < parts && at + 2 + kShapePartSize * (i + 1u) <= s.size(); ++i) {
                const u8* p = s.data() + at + 2 + kShapePartSize * i;
                const u16 frame = readBE16(p) & 0x0FFF;
                if (frame == 0 || frame > frames->size()) continue;
                blit(cr, (*frames)[frame - 1], i16(readBE16(p + 2)) - offsetOf(archive, g.id, frame),
                     i16(readBE16(p + 4)) - offsetOf(archive, u16(g.id + 1), frame));
            }
        }
    }
    cairo_destroy(cr);
    const bool ok = cairo_surface_write_to_png(surface, argv[2]) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return ok ? 0 : 1;
}
