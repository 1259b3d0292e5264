// Page pictures written to picture files.
#include "media/quicktime/ImgJpeg.h"
#include "media/quicktime/ImgPictureFiles.h"

u16 imgExportResult(i16 runtimeResult) {
    switch (runtimeResult) {
        case -108: return kImgExportNoMemory;
        case -54:
        case -45:
        case -5000: return kImgExportFileError;
        case -34:
        case -33: return kImgExportDiskFull;
        default: return kImgExportOther;
    }
}

u16 imgExportPicture(const std::string& path, GfxPort* source, Rect16 sourceRect, u32 format) {
    const std::string runtimePath = imgRuntimePath(path);
    const Rect16 size{0, 0, i16(sourceRect.right - sourceRect.left), i16(sourceRect.bottom - sourceRect.top)};
    auto world = runtimePath.empty() ? nullptr : imgStretchToDIB(source, size, &sourceRect, 16);
    if (!world) return kImgExportOther;
    MrExporter* exporter = nullptr;
    // The runtime writes a new file and renames it over the target only once it is whole, so
    // a failed export leaves the user's file as it was: nothing is deleted here.
    i16 result = qtOpenExporter(format, &exporter);
    if (result == 0) result = qtExporterSetInput(exporter, world->world);
    if (result == 0) result = qtExporterSetOutputFile(exporter, runtimePath.c_str());
    if (result == 0) result = qtExporterExport(exporter);
    qtCloseExporter(exporter);
    return result == 0 ? 0 : imgExportResult(result);
}
