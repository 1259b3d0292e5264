#pragma once
// The thin GL call layer: the OpenGL 1.1 calls that drawing code above platform/ makes, under
// our names, with GL's own numbers as named constants. Each call goes to the context current on
// the calling thread (Context::makeCurrent); with none current the calls do nothing.
#include <cstdint>

namespace plat::gl {

// Primitives.
constexpr uint32_t kLineStrip = 0x0003;
constexpr uint32_t kQuadStrip = 0x0008;
constexpr uint32_t kTriangles = 0x0004;
constexpr uint32_t kTriangleStrip = 0x0005;
constexpr uint32_t kTriangleFan = 0x0006;
// Matrix modes.
constexpr uint32_t kModelView = 0x1700;
constexpr uint32_t kProjection = 0x1701;
// Capabilities.
constexpr uint32_t kLineSmooth = 0x0B20;
constexpr uint32_t kMap1Vertex3 = 0x0D97;
constexpr uint32_t kScissorTest = 0x0C11;
constexpr uint32_t kDepthTest = 0x0B71;
constexpr uint32_t kLighting = 0x0B50;
constexpr uint32_t kLight0 = 0x4000;
constexpr uint32_t kColorMaterial = 0x0B57;
constexpr uint32_t kNormalize = 0x0BA1;
// Strings of the context.
constexpr uint32_t kVendor = 0x1F00;
constexpr uint32_t kRenderer = 0x1F01;
constexpr uint32_t kVersion = 0x1F02;
// Texture coordinates generated from object coordinates.
constexpr uint32_t kCoordS = 0x2000;
constexpr uint32_t kCoordT = 0x2001;
// Texture wraps.
constexpr uint32_t kRepeat = 0x2901;
constexpr uint32_t kClamp = 0x2900;

// Immediate mode.
void begin(uint32_t primitive);
void end();
void vertex2i(int32_t x, int32_t y);
void color4ub(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha);
void recti(int32_t x0, int32_t y0, int32_t x1, int32_t y1);
void vertex3d(double x, double y, double z);
void normal3d(double x, double y, double z);
void texCoord1d(double s);

// Matrices.
void matrixMode(uint32_t mode);
void loadIdentity();
void ortho(double left, double right, double bottom, double top, double nearPlane, double farPlane);
void translated(double x, double y, double z);
void scaled(double x, double y, double z);
// Degrees about the axis.
void rotated(double degrees, double x, double y, double z);
// Column-major, as GL takes it.
void multMatrixd(const double matrix[16]);
void pushMatrix();
void popMatrix();

// Display lists: made with the name of the first of `count`, 0 when none could be made.
uint32_t genLists(int32_t count);
// Compiles without drawing; the list is drawn by callList.
void newList(uint32_t list);
void endList();
void callList(uint32_t list);
void deleteLists(uint32_t list, int32_t count);

// Textures of 8-bit RGB texels, rows packed with no padding, looked up nearest, replacing the
// fragment's colour (decal), coordinates generated from object coordinates by the planes given.
uint32_t genTexture();
void deleteTexture(uint32_t texture);
// Binds and loads a 1-D texture of `width` texels, clamped, and enables it.
void loadTexture1D(uint32_t texture, int32_t width, const uint8_t* rgb);
// Binds and loads a 2-D texture, with the wrap on both axes, and enables it.
void loadTexture2D(uint32_t texture, int32_t width, int32_t height, const uint8_t* rgb, uint32_t wrap);
// Enables generation of one coordinate (kCoordS, kCoordT) from the object-space plane.
void generateCoordinate(uint32_t coordinate, const double plane[4]);
// The bound texture's texels tint the fragment's colour (its light and shade) instead of
// replacing it.
void modulateTexture();
// Turns texturing and coordinate generation off again.
void disableTexturing();
// The widest texture side the context takes.
int32_t maxTextureSize();

// State.
void enable(uint32_t capability);
void disable(uint32_t capability);
void shadeModelFlat();
void shadeModelSmooth();
void viewport(int32_t x, int32_t y, int32_t width, int32_t height);
// In window pixels, from the bottom left.
void scissor(int32_t x, int32_t y, int32_t width, int32_t height);
// Clears the depth buffer (inside the scissor box when the scissor test is on).
void clearDepth();
void flush();
// The context's string, "" when none is current.
const char* string(uint32_t name);

// Light: one directional light (kLight0) from `direction` in eye space (x right, y up, z towards
// the viewer), with its ambient, diffuse and specular strengths in grey; the colour set by
// color4ub becomes the material's ambient and diffuse colour (enable kColorMaterial), with a
// white shine of the given sharpness (0..128).
void directionalLight(const float direction[3], float ambient, float diffuse, float specular);
void shininess(float specular, float sharpness);

// GLU quadrics with smooth normals, centred on the origin: a sphere, and a cylinder along +z
// from its base (z 0) to its top (z height), open at both ends.
void sphere(double radius, int32_t slices, int32_t stacks);
void cylinder(double baseRadius, double topRadius, double height, int32_t slices, int32_t stacks);

}  // namespace plat::gl
