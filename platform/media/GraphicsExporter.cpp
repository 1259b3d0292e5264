#include "platform/media/GraphicsExporter.h"

#include <cerrno>
#include <cstdio>
#include <new>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/media/BmpCoding.h"
#include "platform/media/GifCoding.h"
#include "platform/media/JpegCoding.h"
#include "platform/media/MediaWorld.h"
#include "platform/media/PictCoding.h"
#include "platform/media/PixelRows.h"
#include "platform/media/PngCoding.h"
#include "platform/media/TiffWriter.h"

namespace plat::media {

namespace {

MrErr errnoResult(int error) {
    switch (error) {
        case ENOSPC:
        case EDQUOT: return -34;  // disk full
        case ENOENT:
        case ENOTDIR: return -120;  // folder not found
        case EACCES:
        case EPERM:
        case EROFS: return -54;  // permission
        default: return kMrIoErr;
    }
}

bool knownFormat(uint32_t format) {
    return format == kMrExportPict || format == kMrExportBmp || format == kMrExportGif || format == kMrExportJpeg ||
           format == kMrExportPng || format == kMrExportTiff;
}

MrErr pictureOfWorld(MrWorld& world, PictureImage& out) {
    const MrPixMap& map = world.map;
    if (!out.allocate(widthOf(map.bounds), heightOf(map.bounds))) return kMrMemFullErr;
    for (int32_t y = 0; y < out.height; ++y) readRowRgba(map, y, 0, out.width, out.pixel(0, y));
    // Page pictures are opaque; a world's alpha bytes carry nothing.
    for (size_t i = 3; i < out.rgba.size(); i += 4) out.rgba[i] = 255;
    return kMrNoErr;
}

// A new file beside `path`, named after it with a unique ending. It is made as any new file
// is, under the user's file-creation mask, or takes the permissions of the file it will
// replace, so that the finished picture is as readable as a file written in place.
int openTemporary(const std::string& path, std::string& temporary) {
    static unsigned counter = 0;
    constexpr int kAttempts = 100;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const std::string name = path + ".export" + std::to_string(getpid()) + "-" + std::to_string(counter++);
        const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0 && errno == EEXIST) continue;
        if (fd < 0) return fd;
        struct stat existing {};
        if (stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) fchmod(fd, existing.st_mode & 07755);
        temporary = name;
        return fd;
    }
    errno = EEXIST;
    return -1;
}

MrErr commitTemporary(const std::string& temporary, const std::string& path) {
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        unlink(temporary.c_str());
        return errnoResult(error);
    }
    return kMrNoErr;
}

}  // namespace

MrErr replaceFileWith(const std::string& path, const uint8_t* bytes, size_t size) {
    std::string temporary;
    const int fd = openTemporary(path, temporary);
    if (fd < 0) return errnoResult(errno);
    size_t written = 0;
    while (written < size) {
        const ssize_t n = write(fd, bytes + written, size - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            const int error = n < 0 ? errno : ENOSPC;
            close(fd);
            unlink(temporary.c_str());
            return errnoResult(error);
        }
        written += size_t(n);
    }
    if (fsync(fd) != 0 || close(fd) != 0) {
        const int error = errno;
        unlink(temporary.c_str());
        return errnoResult(error);
    }
    return commitTemporary(temporary, path);
}

MrErr openExporter(uint32_t format, MrExporter** out) {
    if (!out) return kMrParamErr;
    *out = nullptr;
    if (!knownFormat(format)) return kMrCantFindHandler;
    auto* exporter = new (std::nothrow) MrExporter;
    if (!exporter) return kMrMemFullErr;
    exporter->format = format;
    *out = exporter;
    return kMrNoErr;
}

MrErr exporterSetInput(MrExporter* exporter, MrWorld* world) {
    if (!exporter || !world) return kMrParamErr;
    exporter->input = world;
    return kMrNoErr;
}

MrErr exporterSetOutputFile(MrExporter* exporter, const char* path) {
    if (!exporter || !path || !*path) return kMrParamErr;
    exporter->path = path;
    return kMrNoErr;
}

MrErr exporterExport(MrExporter* exporter) {
    if (!exporter || !exporter->input || exporter->path.empty()) return kMrParamErr;
    std::vector<uint8_t> bytes;
    if (exporter->format == kMrExportJpeg) {
        const MrPixMap& map = exporter->input->map;
        if (const MrErr err = jpegCompress(map, map.bounds, kExportJpegQuality, bytes)) return err;
        return replaceFileWith(exporter->path, bytes.data(), bytes.size());
    }
    PictureImage picture;
    if (const MrErr err = pictureOfWorld(*exporter->input, picture)) return err;
    if (exporter->format == kMrExportTiff) {
        std::string temporary;
        const int fd = openTemporary(exporter->path, temporary);
        if (fd < 0) return errnoResult(errno);
        close(fd);
        if (const MrErr err = writeTiff(picture, temporary)) {
            unlink(temporary.c_str());
            return err;
        }
        const int sync = open(temporary.c_str(), O_RDONLY);
        if (sync >= 0) fsync(sync), close(sync);
        return commitTemporary(temporary, exporter->path);
    }
    switch (exporter->format) {
        case kMrExportPict: bytes = encodePict(picture); break;
        case kMrExportBmp: bytes = encodeBmp(picture); break;
        case kMrExportGif: bytes = encodeGif(picture); break;
        case kMrExportPng: bytes = encodePng(picture); break;
        default: return kMrCantFindHandler;
    }
    if (bytes.empty()) return kMrBadFormat;
    return replaceFileWith(exporter->path, bytes.data(), bytes.size());
}

void closeExporter(MrExporter* exporter) { delete exporter; }

}  // namespace plat::media
