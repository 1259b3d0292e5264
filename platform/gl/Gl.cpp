#include "platform/gl/Gl.h"

#include <GL/gl.h>
#include <GL/glu.h>

namespace plat::gl {

void begin(uint32_t primitive) { glBegin(primitive); }
void end() { glEnd(); }
void vertex2i(int32_t x, int32_t y) { glVertex2i(x, y); }
void color4ub(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha) { glColor4ub(red, green, blue, alpha); }
void recti(int32_t x0, int32_t y0, int32_t x1, int32_t y1) { glRecti(x0, y0, x1, y1); }
void vertex3d(double x, double y, double z) { glVertex3d(x, y, z); }
void normal3d(double x, double y, double z) { glNormal3d(x, y, z); }
void texCoord1d(double s) { glTexCoord1d(s); }

void matrixMode(uint32_t mode) { glMatrixMode(mode); }
void loadIdentity() { glLoadIdentity(); }
void ortho(double left, double right, double bottom, double top, double nearPlane, double farPlane) {
    glOrtho(left, right, bottom, top, nearPlane, farPlane);
}
void translated(double x, double y, double z) { glTranslated(x, y, z); }
void scaled(double x, double y, double z) { glScaled(x, y, z); }
void rotated(double degrees, double x, double y, double z) { glRotated(degrees, x, y, z); }
void multMatrixd(const double matrix[16]) { glMultMatrixd(matrix); }
void pushMatrix() { glPushMatrix(); }
void popMatrix() { glPopMatrix(); }

uint32_t genLists(int32_t count) { return glGenLists(count); }
void newList(uint32_t list) { glNewList(list, GL_COMPILE); }
void endList() { glEndList(); }
void callList(uint32_t list) { glCallList(list); }
void deleteLists(uint32_t list, int32_t count) { glDeleteLists(list, count); }

uint32_t genTexture() {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    return texture;
}

void deleteTexture(uint32_t texture) {
    const GLuint name = texture;
    glDeleteTextures(1, &name);
}

namespace {

void commonTextureSettings(GLenum target) {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexParameteri(target, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(target, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL);
}

}  // namespace

void loadTexture1D(uint32_t texture, int32_t width, const uint8_t* rgb) {
    glBindTexture(GL_TEXTURE_1D, texture);
    commonTextureSettings(GL_TEXTURE_1D);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexImage1D(GL_TEXTURE_1D, 0, GL_RGB8, width, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    glEnable(GL_TEXTURE_1D);
}

void loadTexture2D(uint32_t texture, int32_t width, int32_t height, const uint8_t* rgb, uint32_t wrap) {
    glBindTexture(GL_TEXTURE_2D, texture);
    commonTextureSettings(GL_TEXTURE_2D);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GLint(wrap));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GLint(wrap));
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    glEnable(GL_TEXTURE_2D);
}

void generateCoordinate(uint32_t coordinate, const double plane[4]) {
    glTexGeni(coordinate, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
    glTexGendv(coordinate, GL_OBJECT_PLANE, plane);
    glEnable(coordinate == GL_S ? GL_TEXTURE_GEN_S : GL_TEXTURE_GEN_T);
}

void modulateTexture() { glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE); }

void disableTexturing() {
    glDisable(GL_TEXTURE_1D);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
}

int32_t maxTextureSize() {
    GLint size = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);
    return size;
}

void enable(uint32_t capability) { glEnable(capability); }
void disable(uint32_t capability) { glDisable(capability); }
void shadeModelFlat() { glShadeModel(GL_FLAT); }
void shadeModelSmooth() { glShadeModel(GL_SMOOTH); }
void viewport(int32_t x, int32_t y, int32_t width, int32_t height) { glViewport(x, y, width, height); }
void scissor(int32_t x, int32_t y, int32_t width, int32_t height) { glScissor(x, y, width, height); }
void clearDepth() { glClear(GL_DEPTH_BUFFER_BIT); }
void flush() { glFlush(); }

const char* string(uint32_t name) {
    const GLubyte* text = glGetString(name);
    return text ? reinterpret_cast<const char*>(text) : "";
}

void directionalLight(const float direction[3], float ambient, float diffuse, float specular) {
    const GLfloat position[4] = {direction[0], direction[1], direction[2], 0};
    const GLfloat a[4] = {ambient, ambient, ambient, 1}, d[4] = {diffuse, diffuse, diffuse, 1};
    const GLfloat s[4] = {specular, specular, specular, 1};
    // The direction is taken in eye space, whatever the drawing's own matrix.
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glPopMatrix();
    glLightfv(GL_LIGHT0, GL_AMBIENT, a);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, d);
    glLightfv(GL_LIGHT0, GL_SPECULAR, s);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
}

void shininess(float specular, float sharpness) {
    const GLfloat s[4] = {specular, specular, specular, 1};
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, s);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, sharpness);
}

namespace {

// A quadric of smooth outward normals, for one drawing.
struct Quadric {
    Quadric() : q(gluNewQuadric()) {
        if (q) gluQuadricNormals(q, GLU_SMOOTH);
    }
    ~Quadric() {
        if (q) gluDeleteQuadric(q);
    }
    Quadric(const Quadric&) = delete;
    Quadric& operator=(const Quadric&) = delete;
    GLUquadric* q;
};

}  // namespace

void sphere(double radius, int32_t slices, int32_t stacks) {
    Quadric quadric;
    if (quadric.q) gluSphere(quadric.q, radius, slices, stacks);
}

void cylinder(double baseRadius, double topRadius, double height, int32_t slices, int32_t stacks) {
    Quadric quadric;
    if (quadric.q) gluCylinder(quadric.q, baseRadius, topRadius, height, slices, stacks);
}

}  // namespace plat::gl
