#include "media/swfgl/Paint.h"

#include <algorithm>
#include <vector>

#include "engine/base/ByteOrder.h"
#include "engine/base/MemoryHandles.h"
#include "media/swf/DataTags.h"
#include "media/swf/Extensions.h"
#include "media/swf/Interfaces.h"
#include "media/swf/Records.h"
#include "media/swf/ShapeBlock.h"
#include "media/swfgl/ColourMath.h"
#include "platform/gl/Gl.h"

namespace swf::draw {

namespace gl = plat::gl;

namespace {

// x' = a x + c y + tx; y' = b x + d y + ty.
struct Affine {
    double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;
};

Affine FromMatrix(const Matrix& m) {
    return Affine{m.scaleX / 65536.0, m.rotateSkew0 / 65536.0, m.rotateSkew1 / 65536.0, m.scaleY / 65536.0,
                  double(m.translateX), double(m.translateY)};
}

// A fill matrix that cannot be inverted squeezes its paint to nothing: every point of the shape
// then takes the paint's origin.
Affine Inverse(const Affine& m) {
    const double det = m.a * m.d - m.b * m.c;
    if (det == 0) return Affine{0, 0, 0, 0, 0, 0};
    Affine inv;
    inv.a = m.d / det;
    inv.c = -m.c / det;
    inv.b = -m.b / det;
    inv.d = m.a / det;
    inv.tx = -(inv.a * m.tx + inv.c * m.ty);
    inv.ty = -(inv.b * m.tx + inv.d * m.ty);
    return inv;
}

// Texture coordinates s and t from the fill's own space, scaled and offset.
void Planes(const Affine& fill, double scaleS, double scaleT, double offset) {
    const Affine inv = Inverse(fill);
    const double s[4] = {inv.a * scaleS, inv.c * scaleS, 0, inv.tx * scaleS + offset};
    const double t[4] = {inv.b * scaleT, inv.d * scaleT, 0, inv.ty * scaleT + offset};
    gl::generateCoordinate(gl::kCoordS, s);
    gl::generateCoordinate(gl::kCoordT, t);
}

void Colour(const Rgba& colour, const Cxform& cxform) {
    const Rgba c = ApplyCxform(colour, cxform);
    gl::color4ub(c.red, c.green, c.blue, c.alpha);
}

void Transparent() { gl::color4ub(0, 0, 0, 0); }

// The gradient square of 32768 twips centred on 0 maps to 0..1.
constexpr double kGradientScale = 1.0 / 32768;

u32 Gradient(bool radial, const Affine& fill, const u8* entries, u16 count, const Cxform& cxform) {
    u8 ramp[kRampTexels * 3];
    GradientRamp(entries, count, cxform, ramp);
    const u32 texture = gl::genTexture();
    if (radial) {
        std::vector<u8> picture;
        RadialPicture(ramp, picture);
        gl::loadTexture2D(texture, kRadialSide, kRadialSide, picture.data(), gl::kClamp);
    } else {
        gl::loadTexture1D(texture, kRampTexels, ramp);
    }
    Planes(fill, kGradientScale, kGradientScale, 0.5);
    return texture;
}

Affine FittedGradient(const Rect& b) {
    return Affine{(double(b.xMax) - b.xMin) / 32768, 0, 0, (double(b.yMax) - b.yMin) / 32768,
                  (double(b.xMin) + b.xMax) / 2, (double(b.yMin) + b.yMax) / 2};
}

void TransformTexels(std::vector<u8>& rgb, const Cxform& cxform) {
    if (IsIdentity(cxform)) return;
    for (size_t i = 0; i + 2 < rgb.size(); i += 3) {
        const Rgba c = ApplyCxform(Rgba{rgb[i], rgb[i + 1], rgb[i + 2], 255}, cxform);
        rgb[i] = c.red;
        rgb[i + 1] = c.green;
        rgb[i + 2] = c.blue;
    }
}

// The JPEG of a bitmap character decoded at the power-of-two size of its texture.
bool DecodeBitmap(const document& root, const tagDefineBits& bitmap, u32 limit, DecodedBitmap& out) {
    std::vector<u8>& rgb = out.rgb;
    u32 &width = out.width, &height = out.height;
    i_host* host = Host();
    i_jpeg* jpeg = nullptr;
    if (!host || host->QueryInterface(typeid(i_jpeg), reinterpret_cast<void**>(&jpeg)) != kOk || !jpeg) return false;
    const u8* data = bitmap.Data().Data();
    const u32 size = bitmap.Data().Size();
    const u8* tables = nullptr;
    u32 tablesSize = 0;
    const u8* image = data;
    u32 imageSize = size;
    if (bitmap.Code() == kTagDefineBitsJPEG2) {
        const u32 at = static_cast<const tagDefineBitsJPEG2&>(bitmap).ImageOffset();
        if (at > 0 && at < size) {
            tables = data;
            tablesSize = at;
            image = data + at;
            imageSize = size - at;
        }
    } else if (const tagJPEGTables* shared = root.JpegTables()) {
        tables = shared->Data().Data();
        tablesSize = shared->Data().Size();
    }
    i32 w = 0, h = 0;
    bool decoded = false;
    if (image && jpeg->GetInfo(w, h, image, imageSize) == kOk && w > 0 && h > 0) {
        width = TextureSide(u64(w), limit);
        height = TextureSide(u64(h), limit);
        u8* pixels = nullptr;
        const u64 rowBytes = u64(width) * 3;
        if (width && height && rowBytes <= 0xFFFFFFFF &&
            jpeg->Decompress(pixels, u32(rowBytes), width, height, tables, tablesSize, image, imageSize) == kOk &&
            pixels) {
            rgb.assign(pixels, pixels + rowBytes * height);
            memFreePtr(pixels);
            out.pictureWidth = u32(w);
            out.pictureHeight = u32(h);
            decoded = true;
        }
    }
    jpeg->Release();
    return decoded;
}

u32 Bitmap(const u8* style, const PaintContext& context, DecodedBitmap* kept) {
    const u16 id = readLE16(style + 1);
    const Affine fill = FromMatrix(GetMatrix(style + 3));
    tagObject* character = context.root ? context.root->FindCharacter(id) : nullptr;
    if (!character) return 0;  // the colour stays as it is
    if (character->Code() != kTagDefineBits && character->Code() != kTagDefineBitsJPEG2) {
        Transparent();
        return 0;
    }
    DecodedBitmap local;
    DecodedBitmap& bitmap = kept ? *kept : local;
    if (bitmap.character != character) {
        bitmap = DecodedBitmap{};
        bitmap.character = character;
        const u32 limit = u32(std::max(context.maxTextureSize, 1));
        bitmap.decoded = DecodeBitmap(*context.root, static_cast<const tagDefineBits&>(*character), limit, bitmap);
    }
    if (!bitmap.decoded) {
        Transparent();
        return 0;
    }
    std::vector<u8> transformed;
    const u8* texels = bitmap.rgb.data();
    if (!IsIdentity(context.cxform)) {
        transformed = bitmap.rgb;
        TransformTexels(transformed, context.cxform);
        texels = transformed.data();
    }
    const u32 texture = gl::genTexture();
    const u32 wrap = style[0] == shape::kFillBitmap ? gl::kRepeat : gl::kClamp;
    gl::loadTexture2D(texture, i32(bitmap.width), i32(bitmap.height), texels, wrap);
    Planes(fill, 1.0 / bitmap.pictureWidth, 1.0 / bitmap.pictureHeight, 0);
    return texture;
}

// A picture of the colour table (width, height, RGB pixels) stretched over the bounds, or at 20
// twips per pixel from their top left corner.
u32 TablePicture(const u8* paint, const PaintContext& context) {
    const u32 width = readLE16(paint + 1), height = readLE16(paint + 3);
    const i32 limit = context.maxTextureSize;
    if (width == 0 || height == 0 || i64(width) > limit || i64(height) > limit) {
        Transparent();
        return 0;
    }
    std::vector<u8> rgb(paint + 5, paint + 5 + size_t(width) * height * 3);
    TransformTexels(rgb, context.cxform);
    const Rect& b = context.bounds;
    const bool stretched = paint[0] == kPaintImage;
    const Affine fill = stretched ? Affine{(double(b.xMax) - b.xMin) / width, 0, 0, (double(b.yMax) - b.yMin) / height,
                                           double(b.xMin), double(b.yMin)}
                                  : Affine{20, 0, 0, 20, double(b.xMin), double(b.yMin)};
    const u32 texture = gl::genTexture();
    gl::loadTexture2D(texture, i32(width), i32(height), rgb.data(), stretched ? gl::kClamp : gl::kRepeat);
    Planes(fill, 1.0 / width, 1.0 / height, 0);
    return texture;
}

u32 FillPaint(const u8* paint, const PaintContext& context, DecodedBitmap* bitmap) {
    if (!(context.flags & kRenderNoColourTable) && context.root && context.root->ColorTable())
        paint = context.root->ColorTable()->LookUpPaint(paint);
    if (context.flags & kRenderSilhouette) {
        Colour(Rgba{0, 0, 0, 255}, context.cxform);
        return 0;
    }
    switch (paint[0]) {
        case shape::kFillSolid:
            Colour(GetRgba(paint + 1), context.cxform);
            return 0;
        case shape::kFillLinearGradient:
        case shape::kFillRadialGradient:
            return Gradient(paint[0] == shape::kFillRadialGradient, FromMatrix(GetMatrix(paint + 1)),
                            paint + 3 + kMatrixBlockSize, readLE16(paint + 1 + kMatrixBlockSize), context.cxform);
        case shape::kFillBitmap:
        case shape::kFillBitmapClipped:
            return Bitmap(paint, context, bitmap);
        case kPaintGradient:
        case kPaintGradientAlt:
            return Gradient(paint[0] == kPaintGradientAlt, FittedGradient(context.bounds), paint + 3,
                            readLE16(paint + 1), context.cxform);
        case kPaintImage:
        case kPaintImageAlt:
            return TablePicture(paint, context);
        default:
            Transparent();
            return 0;
    }
}

}  // namespace

u32 SetPaint(const MeshPart& part, const PaintContext& context, DecodedBitmap* bitmap) {
    if (!part.style) {
        const Rgba colour = part.kind == PartKind::Fill && (context.flags & kRenderSilhouette) ? Rgba{0, 0, 0, 255}
                                                                                              : part.solid;
        Colour(colour, context.cxform);
        return 0;
    }
    if (part.kind == PartKind::Line) {
        Colour(GetRgba(part.style + 2), context.cxform);
        return 0;
    }
    return FillPaint(part.style, context, bitmap);
}

void EndPaint(u32 texture) {
    if (!texture) return;
    gl::deleteTexture(texture);
    gl::disableTexturing();
}

}  // namespace swf::draw
